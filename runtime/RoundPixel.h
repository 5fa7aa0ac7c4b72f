#pragma once

#include <cmath>

// The one conversion of a computed coordinate to whole pixels: to nearest,
// ties to even. rint rounds in the current mode, which the program never
// changes from the default; it is an instruction, not a library call like
// nearbyint, and pixel conversion is on the per-point path. Values beyond the
// int range are the caller's to clamp first.
inline int RoundPixel(double value) {
  return static_cast<int>(std::rint(value));
}
