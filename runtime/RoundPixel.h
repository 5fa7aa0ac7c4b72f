#pragma once

#include <cmath>

// The one conversion of a computed coordinate to whole pixels: to nearest,
// ties to even (the default rounding mode). Values beyond the int range are
// the caller's to clamp first.
inline int RoundPixel(double value) {
  return static_cast<int>(std::nearbyint(value));
}
