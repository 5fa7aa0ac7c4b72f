#include "app/view/TPaneCoordinator.h"
#include "chart/series/TChartSeries.h"

#include <algorithm>
#include <cmath>

#include "app/measure/CursorReadout.h"
#include "app/state/TSavedState.h"
#include "log/TStampTimes.h"
#include "runtime/ScopedRestore.h"

namespace {

TAxisRange RangeOf(const TChartAxis& axis) { return {axis.Minimum(), axis.Maximum()}; }

TChartSeries& SeriesOf(TChart& chart) { return chart.SeriesList()[0]; }

// Zooming in by key stops once a sample step is this many columns wide:
// deeper, the rounding of the readout's column lets its sample leave the
// view and the axis labels run out of digits.
constexpr double kColumnsPerSampleAtDeepestKeyZoom = 4;

bool MayZoomIn(const TChartSeries& series, const TChartAxis& horizontal, int columns, int sample) {
  const int count = series.PointCount();
  if (count < 2) {
    return false;
  }
  const int neighbour = sample + 1 < count ? sample + 1 : sample - 1;
  const double step = std::abs(series.XValueAt(neighbour) - series.XValueAt(sample));
  const double view = horizontal.Maximum() - horizontal.Minimum();
  return step * columns < kColumnsPerSampleAtDeepestKeyZoom * view;
}

// Zooming out by key stops once the view holds every sample of the logs.
bool MayZoomOut(const TChartAxis& horizontal, const std::optional<TAxisRange>& logs) {
  return logs && (horizontal.Minimum() > logs->Minimum || horizontal.Maximum() < logs->Maximum);
}

// The range of the values shown, when they have one. Null points (lines
// skipped, words shown as marks) stay out of it; only then are the points
// looked at one by one.
std::optional<TAxisRange> NumbersRange(const TChartSeries& series, const TColumnSamples& shown) {
  std::optional<TAxisRange> range = TAxisRange{shown.Min, shown.Max};
  if (series.MayStoreNullPoints()) {
    range.reset();
    for (int i = shown.First; i <= shown.Last; ++i) {
      if (!series.IsNullPoint(i)) {
        const double value = series.YValueAt(i);
        range = range ? TAxisRange{std::min(range->Minimum, value), std::max(range->Maximum, value)}
                      : TAxisRange{value, value};
      }
    }
  }
  if (!range || !std::isfinite(range->Minimum) || !std::isfinite(range->Maximum) ||
      !(range->Minimum < range->Maximum)) {
    return std::nullopt;
  }
  return range;
}

}  // namespace

TPaneCoordinator::TPaneCoordinator(std::array<TChart*, PaneCount> charts, const TSavedState& state)
    : charts_(charts), state_(state) {}

TLockMode TPaneCoordinator::Mode() const {
  const TLockMode mode = state_.LockMode();
  return mode == TLockMode::Time && !TimeAvailable() ? TLockMode::Samples : mode;
}

TPaneTimes TPaneCoordinator::Times(std::uint8_t pane) const { return PaneTimes ? PaneTimes(pane) : TPaneTimes{}; }

bool TPaneCoordinator::TimeAvailable() const {
  bool any = false;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    const int count = SeriesOf(Chart(pane)).PointCount();
    if (count == 0) {
      continue;
    }
    const TPaneTimes times = Times(pane);
    if (!times.Usable() || times.Times->Count() != static_cast<std::size_t>(count)) {
      return false;
    }
    any = true;
  }
  return any;
}

std::optional<TAxisRange> TPaneCoordinator::AllLogsTime() const {
  std::optional<TAxisRange> common;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (SeriesOf(Chart(pane)).PointCount() == 0) {
      continue;
    }
    const TAxisRange span = Times(pane).Span();
    common =
        common ? TAxisRange{std::min(common->Minimum, span.Minimum), std::max(common->Maximum, span.Maximum)} : span;
  }
  return common;
}

TAxisRange TPaneCoordinator::SampleRange(std::uint8_t pane, TAxisRange time) const {
  const TPaneTimes times = Times(pane);
  return {times.SampleAt(time.Minimum), times.SampleAt(time.Maximum)};
}

// Every pane gets the time range itself, bit for bit, on its top axis, and
// the sample numbers its own log has in it on its bottom axis; the source,
// zoomed or panned by the chart already, only the latter.
void TPaneCoordinator::ShareTime(std::optional<std::uint8_t> source, TAxisRange time, bool zoom) {
  const ScopedRestore<bool> sharing(sharing_, true);
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = Chart(pane);
    const bool samples = SeriesOf(chart).PointCount() > 0;
    const TAxisRange bottom = samples ? SampleRange(pane, time) : RangeOf(chart.BottomAxis());
    if (zoom && pane != source) {
      chart.ApplyZoomRanges(time, bottom, RangeOf(chart.LeftAxis()), RangeOf(chart.RightAxis()));
      continue;
    }
    chart.TopAxis().SetAxisRange(time.Minimum, time.Maximum);
    if (samples) {
      chart.BottomAxis().SetAxisRange(bottom.Minimum, bottom.Maximum);
    }
  }
}

void TPaneCoordinator::MousePressed(std::uint8_t pane, TMouseButton button, TShiftState shift) {
  const bool values = button == mbLeft && (shift & ssShift) != 0;
  Chart(pane).Zoom().SetDirection(values ? zdVertical : zdHorizontal);
}

void TPaneCoordinator::MouseReleased(std::uint8_t pane, TMouseButton button) {
  if (!Chart(pane).ReleaseZooms(button)) {
    return;
  }
  if (Chart(pane).Zoom().Direction() == zdVertical) {
    valueDragReleased_ = pane;
  } else if (!state_.Locked()) {
    SyncZoom(pane);
  }
}

void TPaneCoordinator::SyncZoom(std::uint8_t sourcePane) {
  const ScopedRestore<bool> sharing(sharing_, true);
  const TChartZoom& zoom = Chart(sourcePane).Zoom();
  const TRect rect{zoom.StartX, zoom.StartY, zoom.EndX, zoom.EndY};
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (pane != sourcePane) {
      Chart(pane).ZoomToRectangle(rect);
    }
  }
}

void TPaneCoordinator::UndoneZoom(std::uint8_t pane) {
  // A value range set without a zoom left the chart nothing to restore.
  if (valuesSet_[pane]) {
    Chart(pane).RightAxis().SetAutomatic(true);
  }
  ForgetZooms();
  for (std::uint8_t other = 0; other < PaneCount; ++other) {
    if (other != pane) {
      Chart(other).Axes().ResetToAutomatic();
    }
  }
  if (state_.Locked()) {
    for (std::uint8_t other = 0; other < PaneCount; ++other) {
      Chart(other).EndZoom();
    }
    ShareCommonRange();
  }
  FitValues();
}

// The pane the user zoomed or panned, locked or not, is the one the others
// line up on when they are locked again; the panes that only follow it are
// not.
void TPaneCoordinator::Zoomed(std::uint8_t pane) {
  if (valueDragReleased_ == pane) {
    valueDragReleased_.reset();
    valuesSet_[pane] = true;
    RememberZoom(pane);
    return;
  }
  RememberZoom(pane);
  if (sharing_) {
    return;
  }
  lastSource_ = pane;
  if (state_.Locked()) {
    ShareRangeOf(pane, true);
  }
  FitValues();
}

void TPaneCoordinator::Scrolled(std::uint8_t pane) {
  if (sharing_) {
    return;
  }
  lastSource_ = pane;
  if (state_.Locked()) {
    ShareRangeOf(pane, false);
  }
  FitValues();
}

// The source's range exactly, not one worked out again from pixels: the
// panes' plots differ in width. The other panes keep the values they show,
// as a zoom passed on in pixels does.
void TPaneCoordinator::ShareRangeOf(std::uint8_t source, bool zoom) {
  if (TimeLocked()) {
    ShareTime(source, RangeOf(Chart(source).TopAxis()), zoom);
    return;
  }
  const ScopedRestore<bool> sharing(sharing_, true);
  TChart& from = Chart(source);
  const TAxisRange top = RangeOf(from.TopAxis());
  const TAxisRange bottom = RangeOf(from.BottomAxis());
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = Chart(pane);
    if (pane == source) {
      continue;
    }
    if (zoom) {
      chart.ApplyZoomRanges(top, bottom, RangeOf(chart.LeftAxis()), RangeOf(chart.RightAxis()));
    } else {
      chart.TopAxis().SetAxisRange(top.Minimum, top.Maximum);
      chart.BottomAxis().SetAxisRange(bottom.Minimum, bottom.Maximum);
    }
  }
}

// Logs of different lengths then show the same sample numbers: a shorter
// log simply ends.
void TPaneCoordinator::ShareCommonRange() {
  const bool time = TimeLocked();
  const std::optional<TAxisRange> common = time ? AllLogsTime() : AllLogsRange();
  // One sample has no range to share: its automatic scale widens it.
  if (!common || common->Minimum == common->Maximum) {
    return;
  }
  if (time) {
    ShareTime(std::nullopt, *common, false);
    return;
  }
  for (TChart* chart : charts_) {
    chart->TopAxis().SetAxisRange(common->Minimum, common->Maximum);
    chart->BottomAxis().SetAxisRange(common->Minimum, common->Maximum);
  }
}

std::optional<TAxisRange> TPaneCoordinator::AllLogsRange() const {
  std::optional<TAxisRange> common;
  for (TChart* chart : charts_) {
    const TChartSeries& series = SeriesOf(*chart);
    if (series.PointCount() == 0) {
      continue;
    }
    const TAxisRange range{series.XValueAt(0), series.XValueAt(series.PointCount() - 1)};
    common =
        common ? TAxisRange{std::min(common->Minimum, range.Minimum), std::max(common->Maximum, range.Maximum)} : range;
  }
  return common;
}

void TPaneCoordinator::BeginTimeShift(std::uint8_t pane, int x, double offset) {
  timeShift_ = TTimeShift{pane, x, offset};
  Chart(pane).Zoom().SetAllow(false);
}

// The curve follows the mouse: dragged to the right, the log lies later.
std::optional<std::pair<std::uint8_t, double>> TPaneCoordinator::TimeShiftTo(int x) const {
  if (!timeShift_) {
    return std::nullopt;
  }
  const TChartAxis& time = Chart(timeShift_->Pane).TopAxis();
  const double offset = timeShift_->FromOffset + time.PixelToValue(x) - time.PixelToValue(timeShift_->FromColumn);
  // The mouse is as exact as a pixel column: the shift keeps the decimals a
  // column's time needs ("+36.3 s"), not fifteen.
  const double column = std::abs(time.PixelToValue(x + 1) - time.PixelToValue(x));
  if (!(column > 0) || !std::isfinite(column)) {
    return std::pair{timeShift_->Pane, offset};
  }
  const double scale = std::pow(10.0, std::clamp(-std::floor(std::log10(column)), 0.0, 9.0));
  return std::pair{timeShift_->Pane, std::round(offset * scale) / scale};
}

bool TPaneCoordinator::EndTimeShift() {
  if (!timeShift_) {
    return false;
  }
  Chart(timeShift_->Pane).Zoom().SetAllow(true);
  timeShift_.reset();
  return true;
}

void TPaneCoordinator::TimesChanged() {
  if (TimeLocked()) {
    ShareTime(std::nullopt, RangeOf(Chart(0).TopAxis()), false);
  }
  FitValues();
}

std::optional<std::uint8_t> TPaneCoordinator::ZoomedPane() const {
  if (Chart(lastSource_).IsZoomed) {
    return lastSource_;
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (Chart(pane).IsZoomed) {
      return pane;
    }
  }
  return std::nullopt;
}

void TPaneCoordinator::Align() {
  ShowBandOverPictures();
  ShowHorizontalAxis();
  if (state_.Locked()) {
    if (const std::optional<std::uint8_t> zoomed = ZoomedPane()) {
      ShareRangeOf(*zoomed, false);
    } else {
      ShareCommonRange();
    }
  }
  FitValues();
}

// Unlocked, the ranges shared at automatic scaling go; zooms stay.
void TPaneCoordinator::LockChanged() {
  ShowBandOverPictures();
  ShowHorizontalAxis();
  if (state_.Locked()) {
    Align();
    return;
  }
  for (TChart* chart : charts_) {
    if (!chart->IsZoomed) {
      chart->Axes().ResetToAutomatic();
    }
  }
  FitValues();
}

void TPaneCoordinator::UndoAll() {
  ForgetZooms();
  for (TChart* chart : charts_) {
    chart->EndZoom();
  }
  Align();
}

void TPaneCoordinator::Back() {
  if (BackFromValueRanges()) {
    FitValues();
    return;
  }
  const auto atFirstZoom = [](const std::vector<TZoomView>& views) { return views.size() == 1; };
  const auto unzoomed = [](const std::vector<TZoomView>& views) { return views.empty(); };
  if (std::any_of(zoomHistory_.begin(), zoomHistory_.end(), atFirstZoom) ||
      std::all_of(zoomHistory_.begin(), zoomHistory_.end(), unzoomed)) {
    UndoAll();
    return;
  }
  std::optional<std::uint8_t> restored;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    std::vector<TZoomView>& views = zoomHistory_[pane];
    if (views.size() < 2) {
      continue;
    }
    views.pop_back();
    TChart& chart = Chart(pane);
    const TZoomView& view = views.back();
    chart.TopAxis().SetAxisRange(view.Top.Minimum, view.Top.Maximum);
    chart.BottomAxis().SetAxisRange(view.Bottom.Minimum, view.Bottom.Maximum);
    chart.LeftAxis().SetAxisRange(view.Left.Minimum, view.Left.Maximum);
    chart.RightAxis().SetAxisRange(view.Right.Minimum, view.Right.Maximum);
    valuesSet_[pane] = view.ValuesSet;
    restored = restored ? restored : std::optional<std::uint8_t>(pane);
  }
  // The panes' histories hold the same time ranges; one of them is shared
  // so that the sample ranges follow it too.
  if (restored && TimeLocked()) {
    ShareRangeOf(*restored, false);
  }
  FitValues();
}

// A value range the user set is the first a step back undoes, in the
// panes that have one, leaving their sideways views and the other panes.
bool TPaneCoordinator::BackFromValueRanges() {
  bool any = false;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    std::vector<TZoomView>& views = zoomHistory_[pane];
    if (!valuesSet_[pane] || views.empty()) {
      continue;
    }
    any = true;
    views.pop_back();
    TChartAxis& values = Chart(pane).RightAxis();
    if (views.empty()) {
      values.SetAutomatic(true);
      valuesSet_[pane] = false;
    } else {
      values.SetAxisRange(views.back().Right.Minimum, views.back().Right.Maximum);
      valuesSet_[pane] = views.back().ValuesSet;
    }
  }
  return any;
}

void TPaneCoordinator::ZoomAbout(std::uint8_t pane, int column, int index, bool in) {
  TChart& chart = Chart(pane);
  const TRect& plot = chart.PlotRect;
  const int width = plot.Right - plot.Left;
  const bool time = TimeLocked();
  if (in ? !MayZoomIn(SeriesOf(chart), chart.BottomAxis(), width, index)
         : !MayZoomOut(time ? chart.TopAxis() : chart.BottomAxis(), time ? AllLogsTime() : AllLogsRange())) {
    return;
  }
  // The column keeps its place in the plot, so that the sample under a
  // still mouse stays under it.
  const int left = column - plot.Left;
  const int right = plot.Right - column;
  const TRect rect = in ? TRect{column - left / 2, plot.Top, column + right / 2, plot.Bottom}
                        : TRect{column - 2 * left, plot.Top, column + 2 * right, plot.Bottom};
  TChartZoom& zoom = chart.Zoom();
  zoom.StartX = rect.Left;
  zoom.StartY = rect.Top;
  zoom.EndX = rect.Right;
  zoom.EndY = rect.Bottom;
  if (!state_.Locked()) {
    SyncZoom(pane);
  }
  chart.ZoomToRectangle(rect);
}

void TPaneCoordinator::ZoomValues(std::uint8_t pane, int row, bool in) {
  constexpr double kNotch = 1.25;
  TChartAxis& values = Chart(pane).RightAxis();
  const double at = values.PixelToValue(row);
  const double scale = in ? 1 / kNotch : kNotch;
  SetValueRange(pane, at - (at - values.Minimum()) * scale, at + (values.Maximum() - at) * scale);
}

bool TPaneCoordinator::SetValueRange(std::uint8_t pane, double minimum, double maximum) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum) || !(minimum < maximum)) {
    return false;
  }
  Chart(pane).RightAxis().SetAxisRange(minimum, maximum);
  valuesSet_[pane] = true;
  RememberZoom(pane);
  return true;
}

TPaneCoordinator::TValueSource TPaneCoordinator::ValueSource(std::uint8_t pane) const {
  if (valuesSet_[pane]) {
    return TValueSource::Set;
  }
  return state_.FitValues() && !Chart(pane).RightAxis().Automatic() ? TValueSource::View : TValueSource::All;
}

void TPaneCoordinator::SetPanning(TPanningMode mode) {
  for (TChart* chart : charts_) {
    chart->SetAllowPanning(mode);
  }
}

void TPaneCoordinator::ResetToAutomatic() {
  valuesSet_ = {};
  for (TChart* chart : charts_) {
    chart->Axes().ResetToAutomatic();
  }
  if (state_.Locked()) {
    ShareCommonRange();
  }
  FitValues();
}

// A value range the user set was for the old log.
void TPaneCoordinator::ForgetViews(std::uint8_t pane) {
  zoomHistory_.at(pane).clear();
  if (valuesSet_.at(pane)) {
    Chart(pane).RightAxis().SetAutomatic(true);
    valuesSet_[pane] = false;
  }
}

void TPaneCoordinator::FollowSamples(std::uint8_t pane, int pointsBefore) {
  TChart& chart = Chart(pane);
  const TChartSeries& series = SeriesOf(chart);
  if (pointsBefore == 0 || series.PointCount() == pointsBefore || chart.BottomAxis().Automatic()) {
    return;
  }
  const double lastBefore = series.XValueAt(pointsBefore - 1);
  if (chart.BottomAxis().Maximum() < lastBefore) {
    return;
  }
  const double shift = series.XValueAt(series.PointCount() - 1) - lastBefore;
  for (TChartAxis* axis : {&chart.TopAxis(), &chart.BottomAxis()}) {
    axis->SetAxisRange(axis->Minimum() + shift, axis->Maximum() + shift);
  }
  FitValues();
}

void TPaneCoordinator::FitChanged() {
  if (state_.FitValues()) {
    FitValues();
    return;
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (!valuesSet_[pane]) {
      Chart(pane).RightAxis().SetAutomatic(true);
    }
  }
}

// A pane showing its whole log scales automatically, which fits it
// already, so an undo still ends at the described scale; a flat stretch
// has no range to fit.
void TPaneCoordinator::FitValues() {
  if (!state_.FitValues()) {
    return;
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (valuesSet_[pane]) {
      continue;
    }
    TChart* chart = charts_[pane];
    const TChartAxis& horizontal = chart->BottomAxis();
    const TChartSeries& series = SeriesOf(*chart);
    const std::optional<TColumnSamples> shown =
        horizontal.Automatic() ? std::nullopt : SamplesBetween(series, horizontal.Minimum(), horizontal.Maximum());
    if (!shown || (shown->First == 0 && shown->Last == series.PointCount() - 1)) {
      chart->RightAxis().SetAutomatic(true);
    } else if (const std::optional<TAxisRange> range = NumbersRange(series, *shown)) {
      chart->RightAxis().SetAxisRange(range->Minimum, range->Maximum);
    }
  }
}

void TPaneCoordinator::ShowSampleAxis(bool shown) {
  axisShown_ = shown;
  ShowHorizontalAxis();
}

// The engine shows an axis that a series is bound to: locked by time the
// series is bound to both, and still drawn by its sample numbers.
void TPaneCoordinator::ShowHorizontalAxis() {
  const bool time = axisShown_ && TimeLocked();
  for (TChart* chart : charts_) {
    chart->BottomAxis().SetVisible(axisShown_ && !time);
    chart->TopAxis().SetOtherSide(!time);
    SeriesOf(*chart).SetHorizAxis(time ? aBothHorizAxis : aBottomAxis);
  }
}

// A plot's right edge moves by as much as its labels' room grows, so the
// room each needs for the common edge follows from its last layout.
bool TPaneCoordinator::ShareEdges() {
  if (!state_.Locked()) {
    bool changed = false;
    for (TChart* chart : charts_) {
      changed = changed || chart->RightAxis().LabelsSize() != 0;
      chart->RightAxis().SetLabelsSize(0);
    }
    return changed;
  }
  std::array<int, PaneCount> reach{};
  std::optional<int> edge;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = Chart(pane);
    TChartAxis& values = chart.RightAxis();
    chart.Surface().ApplyFont(values.LabelsFont);
    const int natural = values.WidestLabelWidth(chart.Surface());
    reach[pane] = chart.PlotRect.Right + (values.LabelsSize() != 0 ? values.LabelsSize() : natural);
    edge = std::min(edge.value_or(reach[pane] - natural), reach[pane] - natural);
  }
  bool changed = false;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChartAxis& values = Chart(pane).RightAxis();
    const int room = reach[pane] - *edge;
    changed = changed || values.LabelsSize() != room;
    values.SetLabelsSize(room);
  }
  return changed;
}

// Locked, the band is a dark dashed frame over the picture, to be seen on
// any colours; unlocked, the zoom by pixel columns keeps its xor band.
void TPaneCoordinator::ShowBandOverPictures() {
  for (TChart* chart : charts_) {
    chart->Zoom().SetXorBand(!state_.Locked());
  }
}

void TPaneCoordinator::RememberZoom(std::uint8_t pane) {
  TChart& chart = Chart(pane);
  zoomHistory_[pane].push_back({RangeOf(chart.TopAxis()), RangeOf(chart.BottomAxis()), RangeOf(chart.LeftAxis()),
                                RangeOf(chart.RightAxis()), valuesSet_[pane]});
}

// Every way back to automatic scaling ends the value ranges set too.
void TPaneCoordinator::ForgetZooms() {
  for (std::vector<TZoomView>& views : zoomHistory_) {
    views.clear();
  }
  valuesSet_ = {};
}
