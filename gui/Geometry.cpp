#include "gui/Geometry.h"

#include <ostream>

TRect Intersection(const TRect& a, const TRect& b) {
  TRect result{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
  result.Right = std::max(result.Right, result.Left);
  result.Bottom = std::max(result.Bottom, result.Top);
  return result;
}

TSize FittedSize(TSize wanted, TSize room) {
  const auto side = [](int want, int space) { return space > 0 ? std::min(want, space) : want; };
  return {side(wanted.Width, room.Width), side(wanted.Height, room.Height)};
}

TPoint CentredOn(TSize size, const TRect& area) {
  const auto start = [](int low, int span, int length) { return low + std::max(0, (span - length) / 2); };
  return {start(area.Left, area.Width(), size.Width), start(area.Top, area.Height(), size.Height)};
}

std::ostream& operator<<(std::ostream& out, TSize size) { return out << size.Width << 'x' << size.Height; }

std::ostream& operator<<(std::ostream& out, TPoint point) { return out << '(' << point.X << ", " << point.Y << ')'; }

std::ostream& operator<<(std::ostream& out, const TRect& rect) {
  return out << '{' << rect.Left << ", " << rect.Top << ", " << rect.Right << ", " << rect.Bottom << '}';
}
