#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

// The number conversions are defined in the 80-bit extended type.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the x86 80-bit extended type");

// The decimal form of a number: the value is 0.d1 d2 d3 ... x 10^Exponent.
struct DecimalRecord {
  static constexpr std::int16_t InfiniteExponent = 32767;
  static constexpr std::int16_t NaNExponent = -32768;
  static constexpr int MaxDigits = 18;

  std::int16_t Exponent = 0;
  bool Negative = false;
  std::uint8_t DigitCount = 0;  // significant digits, no trailing zeros
  std::array<char, MaxDigits> DigitChars{};

  std::string_view Digits() const { return {DigitChars.data(), DigitCount}; }
  bool IsInfinite() const { return Exponent == InfiniteExponent; }
  bool IsNaN() const { return Exponent == NaNExponent; }
};

// At most `precision` significant digits and at most `decimals` digits after
// the point, rounded half away from zero on the decimal digits.
DecimalRecord NumberToDecimal(long double value, int precision, int decimals);
