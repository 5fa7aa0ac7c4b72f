#include "gui/Locale.h"

#include <gtest/gtest.h>

#include "gui/Application.h"
#include "runtime/LocaleSeparators.h"
#include "tests/runtime/LocaleScope.h"

namespace {

// The tests run in the C locale, whose separators are "." and ",".
TEST(Locale, ReadsTheUserSeparatorsAtStartAndOnRequest) {
  EnsureApplication();
  const LocaleScope restore('x', 'y');
  ReadLocaleSeparators();
  EXPECT_EQ(LocaleDecimalSeparator, '.');
  EXPECT_EQ(LocaleThousandSeparator, ',');
  SetLocaleSeparators('x', 'y');
  const LocaleWatcher watcher;
  EXPECT_EQ(LocaleDecimalSeparator, '.');
}

}  // namespace
