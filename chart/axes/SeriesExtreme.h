#pragma once

class TChartAxis;
class TChartModel;
class TChartSeries;

// Whether `series` is bound to `axis` as its horizontal (useX) or vertical
// axis, directly or through a both-axes binding.
bool IsSeriesBound(const TChartSeries& series, const TChartAxis& axis, bool useX);

// The smallest or largest X (useX) or Y value of the series bound to `axis`:
// the active ones, or all of them when no active series is bound. 0 when no
// series with points qualifies.
double SeriesExtreme(const TChartModel& chart, const TChartAxis& axis, bool wantMinimum, bool useX);
