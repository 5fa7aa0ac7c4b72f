#include "runtime/TextToNumber.h"

#include <fenv.h>

#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "runtime/Exception.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/ThrowsWithMessage.h"

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
  EXPECT_TRUE(
      ThrowsWithMessage<EConvertError>([] { TextToCurrency("12,5"); }, "'12,5' is not a valid floating point value"));
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

// A caller's environment that the conversions must leave as they found it:
// rounding upward and a division by zero raised.
class CallerEnvironment {
public:
  CallerEnvironment() {
    fegetenv(&before_);
    fesetround(FE_UPWARD);
    feclearexcept(FE_ALL_EXCEPT);
    feraiseexcept(FE_DIVBYZERO);
  }
  ~CallerEnvironment() { fesetenv(&before_); }
  CallerEnvironment(const CallerEnvironment&) = delete;
  CallerEnvironment& operator=(const CallerEnvironment&) = delete;

  static void ExpectUnchanged() {
    EXPECT_EQ(fegetround(), FE_UPWARD);
    EXPECT_EQ(fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO);
  }

private:
  fenv_t before_{};
};

TEST(TextToNumber, LeavesTheCallersFloatingPointEnvironment) {
  const LocaleScope separators(',', '.');
  const CallerEnvironment caller;
  std::int64_t amount = 0;
  EXPECT_TRUE(TextToNumber("0,00025", amount));
  EXPECT_EQ(amount, 2) << "ties to even whatever the caller's rounding";
  EXPECT_FALSE(TextToNumber("1E16", amount));
  CallerEnvironment::ExpectUnchanged();
}

// A loop of conversions holds the environment once; each conversion inside
// still reads as if alone, whatever flags were raised before it.
TEST(TextToNumber, ConversionsInsideAHeldScopeReadAsAlone) {
  const LocaleScope separators(',', '.');
  const CallerEnvironment caller;
  {
    const TExtendedArithmeticScope held;
    std::int64_t amount = 0;
    feraiseexcept(FE_INVALID | FE_OVERFLOW);
    EXPECT_TRUE(TextToNumber("0,00025", amount)) << "flags raised before a conversion are not its own";
    EXPECT_EQ(amount, 2);
    EXPECT_FALSE(TextToNumber("1E16", amount));
    EXPECT_TRUE(TextToNumber("1", amount)) << "nor are those of the conversion before";
    EXPECT_EQ(amount, 10000);
  }
  CallerEnvironment::ExpectUnchanged();
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
    // Mostly well-formed numbers, the texts a log holds, some with blanks
    // around them.
    std::uniform_int_distribution<int> digit('0', '9');
    const int blanks = shape(random) == 0 ? shape(random) : 0;
    text.append(static_cast<std::size_t>(blanks), ' ');
    std::uniform_int_distribution<int> digits(0, 16);
    std::uniform_int_distribution<int> fraction(-1, 14);
    if (shape(random) == 1) {
      text.push_back(shape(random) < 2 ? '-' : '+');
    }
    for (int i = digits(random); i > 0; --i) {
      text.push_back(static_cast<char>(digit(random)));
    }
    const int f = fraction(random);
    if (f >= 0) {
      text.push_back('.');
      for (int i = 0; i < f; ++i) {
        text.push_back(static_cast<char>(digit(random)));
      }
    }
    if (shape(random) == 0) {
      text.push_back(shape(random) < 2 ? 'E' : 'e');
      if (shape(random) == 1) {
        text.push_back(shape(random) < 2 ? '-' : '+');
      }
      for (int i = shape(random); i > 0; --i) {
        text.push_back(static_cast<char>(digit(random)));
      }
    }
    text.append(static_cast<std::size_t>(shape(random) == 0 ? blanks + 1 : 0), ' ');
    return text;
  }
  for (int i = 0; i < n; ++i) {
    text.push_back(kAlphabet[pick(random)]);
  }
  return text;
}

// Only blanks are skipped around a number, as the general conversion skips
// them; any other white space makes the text one the shortcut refuses.
TEST(PlainDecimalToCurrency, SkipsBlanksOnly) {
  const struct {
    const char* Text;
    bool Converts;
    std::int64_t Amount;
  } cases[] = {{" 5", true, 50000}, {"5 ", true, 50000}, {"  -1.25  ", true, -12500}, {"\t5", false, 0},
               {"5\t", false, 0},   {"5 \t", false, 0},  {"5\t ", false, 0},          {"\t 5", false, 0},
               {"5\n", false, 0},   {"5\r", false, 0},   {"\v5", false, 0},           {"5\f", false, 0}};
  for (const auto& c : cases) {
    std::int64_t amount = 0;
    EXPECT_EQ(PlainDecimalToCurrency(c.Text, amount), c.Converts) << '"' << c.Text << '"';
    if (c.Converts) {
      EXPECT_EQ(amount, c.Amount) << '"' << c.Text << '"';
    }
  }
}

TEST(PlainDecimalToCurrency, AgreesWithTheGeneralConversionOnAMillionTexts) {
  const LocaleScope separators(',', '.');
  std::mt19937_64 random(20261208);
  int shortcuts = 0;
  for (int i = 0; i < 1000000; ++i) {
    const std::string text = RandomSampleText(random);
    std::string replaced = text;
    if (const auto point = replaced.find('.'); point != std::string::npos) {
      replaced[point] = ',';
    }
    std::int64_t general = 0;
    const bool converts = TextToNumber(replaced, general);
    std::int64_t fast = 0;
    if (PlainDecimalToCurrency(text, fast)) {
      ++shortcuts;
      ASSERT_TRUE(converts) << '"' << text << '"';
      ASSERT_EQ(fast, general) << '"' << text << '"';
      ASSERT_EQ(CurrencyToValue(fast), CurrencyToValue(general)) << text;
    }
  }
  EXPECT_GT(shortcuts, 400000) << "the shortcut covers the common texts";
}

}  // namespace
