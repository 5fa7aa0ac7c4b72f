#pragma once

// A chart pane as the series tests and benchmarks draw in it.

#include "chart/canvas/TBufferedCanvas3D.h"
#include "chart/model/TChartModel.h"
#include "chart/series/TLineSeries.h"
#include "gui/TRasterCanvas.h"

// A pane of the window: its size and the plot rectangle its default margins
// leave.
constexpr int kPaneWidth = 728;
constexpr int kPaneHeight = 129;
constexpr TRect kPaneBounds{0, 0, kPaneWidth, kPaneHeight};
constexpr TRect kPanePlot{1, 2, 727, 122};

// A line series on a chart whose axes are laid out over `Plot`, as a paint
// lays them out before the series draw.
struct TLineSeriesPane {
  TChartModel Chart;
  TLineSeries Series;
  TRect Plot;

  explicit TLineSeriesPane(const TRect& plot = kPanePlot) : Plot(plot) { Chart.SeriesList().Add(Series); }

  void LayOutAxes() { Chart.Axes().LayOut(TAxisLayoutContext{Plot}); }
};

// A pane's off-screen surface, ready for a series to draw on.
struct TPaneSurface {
  TRasterCanvas Screen{kPaneWidth, kPaneHeight};
  TBufferedCanvas3D Surface;

  TPaneSurface() {
    Surface.ResetState();
    Surface.BeginDrawing(Screen, kPaneBounds, 100);
  }

  // As the chart clips its series: the plot with its bottom row.
  void ClipToPlot(const TRect& plot) { Surface.ClipCube({plot.Left, plot.Top, plot.Right, plot.Bottom + 1}, 0, 0); }
};
