#pragma once

#include <cstdint>

#include "gui/TPen.h"

// Pixels of a raster are 0xFFRRGGBB; the raster operations act on the colour
// bits and keep the pixel opaque.
inline std::uint32_t ApplyRasterOp(TPenMode mode, std::uint32_t pen, std::uint32_t dst) {
  std::uint32_t result = 0;
  switch (mode) {
    case pmBlack: result = 0; break;
    case pmWhite: result = ~0u; break;
    case pmNop: result = dst; break;
    case pmNot: result = ~dst; break;
    case pmCopy: result = pen; break;
    case pmNotCopy: result = ~pen; break;
    case pmMergePenNot: result = pen | ~dst; break;
    case pmMaskPenNot: result = pen & ~dst; break;
    case pmMergeNotPen: result = ~pen | dst; break;
    case pmMaskNotPen: result = ~pen & dst; break;
    case pmMerge: result = pen | dst; break;
    case pmNotMerge: result = ~(pen | dst); break;
    case pmMask: result = pen & dst; break;
    case pmNotMask: result = ~(pen & dst); break;
    case pmXor: result = pen ^ dst; break;
    case pmNotXor: result = ~(pen ^ dst); break;
  }
  return result | 0xFF000000u;
}
