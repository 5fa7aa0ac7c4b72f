#pragma once

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The one conversion of a computed coordinate to whole pixels: to nearest,
// ties to even. Series drawing converts every point of a log, so on x86 it is
// the single conversion instruction, which rounds in the SSE rounding mode;
// the program never changes that mode from nearest-even (the x87 control word
// that number formatting sets is separate from it). Values beyond the int
// range are the caller's to clamp first.
inline int RoundPixel(double value) {
#if defined(__SSE2__)
  return _mm_cvtsd_si32(_mm_set_sd(value));
#else
  return static_cast<int>(std::rint(value));
#endif
}
