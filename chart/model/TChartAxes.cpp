#include "chart/model/TChartAxes.h"

TChartAxes::TChartAxes(TChartModel& chart)
    : chart_(chart), axes_{TChartAxis(chart, TAxisKind::Bottom), TChartAxis(chart, TAxisKind::Top),
                           TChartAxis(chart, TAxisKind::Left),   TChartAxis(chart, TAxisKind::Right),
                           TChartAxis(chart, TAxisKind::Depth),  TChartAxis(chart, TAxisKind::DepthTop)} {}

TChartAxis& TChartAxes::AddCustomAxis() {
  custom_.push_back(std::make_unique<TChartAxis>(chart_, TAxisKind::Custom));
  return *custom_.back();
}

std::vector<TChartAxis*> TChartAxes::CustomAxes() const {
  std::vector<TChartAxis*> axes;
  for (const auto& axis : custom_) {
    axes.push_back(axis.get());
  }
  return axes;
}

std::vector<TChartAxis*> TChartAxes::All() {
  std::vector<TChartAxis*> axes;
  for (TChartAxis& axis : axes_) {
    axes.push_back(&axis);
  }
  for (const auto& axis : custom_) {
    axes.push_back(axis.get());
  }
  return axes;
}

std::vector<const TChartAxis*> TChartAxes::All() const {
  std::vector<const TChartAxis*> axes;
  for (const TChartAxis& axis : axes_) {
    axes.push_back(&axis);
  }
  for (const auto& axis : custom_) {
    axes.push_back(axis.get());
  }
  return axes;
}

void TChartAxes::ResetToAutomatic() {
  for (TChartAxis* axis : All()) {
    axis->SetAutomatic(true);
  }
}

void TChartAxes::LayOut(const TAxisLayoutContext& context) {
  const std::vector<TChartAxis*> axes = All();
  for (TChartAxis* axis : axes) {
    axis->IsAxisShown(context);
    axis->RecomputeScale(context);
  }
  for (TChartAxis* axis : axes) {
    axis->PlaceAlongPlot(context);
  }
}
