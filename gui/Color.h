#pragma once

#include <cstdint>

// A colour as 0x00BBGGRR. Negative values name system colours that the
// platform resolves (ResolveSystemColor in gui/SystemColors.h).
using TColor = std::int32_t;

// Sentinels outside the RGB range.
constexpr TColor clDefault = 0x20000000;  // not set: defer to series, chart or palette
constexpr TColor clNone = 0x1FFFFFFF;     // nothing: a null point, no background

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// System colours: the sign bit set, the low byte names the platform colour.
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnHighlight = clSystemColor | 20;

constexpr bool IsSystemColor(TColor color) { return color < 0; }

constexpr int RedOf(TColor color) { return color & 0xFF; }
constexpr int GreenOf(TColor color) { return (color >> 8) & 0xFF; }
constexpr int BlueOf(TColor color) { return (color >> 16) & 0xFF; }
constexpr TColor RGBColor(int red, int green, int blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}
