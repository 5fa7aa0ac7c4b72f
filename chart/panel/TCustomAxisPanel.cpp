#include "chart/panel/TCustomAxisPanel.h"

#include "chart/series/TChartSeries.h"

template <class T>
void TCustomAxisPanel::Store(T& field, const T& value) {
  if (field == value) {
    return;
  }
  field = value;
  RequestRepaint();
}

void TCustomAxisPanel::SetAxisVisible(bool visible) { Store(axisVisible_, visible); }
void TCustomAxisPanel::SetAxisBehind(bool behind) { Store(axisBehind_, behind); }
void TCustomAxisPanel::SetClipPoints(bool clip) { Store(clipPoints_, clip); }
void TCustomAxisPanel::SetView3DWalls(bool walls) { Store(view3DWalls_, walls); }

TAxisLayoutContext TCustomAxisPanel::AxisContext() const {
  return {PlotRect, 0, axisVisible_, View3D()};
}

void TCustomAxisPanel::FitAxesIntoPlotRect() {
  std::vector<TChartAxis*> axes = Axes().All();
  for (TChartAxis* axis : axes) {
    axis->IsAxisShown(AxisContext());
    axis->RecomputeScale(AxisContext());
  }
  for (TChartAxis* axis : axes) {
    axis->PlaceAlongPlot(AxisContext());
  }
  UpdatePlotSize();
  for (TChartAxis* axis : axes) {
    axis->PlaceAlongPlot(AxisContext());
  }
}

void TCustomAxisPanel::ApplySeriesMargins() {
  for (TChartAxis* axis : Axes().All()) {
    axis->ApplySeriesMargins(AxisContext());
  }
}

void TCustomAxisPanel::PaintAxes() {
  if (!axisVisible_) {
    return;
  }
  if (OnBeforeDrawAxes) {
    OnBeforeDrawAxes(*this);
  }
}

void TCustomAxisPanel::PaintSeries() {
  if (OnBeforeDrawSeries) {
    OnBeforeDrawSeries(*this);
  }
}
