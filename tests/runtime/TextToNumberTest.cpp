#include "runtime/TextToNumber.h"

#include <fenv.h>

#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "tests/runtime/LocaleScope.h"

namespace {

struct CurrencyCase {
  const char* text;
  bool converts;
  std::int64_t amount;
};

class TextToCurrencyWithComma : public testing::TestWithParam<CurrencyCase> {};

TEST_P(TextToCurrencyWithComma, GivesTheAmountOrFails) {
  const LocaleScope separators(',', '.');
  const CurrencyCase& c = GetParam();
  std::int64_t amount = -77;
  EXPECT_EQ(TextToNumber(c.text, amount), c.converts);
  EXPECT_EQ(amount, c.converts ? c.amount : -77) << "a failure leaves the target alone";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextToCurrencyWithComma,
    testing::Values(CurrencyCase{"12,5", true, 125000}, CurrencyCase{" -3,25 ", true, -32500},
                    CurrencyCase{"7", true, 70000}, CurrencyCase{",5", true, 5000}, CurrencyCase{"1E2", true, 1000000},
                    CurrencyCase{"0,00015", true, 2}, CurrencyCase{"0,00025", true, 2},
                    CurrencyCase{"0,00035", true, 4}, CurrencyCase{"1,234567", true, 12346}, CurrencyCase{",", true, 0},
                    CurrencyCase{"-,", true, 0}, CurrencyCase{"1E", true, 10000}, CurrencyCase{"1e+", true, 10000},
                    CurrencyCase{"25E-1", true, 25000}, CurrencyCase{"+8", true, 80000},
                    CurrencyCase{"  9  ", true, 90000}, CurrencyCase{"1E-4999", true, 0},
                    CurrencyCase{"1E-5000", false, 0}, CurrencyCase{"922337203685477,5807", true, INT64_MAX},
                    CurrencyCase{"12345678901234567890123E-20", true, 1234568}, CurrencyCase{"12.5", false, 0},
                    CurrencyCase{"1 000", false, 0}, CurrencyCase{"1.000", false, 0}, CurrencyCase{"", false, 0},
                    CurrencyCase{"-", false, 0}, CurrencyCase{"+", false, 0}, CurrencyCase{"  ", false, 0},
                    CurrencyCase{"12,5,3", false, 0}, CurrencyCase{"1E16", false, 0}, CurrencyCase{"\t5", false, 0},
                    CurrencyCase{"5\t", false, 0}, CurrencyCase{"E5", false, 0}, CurrencyCase{"1E5000", false, 0},
                    CurrencyCase{"1E499999", false, 0}, CurrencyCase{"922337203685477,5808", false, 0},
                    CurrencyCase{"--1", false, 0}, CurrencyCase{"0x10", false, 0}, CurrencyCase{"0E4929", true, 0},
                    CurrencyCase{"0,0E4999", true, 0}, CurrencyCase{"-0E4999", true, 0}));

TEST(TextToCurrency, NamesTheTextInItsError) {
  const LocaleScope separators('.', ',');
  try {
    TextToCurrency("12,5");
    FAIL() << "no error raised";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'12,5' is not a valid floating point value");
  }
}

TEST(TextToCurrency, FollowsTheSeparatorReadAtItsStart) {
  const LocaleScope separators('.', ',');
  EXPECT_EQ(TextToCurrency("12.5"), 125000);
  EXPECT_THROW(TextToCurrency("12,5"), EConvertError);
}

TEST(TextToNumber, ExtendedKindKeepsTheFullValue) {
  const LocaleScope separators(',', '.');
  long double value = 0;
  ASSERT_TRUE(TextToNumber("-1,5E3", value));
  EXPECT_EQ(value, -1500.0L);
  EXPECT_FALSE(TextToNumber("1E5000", value)) << "beyond the extended range";
}

TEST(TextToNumber, LeavesTheCallersFloatingPointEnvironment) {
  const LocaleScope separators(',', '.');
  fenv_t before;
  fegetenv(&before);
  fesetround(FE_UPWARD);
  feclearexcept(FE_ALL_EXCEPT);
  feraiseexcept(FE_DIVBYZERO);
  std::int64_t amount = 0;
  EXPECT_TRUE(TextToNumber("0,00025", amount));
  EXPECT_EQ(amount, 2) << "ties to even whatever the caller's rounding";
  EXPECT_FALSE(TextToNumber("1E16", amount));
  EXPECT_EQ(fegetround(), FE_UPWARD);
  EXPECT_EQ(fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO);
  fesetenv(&before);
}

struct ValueCase {
  std::int64_t amount;
  double value;
};

class CurrencyToValueTest : public testing::TestWithParam<ValueCase> {};

// Expected values computed exactly: the amount times the double nearest
// 0.0001, rounded to 64 bits of mantissa, then to 53.
TEST_P(CurrencyToValueTest, RoundsTheExtendedProductToDouble) {
  EXPECT_EQ(CurrencyToValue(GetParam().amount), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Examples, CurrencyToValueTest,
                         testing::Values(ValueCase{125000, 12.5}, ValueCase{12346, 1.2346000000000001},
                                         ValueCase{-32500, -3.25}, ValueCase{3, 0.00030000000000000003},
                                         ValueCase{0, 0.0}, ValueCase{1, 0.0001}));

// The shortcut must give exactly what the general conversion gives for the
// same text with its "." read as the separator, and refuse whatever it does
// not cover.
std::string RandomSampleText(std::mt19937_64& random) {
  static const char kAlphabet[] = "0123456789012345678901234567890123456789.-+ eE,";
  std::uniform_int_distribution<int> length(0, 22);
  std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 2);
  std::uniform_int_distribution<int> shape(0, 3);
  std::string text;
  const int n = length(random);
  if (shape(random) != 0) {
    // Mostly well-formed numbers, the texts a log holds.
    std::uniform_int_distribution<int> digit('0', '9');
    std::uniform_int_distribution<int> digits(0, 16);
    std::uniform_int_distribution<int> fraction(-1, 6);
    if (shape(random) == 1) text.push_back(shape(random) < 2 ? '-' : '+');
    for (int i = digits(random); i > 0; --i) text.push_back(static_cast<char>(digit(random)));
    const int f = fraction(random);
    if (f >= 0) {
      text.push_back('.');
      for (int i = 0; i < f; ++i) text.push_back(static_cast<char>(digit(random)));
    }
    return text;
  }
  for (int i = 0; i < n; ++i) text.push_back(kAlphabet[pick(random)]);
  return text;
}

TEST(PlainDecimalToCurrency, AgreesWithTheGeneralConversionOnAMillionTexts) {
  const LocaleScope separators(',', '.');
  std::mt19937_64 random(20261208);
  int shortcuts = 0;
  for (int i = 0; i < 1000000; ++i) {
    const std::string text = RandomSampleText(random);
    std::string replaced = text;
    if (const auto point = replaced.find('.'); point != std::string::npos) replaced[point] = ',';
    std::int64_t general = 0;
    const bool converts = TextToNumber(replaced, general);
    std::int64_t fast = 0;
    if (PlainDecimalToCurrency(text, fast)) {
      ++shortcuts;
      ASSERT_TRUE(converts) << text;
      ASSERT_EQ(fast, general) << text;
      ASSERT_EQ(CurrencyToValue(fast), CurrencyToValue(general)) << text;
    }
  }
  EXPECT_GT(shortcuts, 400000) << "the shortcut covers the common texts";
}

}  // namespace
