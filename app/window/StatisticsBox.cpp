#include "app/window/StatisticsBox.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace {

// The box's size for its first `lines` lines.
TSize BoxSize(const std::vector<int>& lineWidths, int lineHeight, std::size_t lines) {
  const auto end = lineWidths.begin() + static_cast<std::ptrdiff_t>(lines);
  const int widest = *std::max_element(lineWidths.begin(), end);
  return {widest + 2 * kStatisticsBoxPadding, static_cast<int>(lines) * lineHeight + 2 * kStatisticsBoxPadding};
}

}  // namespace

std::optional<TStatisticsBox> PlaceStatisticsBox(const TRect& plot, const std::vector<int>& lineWidths, int lineHeight,
                                                 const std::optional<TRect>& taken, const TCurveRows& curveRows) {
  const int roomWidth = plot.Width() - 2 * kStatisticsBoxMargin;
  const int roomHeight = plot.Height() - 2 * kStatisticsBoxMargin;
  std::size_t lines = lineWidths.size();
  while (lines > 0) {
    const TSize size = BoxSize(lineWidths, lineHeight, lines);
    if (size.Width <= roomWidth && size.Height <= roomHeight) {
      break;
    }
    --lines;
  }
  if (lines == 0) {
    return std::nullopt;
  }
  const TSize size = BoxSize(lineWidths, lineHeight, lines);
  const int left = plot.Left + kStatisticsBoxMargin;
  const int right = plot.Right - kStatisticsBoxMargin - size.Width;
  const int top = plot.Top + kStatisticsBoxMargin;
  const int bottom = plot.Bottom - kStatisticsBoxMargin - size.Height;
  const std::array<TPoint, 4> corners = {TPoint{left, top}, TPoint{right, top}, TPoint{left, bottom},
                                         TPoint{right, bottom}};
  std::optional<std::tuple<bool, int, TRect>> best;
  for (const TPoint corner : corners) {
    const TRect box{corner.X, corner.Y, corner.X + size.Width, corner.Y + size.Height};
    const auto [curveTop, curveBottom] = curveRows(box.Left, box.Right);
    const int hidden = std::max(0, std::min(curveBottom, box.Bottom) - std::max(curveTop, box.Top));
    const bool covers = taken && !Intersection(box, *taken).IsEmpty();
    // The first corner wins a tie, as the order above gives it.
    if (!best || std::tie(covers, hidden) < std::tie(std::get<0>(*best), std::get<1>(*best))) {
      best = {covers, hidden, box};
    }
  }
  return TStatisticsBox{std::get<2>(*best), lines};
}
