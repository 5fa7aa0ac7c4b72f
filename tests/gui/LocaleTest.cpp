#include "gui/Locale.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QPalette>

#include "gui/Application.h"
#include "gui/WindowControl.h"
#include "runtime/LocaleSeparators.h"
#include "tests/runtime/LocaleScope.h"

namespace {

// The separators of whatever locale the test runs in.
TEST(Locale, ReadsTheUserSeparatorsAtStartAndOnRequest) {
  EnsureApplication();
  const TSeparators user = LocaleSeparatorsOf(QLocale::system().name().toStdString());
  const LocaleScope restore('x', 'y');
  ReadUserLocale();
  EXPECT_EQ(LocaleDecimalSeparator, user.Decimal);
  EXPECT_EQ(LocaleThousandSeparator, user.Thousands);
  SetLocaleSeparators('x', 'y');
  const LocaleWatcher watcher;
  EXPECT_EQ(LocaleDecimalSeparator, user.Decimal);
}

// A grouped number must read right where the user lives: a separator
// outside Latin-1 becomes the no-break space, and the thousands separator
// never equals the decimal one.
TEST(Locale, SeparatorsReadRightInEveryLanguage) {
  EnsureApplication();
  const struct {
    const char* Locale;
    char Decimal;
    char Thousands;
  } cases[] = {
      {"fr_FR", ',', '\xA0'}, {"de_DE", ',', '.'},    {"de_CH", '.', '\''},   {"en_US", '.', ','},
      {"pl_PL", ',', '\xA0'}, {"ru_RU", ',', '\xA0'}, {"cs_CZ", ',', '\xA0'}, {"C", '.', ','},
  };
  for (const auto& c : cases) {
    const TSeparators separators = LocaleSeparatorsOf(c.Locale);
    EXPECT_EQ(separators.Decimal, c.Decimal) << c.Locale;
    EXPECT_EQ(separators.Thousands, c.Thousands) << c.Locale;
    EXPECT_NE(separators.Decimal, separators.Thousands) << c.Locale;
  }
}

class ColorWatcher : public WindowControl {
public:
  ColorWatcher() : WindowControl(nullptr) {}
  void SystemColorsChanged() override { ++Changes; }
  int Changes = 0;
};

TEST(WindowControl, HearsOfANewDesktopPalette) {
  EnsureApplication();
  ColorWatcher control;
  const QPalette saved = QApplication::palette();
  QPalette dark = saved;
  dark.setColor(QPalette::Button, Qt::darkGray);
  QApplication::setPalette(dark);
  QApplication::processEvents();
  EXPECT_GT(control.Changes, 0);
  QApplication::setPalette(saved);
}

}  // namespace
