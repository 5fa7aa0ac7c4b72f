#pragma once

#include <algorithm>
#include <iosfwd>

// Pixel geometry in a control's client area: x to the right, y downward.
struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle by its edges. Whether Right and Bottom are inside depends on
// the operation using it: filled shapes and the clip leave them out, hit
// tests on the plot and on title boxes take them in.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  // No pixel inside, Right and Bottom being outside.
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  // Right and Bottom outside.
  bool Contains(TPoint point) const { return point.X >= Left && point.X < Right && point.Y >= Top && point.Y < Bottom; }
  // Right and Bottom inside.
  bool ContainsInclusive(TPoint point) const {
    return point.X >= Left && point.X <= Right && point.Y >= Top && point.Y <= Bottom;
  }
  // The same corners in order: Left <= Right and Top <= Bottom.
  TRect Normalized() const {
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// A width and a height in pixels.
struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// The size a window takes where `room` is left for it: `wanted` where it
// fits, else as much of each side as fits. A side of the room that is not
// known (0 or less: no screen) holds nothing back.
TSize FittedSize(TSize wanted, TSize room);

// The top left corner of a window of `size` centred on `area`; where the
// window is larger than the area it starts at the area's top or left edge,
// so that its title bar stays on the screen.
TPoint CentredOn(TSize size, const TRect& area);

// The pixels in both. Rectangles that do not overlap give an empty one of
// zero width or height at the corner where they come closest.
TRect Intersection(const TRect& a, const TRect& b);

// For test failures: "(x, y)", "{Left, Top, Right, Bottom}" and "WxH".
std::ostream& operator<<(std::ostream& out, TPoint point);
std::ostream& operator<<(std::ostream& out, TSize size);
std::ostream& operator<<(std::ostream& out, const TRect& rect);
