#include "gui/Geometry.h"

#include <ostream>

TRect Intersection(const TRect& a, const TRect& b) {
  TRect result{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
  result.Right = std::max(result.Right, result.Left);
  result.Bottom = std::max(result.Bottom, result.Top);
  return result;
}

std::ostream& operator<<(std::ostream& out, TPoint point) { return out << '(' << point.X << ", " << point.Y << ')'; }

std::ostream& operator<<(std::ostream& out, const TRect& rect) {
  return out << '{' << rect.Left << ", " << rect.Top << ", " << rect.Right << ", " << rect.Bottom << '}';
}
