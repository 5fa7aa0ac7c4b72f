#pragma once

#include <string>

#include "gui/Color.h"

struct TFontStyles {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};

// A font with fixed metrics for tests: every character cell is
// FakeFontCharWidth x FakeFontCharHeight pixels whatever the size, and a
// glyph is the cell's solid block without its last column, so expected
// pixels and text extents can be computed by hand.
inline constexpr const char* FakeFontName = "Fixed Test 6x13";
inline constexpr int FakeFontCharWidth = 6;
inline constexpr int FakeFontCharHeight = 13;

// The drawing state of a raster's font. Size is in points at 96 pixels per
// inch; text is drawn in Color.
struct TFont {
  std::string Name = "Arial";
  int Size = 8;
  TColor Color = clBlack;
  TFontStyles Style{};
  int Charset = 1;
  int Escapement = 0;     // tenths of a degree, counter-clockwise
  int InterCharSize = 0;  // extra pixels after every character
  friend bool operator==(const TFont&, const TFont&) = default;
};

// The font size in pixels that a size in points has on the raster.
int FontPixelSize(int points);
