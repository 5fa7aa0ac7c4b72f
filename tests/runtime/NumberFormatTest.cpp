#include "runtime/NumberFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/DecimalRecord.h"
#include "runtime/Exception.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/ThrowsWithMessage.h"

namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

struct AxisPatternCase {
  double Value;
  const char* GroupedDot;    // "#,##0.###" with "." and ","
  const char* GroupedComma;  // "#,##0.###" with "," and a no-break space
  const char* PointDot;      // "#.##0.###" with "." and ","
  const char* PointComma;    // "#.##0.###" with "," and a no-break space
};

TEST(FormatNumber, AxisPatternsInBothLocales) {
  const AxisPatternCase cases[] = {
      {0, "0", "0", ".000", ",000"},
      {1, "1", "1", "1.000", "1,000"},
      {1.875, "1.875", "1,875", "1.875", "1,875"},
      {-1, "-1", "-1", "-1.000", "-1,000"},
      {1234.5, "1,234.5",
       "1\xA0"
       "234,5",
       "1234.500", "1234,500"},
      {0.0001, "0", "0", ".0001", ",0001"},
      {0.0005, "0.001", "0,001", ".0005", ",0005"},
      {12345678.9, "12,345,678.9",
       "12\xA0"
       "345\xA0"
       "678,9",
       "12345678.900", "12345678,900"},
      {1e20, "1E20", "1E20", "1E20", "1E20"},
  };
  for (const AxisPatternCase& c : cases) {
    SCOPED_TRACE(c.Value);
    {
      const LocaleScope locale('.', ',');
      EXPECT_EQ(FormatNumber("#,##0.###", c.Value), c.GroupedDot);
      EXPECT_EQ(FormatNumber("#.##0.###", c.Value), c.PointDot);
    }
    {
      const LocaleScope locale(',', kNoBreakSpace);
      EXPECT_EQ(FormatNumber("#,##0.###", c.Value), c.GroupedComma);
      EXPECT_EQ(FormatNumber("#.##0.###", c.Value), c.PointComma);
    }
  }
}

struct PatternCase {
  const char* Pattern;
  long double Value;
  const char* Expected;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
  *os << '"' << c.Pattern << "\" " << static_cast<double>(c.Value);
}

class FormatNumberTable : public ::testing::TestWithParam<PatternCase> {
protected:
  LocaleScope locale_{'.', ','};
};

TEST_P(FormatNumberTable, Formats) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.Pattern, c.Value), c.Expected)
      << "pattern \"" << c.Pattern << "\" value " << static_cast<double>(c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FormatNumberTable,
    ::testing::Values(PatternCase{"0.00", 3.14159L, "3.14"}, PatternCase{"0", 2.5L, "3"}, PatternCase{"0", 3.5L, "4"},
                      PatternCase{"0.0", 2.25L, "2.3"}, PatternCase{"#;(#);zero", -5, "(5)"},
                      PatternCase{"#;(#);zero", 0, "zero"}, PatternCase{"#;(#)", -0.2L, ""}, PatternCase{"#", 0, ""},
                      PatternCase{"0.##E+00", 12345, "1.23E+04"}, PatternCase{"0.###E-0", 0.00012345, "1.234E-4"},
                      PatternCase{"'Value: '0.0", 2.25L, "Value: 2.3"},
                      PatternCase{"#,##0.00;(#,##0.00)", -1234.567, "(1,234.57)"}, PatternCase{"", 1.5L, "1.5"}));

INSTANTIATE_TEST_SUITE_P(EdgeCases, FormatNumberTable,
                         ::testing::Values(PatternCase{"#,##0.###", 999999.9995, "1,000,000"},
                                           PatternCase{"#,##0.###", 0.00049, "0"},
                                           PatternCase{"#,##0.###", -0.0001, "0"},
                                           PatternCase{"#,##0.###", 1e17L, "100,000,000,000,000,000"},
                                           PatternCase{"#,##0.###", 1e18L, "1E18"},
                                           PatternCase{"#,##0.###", kNaN, "NAN"}, PatternCase{"#,##0.###", kInf, "INF"},
                                           PatternCase{"#,##0.###", -kInf, "-INF"},
                                           PatternCase{"0.00E+00", kInf, "INF"}));

INSTANTIATE_TEST_SUITE_P(
    SingleRules, FormatNumberTable,
    ::testing::Values(
        // More integer digits than integer slots: the first slot writes them all.
        PatternCase{"0", 1234, "1234"}, PatternCase{"#,#", 1234567, "1,234,567"},
        // Fewer: empty positions until the mandatory zeros.
        PatternCase{"0000", 12, "0012"}, PatternCase{"#0.0#", 0.5L, "0.5"},
        // Rounding to no digits selects the zero section again.
        PatternCase{"#;(#);zero", -0.2L, "zero"}, PatternCase{"0;(0);nil", -0.0L, "nil"}, PatternCase{"#;(#);", 0, ""},
        // Exponents: sign forms, zero padding capped at four digits.
        PatternCase{"0E+0", 0.001L, "1E-3"}, PatternCase{"0E-0", 12345, "1E4"}, PatternCase{"0E-0", 0.001L, "1E-3"},
        PatternCase{"0e+000000", 100000, "1e+0005"}, PatternCase{"0.0E+00", 0, "0.0E+00"}, PatternCase{"0E", 5, "5E"},
        // Literals: both quote kinds, ";" inside quotes, an open quote.
        PatternCase{"\"x\"0", 5, "x5"}, PatternCase{"'a;b'0;(0)", 3, "a;b3"}, PatternCase{"'a;b'0;(0)", -3, "(3)"},
        PatternCase{"0 'abc", 5, "5 abc"}, PatternCase{"0 'a;b", -5, "-5 a;b"},
        // No digit slots: only the literal text and the sign.
        PatternCase{"abc", -5, "-abc"},
        // A fourth ";" ends the third section; an empty third falls back to the first.
        PatternCase{"0;0;0;0.00", 0, "0"}, PatternCase{"#;;;x", 0, ""}, PatternCase{"a;b;c;d", 0, "c"},
        PatternCase{"a;b;c;d", -1, "b"}, PatternCase{"a;b;'c;d';e", 0, "c;d"},
        // A pattern starting with ";" has no first section.
        PatternCase{";(0)", 2.5L, "2.5"},
        // The decimal separator only comes with a fraction digit.
        PatternCase{"#.##", 1, "1"}, PatternCase{"0.###", 0.05L, "0.05"}));

TEST(FormatNumber, NullThousandSeparatorMeansNoGrouping) {
  const LocaleScope locale('.', '\0');
  EXPECT_EQ(FormatNumber("#,##0.###", 1234567.5), "1234567.5");
}

TEST(FormatNumber, UsesTheSeparatorsOfTheMomentOfTheCall) {
  {
    const LocaleScope locale(',', '.');
    EXPECT_EQ(FormatNumber("#,##0.###", 1234.5), "1.234,5");
  }
  const LocaleScope locale('.', ',');
  EXPECT_EQ(FormatNumber("#,##0.###", 1234.5), "1,234.5");
}

TEST(FormatNumber, PatternLengthLimit) {
  const LocaleScope locale('.', ',');
  EXPECT_EQ(FormatNumber(std::string(MaxFormatPatternLength, '#'), 7), "7");
  EXPECT_TRUE(ThrowsWithMessage<EConvertError>([] { FormatNumber(std::string(MaxFormatPatternLength + 1, '0'), 7); },
                                               "Format string too long"));
}

TEST(FormatNumber, KeepsTheCallersRoundingModeAndIgnoresIt) {
  const LocaleScope locale('.', ',');
  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
  const std::string text = FormatNumber("0.00", 3.14159L);
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  EXPECT_EQ(text, "3.14");
  EXPECT_EQ(mode, FE_UPWARD);
}

struct GeneralCase {
  long double Value;
  const char* Expected;
};

TEST(GeneralNumberText, FixedAndScientificForms) {
  const LocaleScope locale('.', ',');
  const GeneralCase cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {100, "100"},
      {1.5L, "1.5"},
      {-2.5L, "-2.5"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {1e15L, "1E15"},
      {123456789012345.0L, "123456789012345"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {1e100, "1E100"},
      {-1.5e-7, "-1.5E-7"},
      {std::numeric_limits<double>::max(), "1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {std::numeric_limits<long double>::denorm_min(), "0"},
      {kInf, "INF"},
      {-kInf, "-INF"},
      {kNaN, "NAN"},
  };
  for (const GeneralCase& c : cases) {
    EXPECT_EQ(GeneralNumberText(c.Value), c.Expected) << static_cast<double>(c.Value);
  }
}

TEST(GeneralNumberText, UsesTheLocaleDecimalSeparator) {
  const LocaleScope locale(',', kNoBreakSpace);
  EXPECT_EQ(GeneralNumberText(1.5L), "1,5");
  EXPECT_EQ(GeneralNumberText(1.5e-9L), "1,5E-9");
}

struct DecimalCase {
  long double Value;
  int Precision;
  int Decimals;
  int Exponent;
  bool Negative;
  const char* Digits;
};

TEST(NumberToDecimal, DigitsExponentAndRounding) {
  const DecimalCase cases[] = {
      {1.875L, 18, 9999, 1, false, "1875"}, {0.0001, 18, 9999, -3, false, "100000000000000005"},
      {0.0001, 15, 9999, -3, false, "1"},   {1234.5L, 18, 0, 4, false, "1235"},
      {-1234.5L, 18, 0, 4, true, "1235"},   {9.5L, 18, 0, 2, false, "1"},   // carry out of the first digit
      {999.96L, 18, 1, 4, false, "1"},      {0.4L, 18, 0, 0, false, ""},    // rounds to nothing
      {0.0004L, 18, 3, 0, false, ""},                                       // rounding position before the first digit
      {-0.0L, 18, 9999, 0, false, ""},      {10, 18, 9999, 2, false, "1"},  // the estimate is one short: 10^18 divided
      {1e18L, 18, 9999, 19, false, "1"},    {123456789.0L, 4, 9999, 9, false, "1235"},
  };
  for (const DecimalCase& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.Value));
    const DecimalRecord record = NumberToDecimal(c.Value, c.Precision, c.Decimals);
    EXPECT_EQ(record.Exponent, c.Exponent);
    EXPECT_EQ(record.Negative, c.Negative);
    EXPECT_EQ(record.Digits(), c.Digits);
  }
}

TEST(NumberToDecimal, SpecialValues) {
  EXPECT_EQ(NumberToDecimal(kInf, 18, 0).Exponent, DecimalRecord::InfiniteExponent);
  EXPECT_FALSE(NumberToDecimal(kInf, 18, 0).Negative);
  EXPECT_TRUE(NumberToDecimal(-kInf, 18, 0).Negative);
  EXPECT_EQ(NumberToDecimal(kNaN, 18, 0).Exponent, DecimalRecord::NaNExponent);
  EXPECT_FALSE(NumberToDecimal(-kNaN, 18, 0).Negative);
  const DecimalRecord smallest = NumberToDecimal(std::numeric_limits<long double>::min(), 18, 9999);
  EXPECT_EQ(smallest.Exponent, -4931);
  EXPECT_EQ(smallest.Digits().substr(0, 5), "33621");
  const DecimalRecord largest = NumberToDecimal(std::numeric_limits<long double>::max(), 18, 9999);
  EXPECT_EQ(largest.Exponent, 4933);
  EXPECT_EQ(largest.Digits().substr(0, 5), "11897");
}

// Figures a spreadsheet reads as numbers: no grouping, the separator given,
// and digits enough to read back the same double, under either separator.
TEST(ShortestNumberText, ReadsBackAsTheSameDoubleWithTheSeparatorGiven) {
  struct Case {
    double Value;
    const char* Text;  // with "."
  };
  const Case cases[] = {
      {12.5, "12.5"},
      {1234567.25, "1234567.25"},
      {0.1 + 0.2, "0.30000000000000004"},
      {-3, "-3"},
      {-0.0, "-0"},
      {1e-7, "1e-07"},
      {1e22, "1e+22"},
      {91294452714.5889, "91294452714.5889"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
  };
  for (const Case& c : cases) {
    for (const char separator : {'.', ','}) {
      std::string expected = c.Text;
      std::replace(expected.begin(), expected.end(), '.', separator);
      const std::string text = ShortestNumberText(c.Value, separator);
      EXPECT_EQ(text, expected) << c.Text;
      std::string pointed = text;
      std::replace(pointed.begin(), pointed.end(), separator, '.');
      double back = 0;
      std::from_chars(pointed.data(), pointed.data() + pointed.size(), back);
      EXPECT_EQ(std::signbit(back), std::signbit(c.Value)) << c.Text;
      EXPECT_EQ(back, c.Value) << c.Text;
    }
  }
}

}  // namespace
