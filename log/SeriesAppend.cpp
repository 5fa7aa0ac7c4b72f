#include "log/SeriesAppend.h"

#include <cmath>
#include <vector>

#include "chart/series/TChartSeries.h"

namespace {

// The gaps before the series' first sample stand at its value, so that
// they leave the value axis where the samples put it.
void PlaceLeadingGaps(TChartSeries& series, double firstValue) {
  int last = series.PointCount() - 1;
  while (last >= 0 && series.IsNullPoint(last)) {
    --last;
  }
  if (last >= 0) {
    return;
  }
  for (int k = 0; k < series.PointCount(); ++k) {
    series.YValues().SetValueAt(k, firstValue);
  }
}

// Null points that keep the value before them: the value axis' range and
// fit stay as the samples make them. Before the first sample they wait at
// 0 for its value.
void AppendGaps(std::size_t count, TChartSeries& series) {
  const int points = series.PointCount();
  const std::vector<double> values(count, points > 0 ? series.YValueAt(points - 1) : 0.0);
  series.AppendValues(values, clNone);
}

}  // namespace

void AppendSamples(std::span<const double> values, TChartSeries& series, TColor color) {
  if (!values.empty() && series.PointCount() > 0 && series.IsNullPoint(series.PointCount() - 1)) {
    PlaceLeadingGaps(series, values.front());
  }
  series.AppendValues(values, color);
}

void AppendWithGaps(std::span<const double> values, TChartSeries& series, TColor color) {
  for (std::size_t i = 0; i < values.size();) {
    const bool gap = std::isnan(values[i]);
    std::size_t end = i + 1;
    while (end < values.size() && std::isnan(values[end]) == gap) {
      ++end;
    }
    if (gap) {
      AppendGaps(end - i, series);
    } else {
      AppendSamples(values.subspan(i, end - i), series, color);
    }
    i = end;
  }
}
