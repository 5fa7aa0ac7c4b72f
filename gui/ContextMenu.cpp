#include "gui/ContextMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "gui/ControlImpl.h"
#include "gui/DialogScript.h"

namespace {

std::optional<std::size_t> ScriptedChoice(DialogScript& script, const std::vector<TMenuEntry>& entries) {
  std::vector<std::string> texts;
  texts.reserve(entries.size());
  for (const TMenuEntry& entry : entries) {
    texts.push_back(entry.Text);
  }
  script.MenusShown.push_back(texts);
  if (script.MenuAnswers.empty()) {
    return std::nullopt;
  }
  const std::optional<std::string> answer = script.MenuAnswers.front();
  script.MenuAnswers.pop_front();
  for (std::size_t i = 0; answer && i < texts.size(); ++i) {
    if (texts[i] == *answer && entries[i].Enabled) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> ShowContextMenu(Control& owner, int x, int y, const std::vector<TMenuEntry>& entries) {
  if (DialogScript* script = DialogScript::Current()) {
    return ScriptedChoice(*script, entries);
  }
  QWidget* widget = owner.Internals().Widget.data();
  QMenu menu(widget);
  for (const TMenuEntry& entry : entries) {
    // A tab puts the key in the menu's shortcut column.
    QAction* action = menu.addAction(QtText(entry.Text + "\t" + entry.Key));
    action->setCheckable(entry.Checkable);
    action->setChecked(entry.Checked);
    action->setEnabled(entry.Enabled);
  }
  const QAction* chosen = menu.exec(widget != nullptr ? widget->mapToGlobal(QPoint(x, y)) : QPoint(x, y));
  const QList<QAction*> actions = menu.actions();
  for (qsizetype i = 0; chosen != nullptr && i < actions.size(); ++i) {
    if (actions[i] == chosen) {
      return static_cast<std::size_t>(i);
    }
  }
  return std::nullopt;
}
