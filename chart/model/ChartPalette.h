#pragma once

#include <array>

#include "gui/Color.h"
#include "runtime/PositiveModulo.h"

// The colours series take automatically when a chart has no palette of its
// own, in the order they are handed out.
inline constexpr std::array<TColor, 20> kDefaultPalette = {
    clRed,  clGreen, clYellow, clBlue,   clWhite, clGray,  clFuchsia,    clTeal,    clNavy,  clMaroon,
    clLime, clOlive, clPurple, clSilver, clAqua,  clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray};

constexpr TColor DefaultPaletteColor(int index) {
  return kDefaultPalette[static_cast<std::size_t>(PositiveModulo(index, static_cast<int>(kDefaultPalette.size())))];
}
