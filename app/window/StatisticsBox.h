#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "gui/Geometry.h"

// A pane's statistics box: where it goes and how many of its lines it
// shows, the first ones.
struct TStatisticsBox {
  TRect Box;
  std::size_t Lines = 0;
};

// Inside the plot, and so over none of its axes' labels or title, this
// many pixels from its edges.
constexpr int kStatisticsBoxMargin = 3;
// Between the box's edge and its text.
constexpr int kStatisticsBoxPadding = 2;

// The rows (top, bottom) the curve takes below the box columns left to right.
using TCurveRows = std::function<std::pair<int, int>(int left, int right)>;

// The box of lines of these text widths and the line height, at the corner
// of the plot where it overlaps no `taken` box (the cursor readout's) and,
// of those, hides least of the curve. In a plot too small for all lines
// the last lines go first; none when not even the first line fits.
std::optional<TStatisticsBox> PlaceStatisticsBox(const TRect& plot, const std::vector<int>& lineWidths, int lineHeight,
                                                 const std::optional<TRect>& taken, const TCurveRows& curveRows);
