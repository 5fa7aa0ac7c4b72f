#pragma once

#include "chart/panel/TCustomChartPanelExtended.h"

// The level of a chart that lays out and paints its axes and series.
class TCustomAxisPanel : public TCustomChartPanelExtended {
public:
  using TCustomChartPanelExtended::TCustomChartPanelExtended;

  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool visible);
  bool AxisBehind() const { return axisBehind_; }
  void SetAxisBehind(bool behind);
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool clip);
  bool View3DWalls() const { return view3DWalls_; }
  void SetView3DWalls(bool walls);

  TChartNotifyEvent OnBeforeDrawChart;
  TChartNotifyEvent OnBeforeDrawAxes;
  TChartNotifyEvent OnBeforeDrawSeries;

  // What the axes are given for the current layout.
  TAxisLayoutContext AxisContext() const;

protected:
  void FitAxesIntoPlotRect();
  void ApplySeriesMargins();
  void PaintAxes();
  void PaintSeries();

private:
  bool axisVisible_ = true;
  bool axisBehind_ = true;
  bool clipPoints_ = true;
  bool view3DWalls_ = true;
};
