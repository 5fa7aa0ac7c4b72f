#include "gui/Locale.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QObject>

#include "gui/EventErrors.h"
#include "runtime/LocaleSeparators.h"

namespace {

// A separator as one Latin-1 byte, or the fallback when the locale's text is
// empty, longer than one character or outside Latin-1.
char SeparatorByte(const QString& text, char fallback) {
  if (text.size() != 1 || text.at(0).unicode() > 0xFF) {
    return fallback;
  }
  return static_cast<char>(text.at(0).unicode());
}

}  // namespace

void ReadLocaleSeparators() {
  const QLocale locale = QLocale::system();
  SetLocaleSeparators(SeparatorByte(locale.decimalPoint(), '.'), SeparatorByte(locale.groupSeparator(), ','));
}

class LocaleWatcher::Filter : public QObject {
public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LocaleChange) {
      RunEventHandler(ReadLocaleSeparators);
    }
    return QObject::eventFilter(watched, event);
  }
};

LocaleWatcher::LocaleWatcher() : filter_(new Filter) {
  ReadLocaleSeparators();
  QCoreApplication::instance()->installEventFilter(filter_);
}

LocaleWatcher::~LocaleWatcher() { delete filter_; }
