#pragma once

#include <array>

#include "gui/Color.h"

// The colours series take automatically when a chart has no palette of its
// own, in the order they are handed out.
inline constexpr std::array<TColor, 20> kDefaultPalette = {
    clRed,    clGreen, clYellow,     clBlue,     clWhite, clGray,   clFuchsia,
    clTeal,   clNavy,  clMaroon,     clLime,     clOlive, clPurple, clSilver,
    clAqua,   clBlack, clMoneyGreen, clSkyBlue,  clCream, clMedGray};

// Entry `index` of the default palette, wrapping around; negative indices
// wrap the same way.
constexpr TColor DefaultPaletteColor(int index) {
  const int n = static_cast<int>(kDefaultPalette.size());
  return kDefaultPalette[((index % n) + n) % n];
}
