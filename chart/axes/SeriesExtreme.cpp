#include "chart/axes/SeriesExtreme.h"

#include "chart/axes/TChartAxis.h"
#include "chart/model/TChartModel.h"
#include "chart/series/TChartSeries.h"

bool IsSeriesBound(const TChartSeries& series, const TChartAxis& axis, bool useX) {
  if (useX) {
    return series.ResolvedHorizAxis() == &axis || series.HorizAxis() == aBothHorizAxis;
  }
  return series.ResolvedVertAxis() == &axis || series.VertAxis() == aBothVertAxis;
}

namespace {

bool AnyActiveSeriesBound(const TChartModel& chart, const TChartAxis& axis) {
  for (const TChartSeries* series : chart.SeriesList()) {
    if (series->Active() && axis.IsBoundTo(*series)) {
      return true;
    }
  }
  return false;
}

}  // namespace

double SeriesExtreme(const TChartModel& chart, const TChartAxis& axis, bool wantMinimum, bool useX) {
  const bool takeInactive = !AnyActiveSeriesBound(chart, axis);
  double result = 0;
  bool taken = false;
  for (TChartSeries* series : chart.SeriesList()) {
    if ((!series->Active() && !takeInactive) || series->PointCount() == 0 || !IsSeriesBound(*series, axis, useX)) {
      continue;
    }
    const double value = useX ? (wantMinimum ? series->MinimumX() : series->MaximumX())
                              : (wantMinimum ? series->MinimumY() : series->MaximumY());
    if (!taken || (wantMinimum ? value < result : value > result)) {
      result = value;
      taken = true;
    }
  }
  return result;
}
