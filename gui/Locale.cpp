#include "gui/Locale.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QObject>

#include "gui/EventErrors.h"
#include "gui/QtStrings.h"
#include "gui/ShownText.h"
#include "runtime/LocaleSeparators.h"

namespace {

constexpr char kNoBreakSpace = '\xA0';

bool IsOneLatin1Character(const QString& text) { return text.size() == 1 && text.at(0).unicode() <= 0xFF; }

char DecimalByte(const QString& text) {
  return IsOneLatin1Character(text) ? static_cast<char>(text.at(0).unicode()) : '.';
}

char ThousandsByte(const QString& text, char decimal) {
  char thousands = ',';
  if (IsOneLatin1Character(text)) {
    thousands = static_cast<char>(text.at(0).unicode());
  } else if (text == QString(QChar(0x2019))) {
    thousands = '\'';
  } else if (!text.isEmpty()) {
    thousands = kNoBreakSpace;
  }
  if (thousands == decimal) {
    return decimal == ',' ? '.' : ',';
  }
  return thousands;
}

TSeparators SeparatorsOf(const QLocale& locale) {
  const char decimal = DecimalByte(locale.decimalPoint());
  return {decimal, ThousandsByte(locale.groupSeparator(), decimal)};
}

}  // namespace

TSeparators LocaleSeparatorsOf(const std::string& localeName) { return SeparatorsOf(QLocale(QtText(localeName))); }

void ReadUserLocale() {
  const QLocale locale = QLocale::system();
  const TSeparators separators = SeparatorsOf(locale);
  SetLocaleSeparators(separators.Decimal, separators.Thousands);
  SetTextCodePage(CodePageOfLocale(TextFromQt(locale.name())));
}

class LocaleWatcher::Filter : public QObject {
public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::LocaleChange) {
      RunEventHandler(ReadUserLocale);
    }
    return QObject::eventFilter(watched, event);
  }
};

LocaleWatcher::LocaleWatcher() : filter_(new Filter) {
  ReadUserLocale();
  QCoreApplication::instance()->installEventFilter(filter_);
}

LocaleWatcher::~LocaleWatcher() { delete filter_; }
