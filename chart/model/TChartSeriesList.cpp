#include "chart/model/TChartSeriesList.h"

#include <algorithm>

#include "chart/model/TChartModel.h"
#include "chart/series/TChartSeries.h"

int TChartSeriesList::IndexOf(const TChartSeries& series) const {
  const auto found = std::find(series_.begin(), series_.end(), &series);
  return found == series_.end() ? -1 : static_cast<int>(found - series_.begin());
}

void TChartSeriesList::Add(TChartSeries& series) {
  if (IndexOf(series) >= 0) {
    return;
  }
  // A series moves between charts rather than sitting in two lists.
  if (series.ParentChart() != nullptr) {
    series.ParentChart()->SeriesList().Remove(series);
  }
  // The colour is picked before the series is in the list, so the series
  // does not hold a colour against itself.
  series.AddedToChart(chart_);
  series_.push_back(&series);
  chart_.RequestRepaint();
}

void TChartSeriesList::Delete(int index) {
  if (index < 0 || index >= Count()) {
    return;
  }
  TChartSeries& series = *series_[static_cast<std::size_t>(index)];
  series.RemovedFromChart();
  series_.erase(series_.begin() + index);
  chart_.RequestRepaint();
}
