#include "runtime/TextToNumber.h"

#include <fenv.h>
#include <fpu_control.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"

static_assert(std::numeric_limits<long double>::digits == 64,
              "the conversions are defined in x86 80-bit extended arithmetic");

namespace {

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

std::optional<long double> ScaledValue(std::string_view text, int extraPower, char decimalSeparator) {
  const std::optional<TScannedNumber> number = TNumberScanner(text, decimalSeparator).Scan();
  if (!number) {
    return std::nullopt;
  }
  const long double magnitude = ScaleByPowerOfTen(number->Digits, number->Power + extraPower);
  return number->Negative ? -magnitude : magnitude;
}

}  // namespace

namespace {

thread_local int extendedScopes = 0;

// The conversions work in x87 arithmetic only (llrintl included), so its
// flags are the ones to clear and test; the SSE ones are left alone.
void ClearExceptionFlags() { __asm__ volatile("fnclex"); }

}  // namespace

TExtendedArithmeticScope::TExtendedArithmeticScope() : outermost_(extendedScopes++ == 0) {
  if (!outermost_) {
    ClearExceptionFlags();
    return;
  }
  feholdexcept(&saved_);
  fesetround(FE_TONEAREST);
  fpu_control_t control;
  _FPU_GETCW(control);
  control |= _FPU_EXTENDED;
  _FPU_SETCW(control);
}

TExtendedArithmeticScope::~TExtendedArithmeticScope() {
  --extendedScopes;
  if (outermost_) {
    fesetenv(&saved_);
  }
}

bool TExtendedArithmeticScope::Failed() {
  unsigned short status = 0;
  __asm__ volatile("fnstsw %0" : "=m"(status));
  return (status & (FE_INVALID | FE_OVERFLOW)) != 0;
}

bool TextToNumber(std::string_view text, long double& value) {
  TExtendedArithmeticScope scope;
  const std::optional<long double> result = ScaledValue(text, 0, LocaleDecimalSeparator);
  if (!result || TExtendedArithmeticScope::Failed()) {
    return false;
  }
  value = *result;
  return true;
}

bool TextToNumber(std::string_view text, std::int64_t& amount) {
  return TextToNumber(text, amount, LocaleDecimalSeparator);
}

bool TextToNumber(std::string_view text, std::int64_t& amount, char decimalSeparator) {
  TExtendedArithmeticScope scope;
  const std::optional<long double> result = ScaledValue(text, 4, decimalSeparator);
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

std::int64_t TextToCurrency(std::string_view text) { return TextToCurrency(text, LocaleDecimalSeparator); }

std::int64_t TextToCurrency(std::string_view text, char decimalSeparator) {
  std::int64_t amount = 0;
  if (!TextToNumber(text, amount, decimalSeparator)) {
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

// Below 10^18 the digits fit 64 bits, also in the extended mantissa.
constexpr int kMaxPlainDigits = 18;

// The amount of `digits` times 10^scale, rounded to nearest with ties to
// even; false when it does not fit. Below one the general conversion divides
// in extended precision and then rounds; with fewer than 10^18 digits the
// quotient keeps so many bits that its own rounding can neither make nor
// break a tie (a quotient is at least 1/10^k away from one, more than half
// its last bit), so the integer division here gives the same amount.
bool CurrencyOfDigits(std::int64_t digits, int scale, std::int64_t& amount) {
  static constexpr std::array<std::int64_t, 19> kPowers = [] {
    std::array<std::int64_t, 19> powers{1};
    for (std::size_t i = 1; i < powers.size(); ++i) {
      powers[i] = powers[i - 1] * 10;
    }
    return powers;
  }();
  const auto power = static_cast<std::size_t>(std::abs(scale));
  if (power >= kPowers.size()) {
    return false;
  }
  if (scale >= 0) {
    return !__builtin_mul_overflow(digits, kPowers[power], &amount);
  }
  const std::int64_t divisor = kPowers[power];
  const std::int64_t quotient = digits / divisor;
  const std::int64_t twiceRest = 2 * (digits % divisor);
  const bool up = twiceRest > divisor || (twiceRest == divisor && quotient % 2 == 1);
  amount = up ? quotient + 1 : quotient;
  return true;
}

// An exponent of one or two digits after "E" or "e", if there is one.
bool ReadPlainExponent(const char*& p, const char* end, int& exponent) {
  if (p == end || (*p != 'E' && *p != 'e')) {
    return true;
  }
  ++p;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) {
    ++p;
  }
  std::int64_t value = 0;
  int count = 0;
  if (!ReadPlainDigits(p, end, 2, value, count) || count == 0) {
    return false;
  }
  exponent = static_cast<int>(negative ? -value : value);
  return true;
}

}  // namespace

bool PlainDecimalToCurrency(std::string_view text, std::int64_t& amount) {
  const char* p = text.data();
  const char* end = p + text.size();
  // The blanks the general conversion skips, so that padded samples keep
  // to the fast path.
  while (p != end && *p == ' ') {
    ++p;
  }
  while (end != p && end[-1] == ' ') {
    --end;
  }
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) {
    ++p;
  }
  std::int64_t digits = 0;
  int wholeDigits = 0;
  if (!ReadPlainDigits(p, end, kMaxPlainDigits, digits, wholeDigits)) {
    return false;
  }
  int fractionDigits = 0;
  if (p != end && *p == '.') {
    ++p;
    if (!ReadPlainDigits(p, end, kMaxPlainDigits - wholeDigits, digits, fractionDigits)) {
      return false;
    }
  }
  int exponent = 0;
  std::int64_t magnitude = 0;
  if (wholeDigits + fractionDigits == 0 || !ReadPlainExponent(p, end, exponent) || p != end ||
      !CurrencyOfDigits(digits, 4 + exponent - fractionDigits, magnitude)) {
    return false;
  }
  amount = negative ? -magnitude : magnitude;
  return true;
}
