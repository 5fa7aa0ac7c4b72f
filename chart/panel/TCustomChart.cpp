#include "chart/panel/TCustomChart.h"

TCustomChart::TCustomChart(Control* parent) : TCustomAxisPanel(parent) {}

void TCustomChart::DrawChartContent() {
  const TRepaintSuspension noRepaints(*this);
  PaintPanelBackground(PanelRect);
  if (OnBeforeDrawChart) {
    OnBeforeDrawChart(*this);
  }
  UpdatePlotSize();
  FitAxesIntoPlotRect();
  ApplySeriesMargins();
  PaintWalls();
  if (AxisBehind()) {
    PaintAxes();
  }
  PaintSeries();
  if (!AxisBehind()) {
    PaintAxes();
  }
  DrawZoomFrameWhileDragging();
  if (OnAfterDraw) {
    OnAfterDraw(*this);
  }
}

void TCustomChart::PaintWalls() {}
