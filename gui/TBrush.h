#pragma once

#include "gui/Color.h"

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// The drawing state of a raster's brush. The gaps of a hatched brush take
// the raster's background colour when its background mode is opaque.
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};
