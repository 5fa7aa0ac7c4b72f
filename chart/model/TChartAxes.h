#pragma once

#include <array>

#include "chart/axes/TChartAxis.h"

class TChartModel;

// A chart's axes in creation order, which is the order of layout, drawing
// and ResetToAutomatic: bottom, top, left, right, depth, depth top.
class TChartAxes {
public:
  static constexpr int Count = 6;

  explicit TChartAxes(TChartModel& chart);
  TChartAxes(const TChartAxes&) = delete;
  TChartAxes& operator=(const TChartAxes&) = delete;

  TChartAxis& operator[](int index) { return axes_[index]; }
  auto begin() { return axes_.begin(); }
  auto end() { return axes_.end(); }

  TChartAxis& BottomAxis() { return axes_[0]; }
  TChartAxis& TopAxis() { return axes_[1]; }
  TChartAxis& LeftAxis() { return axes_[2]; }
  TChartAxis& RightAxis() { return axes_[3]; }
  TChartAxis& DepthAxis() { return axes_[4]; }
  TChartAxis& DepthTopAxis() { return axes_[5]; }

  // Every axis, in order, back to automatic scaling.
  void ResetToAutomatic();

private:
  std::array<TChartAxis, Count> axes_;
};
