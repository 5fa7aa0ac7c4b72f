#include "chart/axes/TChartAxis.h"

#include <algorithm>
#include <utility>

#include "chart/axes/SeriesExtreme.h"
#include "chart/model/TChartModel.h"
#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"
#include "runtime/RoundPixel.h"
#include "runtime/StoreIfChanged.h"

namespace {

bool IsHorizontalKind(TAxisKind kind) { return kind == TAxisKind::Bottom || kind == TAxisKind::Top; }

bool IsOtherSideKind(TAxisKind kind) {
  return kind == TAxisKind::Top || kind == TAxisKind::Right || kind == TAxisKind::Depth;
}

}  // namespace

TChartAxis::TChartAxis(TChartModel& chart, TAxisKind kind)
    : chart_(chart), kind_(kind), otherSide_(IsOtherSideKind(kind)) {
  scale_.Horizontal = IsHorizontalKind(kind);
  scale_.IsDepth = IsDepthAxis();
  visible_ = !IsDepthAxis();
  if (kind == TAxisKind::Top || kind == TAxisKind::Right) {
    zPosition_ = 100;
    Grid.ZPosition = 100;
  }
  if (kind == TAxisKind::Left) {
    Title.SetAngle(90);
  } else if (kind == TAxisKind::Right) {
    Title.SetAngle(270);
  }
  WatchParts();
}

void TChartAxis::WatchParts() {
  chart_.RepaintOnChange(
      {&LabelsFont, &Ticks, &TicksInner, &MinorTicks, &Grid, &MinorGrid, &Axis, &Title, &Title.Font});
}

void TChartAxis::SetAutomatic(bool automatic) {
  chart_.StoreSetting(automatic_, automatic);
  if (!chart_.Loading()) {
    SetAutomaticMinimum(automatic);
    SetAutomaticMaximum(automatic);
  }
}

void TChartAxis::SetAutomaticEnd(bool& end, bool otherEnd, bool automatic) {
  chart_.StoreSetting(end, automatic);
  if (!automatic) {
    chart_.StoreSetting(automatic_, false);
  } else if (otherEnd) {
    chart_.StoreSetting(automatic_, true);
  }
}

void TChartAxis::SetAutomaticMinimum(bool automatic) {
  SetAutomaticEnd(automaticMinimum_, automaticMaximum_, automatic);
}

void TChartAxis::SetAutomaticMaximum(bool automatic) {
  SetAutomaticEnd(automaticMaximum_, automaticMinimum_, automatic);
}

void TChartAxis::SetMinimum(double minimum) {
  if (!chart_.Loading() && minimum > maximum_) {
    throw AxisException("Axis Minimum Value must be <= Maximum");
  }
  StoreMinimum(minimum);
}

void TChartAxis::SetMaximum(double maximum) {
  if (!chart_.Loading() && maximum < minimum_) {
    throw AxisException("Axis Maximum Value must be >= Minimum");
  }
  StoreMaximum(maximum);
}

void TChartAxis::StoreMinimum(double minimum) { chart_.StoreSetting(minimum_, minimum); }
void TChartAxis::StoreMaximum(double maximum) { chart_.StoreSetting(maximum_, maximum); }

void TChartAxis::SetIncrement(double increment) {
  if (increment < 0) {
    throw AxisException("Axis increment must be >= 0");
  }
  chart_.StoreSetting(increment_, increment);
}

void TChartAxis::SetInverted(bool inverted) {
  if (!StoreIfChanged(scale_.Inverted, inverted)) {
    return;
  }
  chart_.RequestRepaint();
  // The two depth axes are inverted together.
  if (kind_ == TAxisKind::Depth) {
    chart_.DepthTopAxis().SetInverted(inverted);
  } else if (kind_ == TAxisKind::DepthTop) {
    chart_.DepthAxis().SetInverted(inverted);
  }
}

void TChartAxis::SetHorizontal(bool horizontal) { chart_.StoreSetting(scale_.Horizontal, horizontal); }
void TChartAxis::SetOtherSide(bool otherSide) { chart_.StoreSetting(otherSide_, otherSide); }

void TChartAxis::SetLogarithmic(bool logarithmic) {
  if (logarithmic) {
    if (DateTimeScale) {
      throw AxisException("DateTime Axis cannot be Logarithmic");
    }
    TakeRange();
    if (scale_.ScaleMin < 0 || scale_.ScaleMax < 0) {
      throw AxisException("Logarithmic Axis Min and Max values should be >= 0");
    }
  }
  chart_.StoreSetting(scale_.Logarithmic, logarithmic);
  scale_.UpdateDerived();
}

void TChartAxis::SetLogarithmicBase(double base) {
  if (base == 1 || base <= 0) {
    throw AxisException("Axis Logarithmic Base should be <> 1 and > 0");
  }
  chart_.StoreSetting(logarithmicBase_, base);
}

void TChartAxis::SetStartPosition(double percent) { chart_.StoreSetting(startPosition_, percent); }
void TChartAxis::SetEndPosition(double percent) { chart_.StoreSetting(endPosition_, percent); }
void TChartAxis::SetPositionPercent(double position) { chart_.StoreSetting(positionPercent_, position); }
void TChartAxis::SetPositionUnits(TChartUnits units) { chart_.StoreSetting(positionUnits_, units); }
void TChartAxis::SetMinimumOffset(int pixels) { chart_.StoreSetting(minimumOffset_, pixels); }
void TChartAxis::SetMaximumOffset(int pixels) { chart_.StoreSetting(maximumOffset_, pixels); }
void TChartAxis::SetZPosition(double percent) { chart_.StoreSetting(zPosition_, percent); }
void TChartAxis::SetVisible(bool visible) { chart_.StoreSetting(visible_, visible); }

void TChartAxis::SetAxisRange(double low, double high) {
  automatic_ = false;
  automaticMinimum_ = false;
  automaticMaximum_ = false;
  if (low > high) {
    std::swap(low, high);
  }
  if (high - low < MinimumAxisRange) {
    high = low + MinimumAxisRange;
  }
  StoreRange(low, high);
  for (TChartAxis* axis : chart_.Axes().CustomAxes()) {
    if (axis->Master() == this) {
      axis->SetAxisRange(minimum_, maximum_);
    }
  }
}

void TChartAxis::ShiftRange(double offset, bool checkLimits) {
  if (checkLimits) {
    const bool wantMinimum = offset < 0;
    const double extreme = SeriesExtreme(chart_, *this, wantMinimum, Horizontal());
    const bool seriesBeyond = offset > 0 ? extreme > maximum_ : offset < 0 && extreme < minimum_;
    if (!seriesBeyond) {
      return;
    }
  }
  automatic_ = false;
  automaticMaximum_ = false;
  automaticMinimum_ = false;
  StoreRange(minimum_ + offset, maximum_ + offset);
}

// Both ends at once, and one repaint request when either changed.
void TChartAxis::StoreRange(double minimum, double maximum) {
  const bool minimumChanged = StoreIfChanged(minimum_, minimum);
  const bool maximumChanged = StoreIfChanged(maximum_, maximum);
  if (minimumChanged || maximumChanged) {
    chart_.RequestRepaint();
  }
}

void TChartAxis::SetMaster(TChartAxis* master) { chart_.StoreSetting(master_, master); }

bool TChartAxis::IsBoundTo(const TChartSeries& series) const { return IsSeriesBound(series, *this, Horizontal()); }

bool TChartAxis::FindDateTimeScale() const {
  for (const TChartSeries* series : chart_.SeriesList()) {
    if (series->Active() && IsBoundTo(*series)) {
      return Horizontal() ? series->XValues().DateTime() : series->YValues().DateTime();
    }
  }
  return false;
}

void TChartAxis::IsAxisShown(const TAxisLayoutContext& context) {
  DateTimeScale = FindDateTimeScale();
  if (!context.AxisVisible || !visible_) {
    IsShown = false;
    return;
  }
  if (IsDepthAxis()) {
    IsShown = context.View3D;
    return;
  }
  bool anyActive = false;
  for (const TChartSeries* series : chart_.SeriesList()) {
    if (!series->Active()) {
      continue;
    }
    anyActive = true;
    if (IsBoundTo(*series)) {
      IsShown = true;
      return;
    }
  }
  IsShown = !anyActive;
}

void TChartAxis::TakeRange() {
  if (automatic_ || automaticMaximum_) {
    maximum_ = SeriesExtreme(chart_, *this, false, Horizontal());
  }
  if (automatic_ || automaticMinimum_) {
    minimum_ = SeriesExtreme(chart_, *this, true, Horizontal());
  }
  scale_.SetScale(minimum_, maximum_);
}

void TChartAxis::UpdateDerived(const TAxisLayoutContext& context) {
  scale_.UpdateDerived();
  DepthOffset = RoundPixel(zPosition_ * context.PlotDepth * 0.01);
}

void TChartAxis::RecomputeScale(const TAxisLayoutContext& context) {
  TakeRange();
  UpdateDerived(context);
}

void TChartAxis::PlaceAlongPlot(const TAxisLayoutContext& context) {
  const TRect& plot = context.PlotRect;
  if (IsDepthAxis()) {
    scale_.PlaceAlong(0, context.PlotDepth, startPosition_, endPosition_);
  } else if (Horizontal()) {
    scale_.PlaceAlong(plot.Left, plot.Width(), startPosition_, endPosition_);
  } else {
    scale_.PlaceAlong(plot.Top, plot.Height(), startPosition_, endPosition_);
  }
  UpdateDerived(context);
}

void TChartAxis::ApplySeriesMargins(const TAxisLayoutContext& context) {
  // Pixels to keep free at the first (left, top) and last (right, bottom) end.
  int first = 0;
  int last = 0;
  const bool horizontal = Horizontal();
  // The first pixel holds the minimum on a horizontal axis, the maximum on a
  // vertical one.
  const bool firstCounts = horizontal ? automaticMinimum_ : automaticMaximum_;
  const bool lastCounts = horizontal ? automaticMaximum_ : automaticMinimum_;
  for (const TChartSeries* series : chart_.SeriesList()) {
    if (!series->Active() || !IsBoundTo(*series)) {
      continue;
    }
    const TSeriesMargins margins = horizontal ? series->HorizontalMargins() : series->VerticalMargins();
    if (firstCounts) {
      first = std::max(first, margins.Low);
    }
    if (lastCounts) {
      last = std::max(last, margins.High);
    }
  }
  int firstOffset = horizontal ? minimumOffset_ : maximumOffset_;
  int lastOffset = horizontal ? maximumOffset_ : minimumOffset_;
  if (Inverted()) {
    std::swap(firstOffset, lastOffset);
  }
  first += firstOffset;
  last += lastOffset;

  const int fullFirst = scale_.FirstPixel;
  const int fullLast = scale_.LastPixel;
  scale_.FirstPixel += first;
  scale_.LastPixel -= last;
  scale_.PixelLength = scale_.LastPixel - scale_.FirstPixel;
  const double atFirst = scale_.PixelToValue(fullFirst);
  const double atLast = scale_.PixelToValue(fullLast);
  PlaceAlongPlot(context);
  scale_.ScaleMin = std::min(atFirst, atLast);
  scale_.ScaleMax = std::max(atFirst, atLast);
  UpdateDerived(context);
  if (minimumOffset_ != 0 || maximumOffset_ != 0) {
    TitleEdge = LabelsEdge + OutwardSign() * labelsRoom_;
  }
}
