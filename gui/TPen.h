#pragma once

#include "gui/Color.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };

// The sixteen binary raster operations: how a pen pixel P combines with the
// pixel D already there.
enum TPenMode {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // not D
  pmCopy,         // P
  pmNotCopy,      // not P
  pmMergePenNot,  // P or not D
  pmMaskPenNot,   // P and not D
  pmMergeNotPen,  // not P or D
  pmMaskNotPen,   // not P and D
  pmMerge,        // P or D
  pmNotMerge,     // not (P or D)
  pmMask,         // P and D
  pmNotMask,      // not (P and D)
  pmXor,          // P xor D
  pmNotXor        // not (P xor D)
};

// Line ends (and the matching joins) of pens two or more pixels wide.
enum TPenEndStyle { esRound, esSquare, esFlat };

// The drawing state of a raster's pen. A pen of width 1 or less is a
// one-pixel cosmetic pen; wider pens are geometric.
struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  TPenEndStyle EndStyle = esRound;
  // With psUserStyle: one dot every UserDotPeriod pixels (a user dash
  // pattern of a zero-length dot and a gap). 0 draws solid.
  int UserDotPeriod = 0;
  friend bool operator==(const TPen&, const TPen&) = default;
};

// A one-pixel cosmetic pen, drawn by our own line raster.
inline bool IsThin(const TPen& pen) { return pen.Width <= 1; }
