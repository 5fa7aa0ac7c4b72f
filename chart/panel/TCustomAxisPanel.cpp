#include "chart/panel/TCustomAxisPanel.h"

#include <algorithm>
#include <vector>

#include "chart/series/TChartSeries.h"
#include "runtime/FireEvent.h"

namespace {

// Series drawing confined to the inside of the plot rectangle for a scope.
class TSeriesClip {
public:
  TSeriesClip(TCanvas3D& canvas, const TRect& plot, bool clip) : canvas_(clip ? &canvas : nullptr) {
    if (canvas_ != nullptr) {
      canvas_->ClipCube({plot.Left, plot.Top, plot.Right, plot.Bottom + 1}, 0, 0);
    }
  }
  ~TSeriesClip() {
    if (canvas_ != nullptr) {
      canvas_->UnClip();
    }
  }
  TSeriesClip(const TSeriesClip&) = delete;
  TSeriesClip& operator=(const TSeriesClip&) = delete;

private:
  TCanvas3D* canvas_;
};

}  // namespace

void TCustomAxisPanel::SetAxisVisible(bool visible) { StoreSetting(axisVisible_, visible); }
void TCustomAxisPanel::SetAxisBehind(bool behind) { StoreSetting(axisBehind_, behind); }
void TCustomAxisPanel::SetClipPoints(bool clip) { StoreSetting(clipPoints_, clip); }
void TCustomAxisPanel::SetView3DWalls(bool walls) { StoreSetting(view3DWalls_, walls); }

TAxisLayoutContext TCustomAxisPanel::AxisContext() const { return {PlotRect, 0, axisVisible_, View3D()}; }

void TCustomAxisPanel::FitAxesIntoPlotRect() {
  Axes().LayOut(AxisContext());
  std::vector<TChartAxis*> axes = Axes().All();
  // Each shown axis takes its room from what the axes before it left; the
  // four sides and the depth axis shrink the plot, further axes only place
  // themselves.
  constexpr std::size_t kShrinkingAxes = 5;
  TRect area = PlotRect;
  for (std::size_t i = 0; i < axes.size(); ++i) {
    if (!axes[i]->IsShown) {
      continue;
    }
    TRect reserved = area;
    axes[i]->ReserveRoom(Surface(), reserved, i < kShrinkingAxes);
    const TRect common = Intersection(area, reserved);
    if (!common.IsEmpty()) {
      area = common;
    }
  }
  PlotRect = area;
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
  FireEvent(OnBeforeDrawAxes, *this);
  for (TChartAxis* axis : Axes().All()) {
    if (axis->IsShown) {
      axis->DrawAxis(Surface(), AxisContext());
    }
  }
}

void TCustomAxisPanel::PaintSeries() {
  FireEvent(OnBeforeDrawSeries, *this);
  std::vector<TChartSeries*> order(SeriesList().begin(), SeriesList().end());
  if (DepthAxis().Inverted()) {
    std::reverse(order.begin(), order.end());
  }
  for (TChartSeries* series : order) {
    if (!series->Active()) {
      continue;
    }
    series->ComputeVisibleRange(PlotRect);
    if (series->FirstVisible == -1) {
      continue;
    }
    series->BeforeDrawValues();
    {
      const TSeriesClip clip(Surface(), PlotRect, clipPoints_);
      series->DrawAllPoints(Surface(), PlotRect);
    }
    series->AfterDrawValues();
  }
}
