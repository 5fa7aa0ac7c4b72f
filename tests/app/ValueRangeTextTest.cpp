// The value range typed into "Set value range…", in either decimal format.
#include <gtest/gtest.h>

#include <optional>

#include "app/view/ValueRangeText.h"
#include "runtime/LocaleSeparators.h"
#include "runtime/ScopedRestore.h"

namespace {

TEST(ValueRangeText, ReadsTwoNumbersInTheLocalesFormat) {
  const struct {
    char Decimal = '.';
    const char* Text = "";
    std::optional<TAxisRange> Expected;
  } cases[] = {
      {'.', "0 100", TAxisRange{0, 100}},
      {'.', "  -1.5\t2.25 ", TAxisRange{-1.5, 2.25}},
      {'.', "700, 900", TAxisRange{700, 900}},
      {'.', "700;900", TAxisRange{700, 900}},
      {'.', "1e3 2e3", TAxisRange{1000, 2000}},
      {',', "0,5 1,5", TAxisRange{0.5, 1.5}},
      {',', "0,5;1,5", TAxisRange{0.5, 1.5}},
      {',', "0,5,1,5", std::nullopt},
      {'.', "5 5", std::nullopt},
      {'.', "9 1", std::nullopt},
      {'.', "1", std::nullopt},
      {'.', "1 2 3", std::nullopt},
      {'.', "a 2", std::nullopt},
      {'.', "", std::nullopt},
      {'.', "0 1e999", std::nullopt},
  };
  for (const auto& c : cases) {
    const ScopedRestore<char> decimal(LocaleDecimalSeparator, c.Decimal);
    const std::optional<TAxisRange> range = ParseValueRange(c.Text);
    ASSERT_EQ(range.has_value(), c.Expected.has_value()) << c.Text;
    if (range) {
      EXPECT_EQ(range->Minimum, c.Expected->Minimum) << c.Text;
      EXPECT_EQ(range->Maximum, c.Expected->Maximum) << c.Text;
    }
  }
}

// What the dialog offers reads back as the range it shows.
TEST(ValueRangeText, TheOfferedTextReadsBack) {
  for (const char decimal : {'.', ','}) {
    const ScopedRestore<char> separator(LocaleDecimalSeparator, decimal);
    for (const TAxisRange range : {TAxisRange{0, 100}, TAxisRange{-0.125, 2.5}, TAxisRange{721, 826.5}}) {
      const std::optional<TAxisRange> read = ParseValueRange(ValueRangeText(range));
      ASSERT_TRUE(read) << ValueRangeText(range);
      EXPECT_EQ(read->Minimum, range.Minimum);
      EXPECT_EQ(read->Maximum, range.Maximum);
    }
  }
}

}  // namespace
