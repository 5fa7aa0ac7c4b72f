#pragma once

#include <cstdint>

// Runs the enclosed extended arithmetic with 64-bit mantissas and rounding to
// nearest, ties to even, whatever the caller set, and gives the caller its own
// x87 control word back afterwards. Only the x87 unit is touched: the
// conversions do all their rounding-sensitive work in long double. Saving the
// whole environment instead would cost more than the conversion itself.
class NearestRoundingScope {
public:
  NearestRoundingScope() {
    asm volatile("fnstcw %0" : "=m"(saved_));
    constexpr std::uint16_t kPrecisionAndRounding = 0x0F00;
    constexpr std::uint16_t kExtendedNearest = 0x0300;
    const auto wanted = static_cast<std::uint16_t>((saved_ & ~kPrecisionAndRounding) | kExtendedNearest);
    if (wanted != saved_) {
      asm volatile("fldcw %0" : : "m"(wanted));
      changed_ = true;
    }
  }
  ~NearestRoundingScope() {
    if (changed_) {
      asm volatile("fldcw %0" : : "m"(saved_));
    }
  }
  NearestRoundingScope(const NearestRoundingScope&) = delete;
  NearestRoundingScope& operator=(const NearestRoundingScope&) = delete;

private:
  std::uint16_t saved_ = 0;
  bool changed_ = false;
};
