#include "runtime/DecimalRecord.h"

#include <algorithm>
#include <cmath>

#include "runtime/FloatEnvironment.h"

namespace {

constexpr int kMaxExactPower = 27;  // 5^27 < 2^64: 10^27 is exact in extended

struct PowersOfTen {
  std::array<long double, kMaxExactPower + 1> Exact{};
  constexpr PowersOfTen() {
    long double power = 1.0L;
    for (long double& entry : Exact) {
      entry = power;
      power *= 10.0L;
    }
  }
};
constexpr PowersOfTen kPowers;

long double PowerOfTen(int exponent) {
  if (exponent >= 0 && exponent <= kMaxExactPower) {
    return kPowers.Exact[static_cast<std::size_t>(exponent)];
  }
  return std::pow(10.0L, static_cast<long double>(exponent));
}

// |value| x 10^exponent; split in two steps where one power of ten would
// leave the extended range (values near its smallest normal numbers).
long double ScaleByPowerOfTen(long double magnitude, int exponent) {
  constexpr int kSafeStep = 4000;
  if (exponent > kSafeStep) {
    return magnitude * PowerOfTen(kSafeStep) * PowerOfTen(exponent - kSafeStep);
  }
  if (exponent < -kSafeStep) {
    return magnitude * PowerOfTen(-kSafeStep) * PowerOfTen(exponent + kSafeStep);
  }
  return magnitude * PowerOfTen(exponent);
}

constexpr std::uint64_t kTenTo17 = 100000000000000000ULL;
constexpr std::uint64_t kTenTo18 = 1000000000000000000ULL;

// The value as exactly 18 decimal digits d1..d18 and the exponent E.
struct EighteenDigits {
  std::array<char, DecimalRecord::MaxDigits> Chars{};
  int Exponent = 0;
};

EighteenDigits EstimateDigits(long double magnitude) {
  int binaryExponent = 0;
  std::frexp(magnitude, &binaryExponent);
  const int e = binaryExponent - 1;  // magnitude lies in [2^e, 2^(e+1))
  // 19728 / 65536 approximates log10(2); floor division also for negative e.
  int exponent = static_cast<int>(std::floor(e * 19728.0 / 65536.0)) + 1;
  long double scaled = std::rint(ScaleByPowerOfTen(magnitude, 18 - exponent));
  if (scaled >= static_cast<long double>(kTenTo18)) {
    scaled = std::rint(scaled / 10.0L);
    ++exponent;
  }
  auto integer = static_cast<std::uint64_t>(scaled);
  // The log10(2) estimate is a little low for huge negative binary exponents
  // and can leave 17 digits; the value is then 0.d1..d17 x 10^(E-1).
  if (integer < kTenTo17) {
    integer *= 10;
    --exponent;
  }
  EighteenDigits result;
  result.Exponent = exponent;
  for (auto i = static_cast<std::size_t>(DecimalRecord::MaxDigits); i-- > 0;) {
    result.Chars[i] = static_cast<char>('0' + integer % 10);
    integer /= 10;
  }
  return result;
}

// Rounds the digit string to its first `keep` digits, half away from zero.
// Returns true when the carry ran out of the first digit.
bool RoundDigits(std::array<char, DecimalRecord::MaxDigits>& digits, std::size_t keep) {
  if (digits[keep] < '5') {
    return false;
  }
  for (std::size_t i = keep; i-- > 0;) {
    if (digits[i] < '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

DecimalRecord SpecialRecord(std::int16_t exponent, bool negative) {
  DecimalRecord record;
  record.Exponent = exponent;
  record.Negative = negative;
  return record;
}

DecimalRecord FiniteToDecimal(long double value, int precision, int decimals) {
  EighteenDigits digits = EstimateDigits(std::fabs(value));
  int keep = digits.Exponent + decimals;
  if (keep < 0) {
    return {};
  }
  keep = std::min(keep, precision);
  if (keep < DecimalRecord::MaxDigits) {
    if (RoundDigits(digits.Chars, static_cast<std::size_t>(keep))) {
      digits.Chars[0] = '1';
      keep = 1;
      ++digits.Exponent;
    }
  } else {
    keep = DecimalRecord::MaxDigits;
  }
  while (keep > 0 && digits.Chars[static_cast<std::size_t>(keep - 1)] == '0') {
    --keep;
  }
  if (keep == 0) {
    return {};
  }
  DecimalRecord record;
  record.Exponent = static_cast<std::int16_t>(digits.Exponent);
  record.Negative = std::signbit(value);
  record.DigitCount = static_cast<std::uint8_t>(keep);
  std::copy_n(digits.Chars.begin(), keep, record.DigitChars.begin());
  return record;
}

}  // namespace

DecimalRecord NumberToDecimal(long double value, int precision, int decimals) {
  switch (std::fpclassify(value)) {
    case FP_NAN: return SpecialRecord(DecimalRecord::NaNExponent, false);
    case FP_INFINITE: return SpecialRecord(DecimalRecord::InfiniteExponent, std::signbit(value));
    case FP_ZERO:
    case FP_SUBNORMAL: return {};
    default: break;
  }
  const NearestRoundingScope rounding;
  return FiniteToDecimal(value, precision, decimals);
}
