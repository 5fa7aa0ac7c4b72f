#pragma once

#include <set>
#include <utility>

#include "gui/TRasterCanvas.h"

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of `canvas` that are not `background`.
inline PixelSet PixelsNotOf(const TRasterCanvas& canvas, TColor background = clWhite) {
  PixelSet pixels;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      if (canvas.GetPixel(x, y) != background) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

inline PixelSet RowPixels(int y, std::initializer_list<int> xs) {
  PixelSet pixels;
  for (int x : xs) {
    pixels.insert({x, y});
  }
  return pixels;
}
