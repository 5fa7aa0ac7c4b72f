#include "gui/Keyboard.h"

#include <QKeySequence>

#include "gui/KeyCodes.h"
#include "gui/QtStrings.h"

std::optional<TKeyPress> KeyPressNamed(const std::string& name) {
  const QKeySequence sequence = QKeySequence::fromString(QtText(name), QKeySequence::PortableText);
  if (sequence.count() != 1) {
    return std::nullopt;
  }
  const QKeyCombination combination = sequence[0];
  const int key = KeyCodeOf(combination.key());
  if (key == 0) {
    return std::nullopt;
  }
  return TKeyPress{key, KeyShiftOf(combination.keyboardModifiers())};
}
