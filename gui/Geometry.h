#pragma once

// Pixel geometry in a control's client area: x to the right, y downward.
struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle by its edges. Whether Right and Bottom are inside depends on
// the operation using it; the drawing primitives say so where it matters.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};
