#include "runtime/TextToNumber.h"

#include <fenv.h>
#include <fpu_control.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "the conversions are defined in x86 80-bit extended arithmetic");

namespace {

// Exceptions masked, rounding to nearest and 64-bit mantissas for the whole
// conversion; the caller's environment (flags included) comes back at the end.
class TExtendedArithmeticScope {
public:
  TExtendedArithmeticScope() {
    feholdexcept(&saved_);
    fesetround(FE_TONEAREST);
    fpu_control_t control;
    _FPU_GETCW(control);
    control |= _FPU_EXTENDED;
    _FPU_SETCW(control);
  }
  ~TExtendedArithmeticScope() { fesetenv(&saved_); }
  TExtendedArithmeticScope(const TExtendedArithmeticScope&) = delete;
  TExtendedArithmeticScope& operator=(const TExtendedArithmeticScope&) = delete;

  static bool Failed() { return fetestexcept(FE_INVALID | FE_OVERFLOW) != 0; }

private:
  fenv_t saved_;
};

struct TScannedNumber {
  long double Digits = 0;
  int Power = 0;
  bool Negative = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class TNumberScanner {
public:
  TNumberScanner(std::string_view text, char decimalSeparator) : text_(text), separator_(decimalSeparator) {}

  std::optional<TScannedNumber> Scan() {
    TScannedNumber number;
    SkipBlanks();
    if (At('+') || At('-')) {
      number.Negative = text_[pos_++] == '-';
    }
    bool consumed = ReadDigits(number.Digits) > 0;
    if (At(separator_)) {
      ++pos_;
      consumed = true;
      number.Power = -ReadDigits(number.Digits);
    }
    if (!consumed) {
      return std::nullopt;
    }
    if (At('E') || At('e')) {
      ++pos_;
      number.Power += ReadExponent();
    }
    SkipBlanks();
    if (pos_ != text_.size()) {
      return std::nullopt;
    }
    return number;
  }

private:
  bool At(char c) const { return pos_ < text_.size() && text_[pos_] == c; }

  void SkipBlanks() {
    while (At(' ')) {
      ++pos_;
    }
  }

  int ReadDigits(long double& value) {
    int count = 0;
    while (pos_ < text_.size() && IsDigit(text_[pos_])) {
      value = value * 10 + (text_[pos_++] - '0');
      ++count;
    }
    return count;
  }

  // Digits are taken only while the exponent is below 500, which bounds it
  // however many digits follow; the rest fail the end-of-text check.
  int ReadExponent() {
    bool negative = false;
    if (At('+') || At('-')) {
      negative = text_[pos_++] == '-';
    }
    int exponent = 0;
    while (exponent < 500 && pos_ < text_.size() && IsDigit(text_[pos_])) {
      exponent = exponent * 10 + (text_[pos_++] - '0');
    }
    return negative ? -exponent : exponent;
  }

  std::string_view text_;
  char separator_;
  std::size_t pos_ = 0;
};

// 10^k for 0 <= k < 5120. Up to 10^27 the power is exact in 64 bits of
// mantissa; beyond, it is built by squaring, overflowing to infinity past the
// extended range.
long double PowerOfTen(int k) {
  long double result = 1;
  long double square = 10;
  while (k > 0) {
    if (k & 1) {
      result *= square;
    }
    k >>= 1;
    if (k > 0) {
      square *= square;
    }
  }
  return result;
}

// Division by an exact power keeps a tie such as 2.5 exact, where a
// multiplication by an inexact 0.1 would not.
long double ScaleByPowerOfTen(long double value, int power) {
  constexpr int kLimit = 5120;
  constexpr int kLargestFinitePower = 4900;
  // Zero is zero at any exponent; scaling it would multiply by an overflowed
  // power and make an invalid 0 x infinity.
  if (value == 0) {
    return value;
  }
  if (power >= kLimit) {
    return value * PowerOfTen(kLimit);
  }
  if (power <= -kLimit) {
    return 0;
  }
  if (power >= 0) {
    return value * PowerOfTen(power);
  }
  // Two steps so that the divisor itself never overflows.
  while (power < -kLargestFinitePower) {
    value /= PowerOfTen(kLargestFinitePower);
    power += kLargestFinitePower;
  }
  return value / PowerOfTen(-power);
}

std::optional<long double> ScaledValue(std::string_view text, int extraPower) {
  const std::optional<TScannedNumber> number = TNumberScanner(text, LocaleDecimalSeparator).Scan();
  if (!number) {
    return std::nullopt;
  }
  const long double magnitude = ScaleByPowerOfTen(number->Digits, number->Power + extraPower);
  return number->Negative ? -magnitude : magnitude;
}

}  // namespace

bool TextToNumber(std::string_view text, long double& value) {
  TExtendedArithmeticScope scope;
  const std::optional<long double> result = ScaledValue(text, 0);
  if (!result || TExtendedArithmeticScope::Failed()) {
    return false;
  }
  value = *result;
  return true;
}

bool TextToNumber(std::string_view text, std::int64_t& amount) {
  TExtendedArithmeticScope scope;
  const std::optional<long double> result = ScaledValue(text, 4);
  if (!result) {
    return false;
  }
  // Out of the 64-bit range the rounding raises the invalid operation.
  const long long rounded = std::llrint(*result);
  if (TExtendedArithmeticScope::Failed()) {
    return false;
  }
  amount = rounded;
  return true;
}

void RaiseConversionError(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::int64_t TextToCurrency(std::string_view text) {
  std::int64_t amount = 0;
  if (!TextToNumber(text, amount)) {
    RaiseConversionError(text);
  }
  return amount;
}

namespace {

// Reads at most `limit` digits into `value`; false when more follow, which
// also keeps the accumulation from overflowing.
bool ReadPlainDigits(const char*& p, const char* end, int limit, std::int64_t& value, int& count) {
  for (; p != end && IsDigit(*p); ++p) {
    if (++count > limit) {
      return false;
    }
    value = value * 10 + (*p - '0');
  }
  return true;
}

}  // namespace

bool PlainDecimalToCurrency(std::string_view text, std::int64_t& amount) {
  // Fourteen whole and four fraction digits keep the amount below 2^63.
  constexpr int kMaxWholeDigits = 14;
  constexpr int kMaxFractionDigits = 4;
  static constexpr std::array<std::int64_t, 5> kFractionScale = {10000, 1000, 100, 10, 1};
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) {
    ++p;
  }
  std::int64_t whole = 0;
  int wholeDigits = 0;
  if (!ReadPlainDigits(p, end, kMaxWholeDigits, whole, wholeDigits)) {
    return false;
  }
  std::int64_t fraction = 0;
  int fractionDigits = 0;
  if (p != end && *p == '.') {
    ++p;
    if (!ReadPlainDigits(p, end, kMaxFractionDigits, fraction, fractionDigits)) {
      return false;
    }
  }
  if (p != end || wholeDigits + fractionDigits == 0) {
    return false;
  }
  const std::int64_t magnitude = whole * 10000 + fraction * kFractionScale[fractionDigits];
  amount = negative ? -magnitude : magnitude;
  return true;
}
