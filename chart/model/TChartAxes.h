#pragma once

#include <array>
#include <memory>
#include <vector>

#include "chart/axes/TChartAxis.h"

class TChartModel;

// A chart's axes in list order, which is the order of layout, drawing and
// ResetToAutomatic: bottom, top, left, right, depth, depth top, then any
// custom axes.
class TChartAxes {
public:
  static constexpr int Count = 6;

  explicit TChartAxes(TChartModel& chart);
  TChartAxes(const TChartAxes&) = delete;
  TChartAxes& operator=(const TChartAxes&) = delete;

  TChartAxis& operator[](int index) { return axes_[static_cast<std::size_t>(index)]; }
  // The six standard axes.
  auto begin() { return axes_.begin(); }
  auto end() { return axes_.end(); }

  TChartAxis& BottomAxis() { return axes_[0]; }
  TChartAxis& TopAxis() { return axes_[1]; }
  TChartAxis& LeftAxis() { return axes_[2]; }
  TChartAxis& RightAxis() { return axes_[3]; }
  TChartAxis& DepthAxis() { return axes_[4]; }
  TChartAxis& DepthTopAxis() { return axes_[5]; }

  // Axes beyond the six, owned by the chart.
  TChartAxis& AddCustomAxis();
  std::vector<TChartAxis*> CustomAxes() const;
  // Every axis in list order, custom ones last.
  std::vector<TChartAxis*> All();
  std::vector<const TChartAxis*> All() const;

  // Every axis, in order, back to automatic scaling.
  void ResetToAutomatic();

  // The first steps of a paint's layout over context.PlotRect, for every
  // axis in list order: whether it is shown and its range, then its place
  // along the plot. The chart then takes the axes' room from the plot and
  // places them again along what is left.
  void LayOut(const TAxisLayoutContext& context);

private:
  TChartModel& chart_;
  std::array<TChartAxis, Count> axes_;
  std::vector<std::unique_ptr<TChartAxis>> custom_;
};
