#include "chart/series/TChartSeries.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "chart/axes/TChartAxis.h"
#include "chart/model/ChartPalette.h"
#include "chart/model/TChartModel.h"
#include "chart/series/VisibleRange.h"
#include "runtime/Exception.h"
#include "runtime/FireEvent.h"

namespace {

// The other side's axis when that is chosen, else the custom axis when that
// is chosen and set, else the default one.
TChartAxis* ChosenAxis(bool otherSide, TChartAxis& otherAxis, TChartAxis* chosenCustom, TChartAxis& defaultAxis) {
  if (otherSide) {
    return &otherAxis;
  }
  return chosenCustom != nullptr ? chosenCustom : &defaultAxis;
}

}  // namespace

void TCustomChartElement::SetActive(bool active) { StoreSetting(active_, active); }

void TCustomChartElement::RequestRepaint() const {
  if (parentChart_ != nullptr) {
    parentChart_->RequestRepaint();
  }
}

void TCustomChartSeries::SetShowInLegend(bool show) { StoreSetting(showInLegend_, show); }

void TCustomChartSeries::SetTitle(const std::string& title) { StoreSetting(title_, title); }

TChartSeries::TChartSeries() : xValues_(*this, "X"), yValues_(*this, "Y") { xValues_.SetOrder(loAscending); }

TChartSeries::~TChartSeries() {
  if (parentChart_ != nullptr) {
    parentChart_->SeriesList().Remove(*this);
  }
  if (dataSource_ != nullptr) {
    dataSource_->RemoveDependent(*this);
  }
  for (TChartSeries* dependent : dependents_) {
    dependent->dataSource_ = nullptr;
  }
}

int TChartSeries::AppendValue(double y, std::string_view label, TColor color) {
  return AddPoint(PointCount(), y, label, color);
}

void TChartSeries::AppendValues(std::span<const double> ys, TColor color) {
  if (AppendsAsRun()) {
    try {
      AppendRun(ys, color);
      return;
    } catch (const std::bad_alloc&) {
      // One by one below, so that the points that fit are kept.
    } catch (const std::length_error&) {
    }
  }
  for (const double y : ys) {
    AppendValue(y, "", color);
  }
}

// The points go at the end of every list with nothing watching each of them.
bool TChartSeries::AppendsAsRun() const {
  return !OnBeforeAdd && !OnAfterAdd && dependents_.empty() && labels_.Empty() && valueLists_.size() == 2 &&
         xValues_.IsSequence() && xValues_.Order() != loDescending && yValues_.Order() == loNone;
}

// All or nothing, as for one point: the colours and Y make their room
// before anything is added, and X, a sequence, cannot fail. The colours go
// first, so that Y's statistics, taken as the run comes, know its null
// points.
void TChartSeries::AppendRun(std::span<const double> ys, TColor color) {
  if (ys.empty()) {
    return;
  }
  const int quantity = static_cast<int>(ys.size());
  PrepareColor(color, quantity);
  if (colors_.Exists()) {
    colors_.Append(color, quantity);
  }
  try {
    yValues_.AppendRun(ys);
  } catch (...) {
    colors_.DeleteRange(PointCount(), quantity);
    throw;
  }
  xValues_.ExtendSequence(quantity);
  if (updateDepth_ == 0 && Active()) {
    RequestRepaint();
  }
}

// All or nothing: every list first makes its room, which is where running
// out of memory shows, and only then do they take the point.
int TChartSeries::AddPoint(double x, double y, std::string_view label, TColor color) {
  xValues_.PendingValue = x;
  yValues_.PendingValue = y;
  if (OnBeforeAdd && !OnBeforeAdd(*this)) {
    return -1;
  }
  const int index = xValues_.PendingPosition();
  for (TChartValueList* list : valueLists_) {
    list->PrepareInsert(index, list->PendingValue);
  }
  PrepareColor(color);
  InsertLabel(index, label);
  for (TChartValueList* list : valueLists_) {
    list->InsertValueAt(index, list->PendingValue);
  }
  if (colors_.Exists()) {
    colors_.Insert(index, color);
  }
  if (updateDepth_ == 0) {
    PointAdded(index);
  }
  return index;
}

// The colour list is created by the first point with a colour of its own.
void TChartSeries::PrepareColor(TColor color, int quantity) {
  if (colors_.Exists()) {
    colors_.PrepareInsert(color, quantity);
    return;
  }
  if (color == clDefault) {
    return;
  }
  colors_.Create(PointCount());
  try {
    colors_.PrepareInsert(color, quantity);
  } catch (...) {
    colors_.Free();
    throw;
  }
}

void TChartSeries::InsertLabel(int index, std::string_view label) {
  if (!label.empty() || !labels_.Empty()) {
    labels_.Insert(index, label);
  }
}

void TChartSeries::PointAdded(int index) {
  FireEvent(OnAfterAdd, *this, index);
  NotifyDependents(dcInsert, index);
  if (Active()) {
    RequestRepaint();
  }
}

int TChartSeries::AddByOrientation(double value, std::string_view label, TColor color) {
  if (yIsDependent_) {
    return AddPoint(PointCount(), value, label, color);
  }
  return AddPoint(value, yValues_.ValueCount(), label, color);
}

int TChartSeries::AddNullPoint(double x, double y, std::string_view label) { return AddPoint(x, y, label, clNone); }

void TChartSeries::ClearAllPointLists() {
  for (TChartValueList* list : valueLists_) {
    list->ClearValues();
  }
  colors_.Free();
  labels_.Clear();
}

void TChartSeries::ClearPoints() {
  FirstVisible = LastVisible = -1;
  ClearAllPointLists();
  FireEvent(OnClearValues, *this);
  NotifyDependents(dcClear, -1);
  if (Active()) {
    RequestRepaint();
  }
}

namespace {

[[noreturn]] void RaiseIndexOutOfBounds(int index, int pointCount) {
  throw ChartException("Series Delete: ValueIndex " + std::to_string(index) + " out of bounds (0 to " +
                       std::to_string(pointCount - 1) + ").");
}

}  // namespace

void TChartSeries::DeletePoint(int index) {
  // A negative index is refused like one past the end rather than writing
  // before the storage.
  if (index < 0 || index >= PointCount()) {
    RaiseIndexOutOfBounds(index, PointCount());
  }
  for (TChartValueList* list : valueLists_) {
    list->DeleteValueAt(index);
  }
  colors_.DeleteRange(index, 1);
  labels_.Delete(index);
  NotifyDependents(dcDelete, index);
  if (Active()) {
    RequestRepaint();
  }
}

void TChartSeries::DeletePoints(int start, int quantity, bool renumber) {
  if (quantity <= 0) {
    throw EAssertionFailed("Quantity of data points to delete must be greater than zero.");
  }
  if (start < 0) {
    RaiseIndexOutOfBounds(start, PointCount());
  }
  if (std::int64_t{start} + quantity - 1 >= PointCount()) {
    throw EAssertionFailed("Quantity of data to delete must be less than Count.");
  }
  for (TChartValueList* list : valueLists_) {
    list->DeleteValueRange(start, quantity);
  }
  colors_.DeleteRange(start, quantity);
  if (colors_.Exists() && colors_.Count() == 0) {
    colors_.Free();
  }
  labels_.DeleteRange(start, quantity);
  NotifyDependents(dcModify, start);
  if (Active()) {
    RequestRepaint();
  }
  if (renumber) {
    xValues_.RenumberValues();
  }
}

void TChartSeries::SwapPoints(int a, int b) {
  for (TChartValueList* list : valueLists_) {
    list->SwapValues(a, b);
  }
  colors_.Swap(a, b);
  if (!labels_.Empty()) {
    labels_.Swap(a, b);
  }
}

// The colour of a point without a stored one.
TColor TChartSeries::UnstoredPointColor(int index) const {
  if (!colorEachPoint_) {
    return SeriesColor();
  }
  return parentChart_ != nullptr ? parentChart_->PaletteColor(index) : DefaultPaletteColor(index);
}

void TChartSeries::SetPointColors(std::span<const int> indices, TColor color) {
  if (indices.empty()) {
    return;
  }
  if (!colors_.Exists()) {
    colors_.Create(PointCount());
  }
  for (const int index : indices) {
    colors_.Set(index, color);
  }
  colors_.Compact();
  for (TChartValueList* list : valueLists_) {
    list->PointsChangedFrom(indices.front());
  }
  NotifyDependents(dcModify, -1);
}

bool TChartSeries::MayHaveNullPoints() const {
  if (colors_.Exists() && (!colors_.AllSame() || colors_.Count() != PointCount())) {
    return true;
  }
  const TColor stored = colors_.Exists() ? colors_.SameColor() : clDefault;
  if (stored != clDefault) {
    return stored == clNone;
  }
  return colorEachPoint_ || SeriesColor() == clNone;
}

int TChartSeries::NextNullPoint(int index, int end, int step) const {
  const int stored = colors_.Exists() ? colors_.Count() : 0;
  if (stored == 0 || (colors_.AllSame() && colors_.SameColor() != clNone)) {
    return end;
  }
  for (int i = index; i != end; i += step) {
    if (i < stored && colors_.At(i) == clNone) {
      return i;
    }
  }
  return end;
}

TColor TChartSeries::SeriesColor() const {
  if (DrawColorOverride != clDefault) {
    return DrawColorOverride;
  }
  return seriesColor_ == clDefault ? autoColor_ : seriesColor_;
}

void TChartSeries::SetSeriesColor(TColor color) {
  if (seriesColor_ == clDefault && color == autoColor_) {
    return;
  }
  StoreSetting(seriesColor_, color);
  autoColor_ = seriesColor_;
}

void TChartSeries::SetColorEachPoint(bool colorEachPoint) { StoreSetting(colorEachPoint_, colorEachPoint); }

bool TChartSeries::ChartLoading() const { return parentChart_ != nullptr && parentChart_->Loading(); }

// Choosing another axis than the custom one forgets the custom axis, except
// while the chart's stored settings are applied.
template <class TAxisChoice>
void TChartSeries::SetAxisChoice(TAxisChoice& choice, TAxisChoice axis, TAxisChoice custom, TChartAxis*& customAxis) {
  if (!StoreIfChanged(choice, axis)) {
    return;
  }
  if (axis != custom && !ChartLoading()) {
    customAxis = nullptr;
  }
  ResolveAxes();
  RequestRepaint();
}

void TChartSeries::SetHorizAxis(THorizAxis axis) {
  SetAxisChoice(horizAxis_, axis, aCustomHorizAxis, customHorizAxis_);
}

void TChartSeries::SetVertAxis(TVertAxis axis) { SetAxisChoice(vertAxis_, axis, aCustomVertAxis, customVertAxis_); }

void TChartSeries::SetCustomHorizAxis(TChartAxis* axis) { SetCustomAxis(customHorizAxis_, axis); }

void TChartSeries::SetCustomVertAxis(TChartAxis* axis) { SetCustomAxis(customVertAxis_, axis); }

void TChartSeries::SetCustomAxis(TChartAxis*& customAxis, TChartAxis* axis) {
  if (StoreIfChanged(customAxis, axis)) {
    ResolveAxes();
    RequestRepaint();
  }
}

void TChartSeries::ResolveAxes() {
  if (parentChart_ == nullptr) {
    resolvedHorizAxis_ = resolvedVertAxis_ = nullptr;
    return;
  }
  TChartAxes& axes = parentChart_->Axes();
  resolvedHorizAxis_ = ChosenAxis(horizAxis_ == aTopAxis, axes.TopAxis(),
                                  horizAxis_ == aCustomHorizAxis ? customHorizAxis_ : nullptr, axes.BottomAxis());
  resolvedVertAxis_ = ChosenAxis(vertAxis_ == aRightAxis, axes.RightAxis(),
                                 vertAxis_ == aCustomVertAxis ? customVertAxis_ : nullptr, axes.LeftAxis());
}

void TChartSeries::EndBulkUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0) {
    NotifyDependents(dcRefresh, -1);
  }
}

void TBulkUpdate::End() {
  if (TChartSeries* series = std::exchange(series_, nullptr)) {
    series->EndBulkUpdate();
  }
}

// Reached without End, the scope is being left by an exception: a failing
// refresh must not end the program.
TBulkUpdate::~TBulkUpdate() noexcept {
  try {
    End();
  } catch (...) {
    // The exception that left the scope is the one the caller sees.
  }
}

void TChartSeries::AddDependent(TChartSeries& dependent) {
  if (std::find(dependents_.begin(), dependents_.end(), &dependent) != dependents_.end()) {
    return;
  }
  if (dependent.dataSource_ != nullptr) {
    dependent.dataSource_->RemoveDependent(dependent);
  }
  dependents_.push_back(&dependent);
  dependent.dataSource_ = this;
  dependent.RefetchFromSource();
}

void TChartSeries::RemoveDependent(TChartSeries& dependent) {
  std::erase(dependents_, &dependent);
  if (dependent.dataSource_ == this) {
    dependent.dataSource_ = nullptr;
  }
}

void TChartSeries::NotifyDependents(TDependentChange change, int index) {
  if (updateDepth_ > 0 || dependents_.empty()) {
    return;
  }
  for (TChartSeries* dependent : dependents_) {
    const unsigned options = dependent->RecalcOptions;
    switch (change) {
      case dcClear:
        if (options & rOnClear) {
          dependent->ClearPoints();
        }
        break;
      case dcInsert:
        if (options & rOnInsert) {
          dependent->AddPoint(XValueAt(index), YValueAt(index), Label(index), StoredPointColor(index));
        }
        break;
      case dcDelete:
        if (options & rOnDelete) {
          dependent->DeletePoint(index);
        }
        break;
      case dcModify:
        if (options & rOnModify) {
          dependent->RefetchFromSource();
        }
        break;
      case dcRefresh: dependent->RefetchFromSource(); break;
    }
  }
}

void TChartSeries::RefetchFromSource() {
  if (dataSource_ == nullptr) {
    return;
  }
  ClearPoints();
  TBulkUpdate bulk(*this);
  const TChartSeries& source = *dataSource_;
  for (int i = 0; i < source.PointCount(); ++i) {
    AddPoint(source.XValueAt(i), source.YValueAt(i), source.Label(i), source.StoredPointColor(i));
  }
  bulk.End();
  if (Active()) {
    RequestRepaint();
  }
}

void TChartSeries::AddedToChart(TChartModel& chart) {
  parentChart_ = &chart;
  if (seriesColor_ == clDefault) {
    autoColor_ = chart.FreeSeriesColor(true, nullptr);
  }
  ResolveAxes();
}

void TChartSeries::RemovedFromChart() {
  parentChart_ = nullptr;
  ResolveAxes();
}

void TChartSeries::SetUseVisibleRange(bool use) { StoreSetting(useVisibleRange_, use); }

void TChartSeries::SetKeepPointBeyondEdge(bool keep) { StoreSetting(keepPointBeyondEdge_, keep); }

// A series whose Y is not dependent runs along the vertical axis: its Y list
// is searched against the bottom (low) and top (high) edges.
void TChartSeries::ComputeVisibleRange(const TRect& plotRect) {
  FirstVisible = LastVisible = -1;
  if (PointCount() < 1 || resolvedHorizAxis_ == nullptr) {
    return;
  }
  const TChartValueList& values = yIsDependent_ ? xValues_ : yValues_;
  // The searches need ascending values; a list kept in another order is
  // drawn whole rather than cut wrongly.
  if (!useVisibleRange_ || values.Order() != loAscending) {
    FirstVisible = 0;
    LastVisible = PointCount() - 1;
    return;
  }
  const TChartAxis& axis = yIsDependent_ ? *resolvedHorizAxis_ : *resolvedVertAxis_;
  int lowEdge = yIsDependent_ ? plotRect.Left : plotRect.Bottom;
  int highEdge = yIsDependent_ ? plotRect.Right : plotRect.Top;
  if (axis.Inverted()) {
    std::swap(lowEdge, highEdge);
  }
  const TIndexRange range =
      FindVisibleRange(values, axis.PixelToValue(lowEdge), axis.PixelToValue(highEdge), keepPointBeyondEdge_);
  FirstVisible = range.First;
  LastVisible = range.Last;
}

bool TChartSeries::DrawsForward() const {
  return yIsDependent_ ? !resolvedHorizAxis_->Inverted() : !resolvedVertAxis_->Inverted();
}

void TChartSeries::DrawAllPoints(TCanvas3D& canvas, const TRect& plotRect) {
  if (FirstVisible < 0 || resolvedHorizAxis_ == nullptr) {
    return;
  }
  if (DrawsForward()) {
    for (int i = FirstVisible; i <= LastVisible; ++i) {
      DrawPoint(canvas, plotRect, i);
    }
  } else {
    for (int i = LastVisible; i >= FirstVisible; --i) {
      DrawPoint(canvas, plotRect, i);
    }
  }
}

// A plain series has no shape of its own to draw.
void TChartSeries::DrawPoint(TCanvas3D&, const TRect&, int) {}

void TChartSeries::BeforeDrawValues() { FireEvent(OnBeforeDrawValues, *this); }

void TChartSeries::AfterDrawValues() { FireEvent(OnAfterDrawValues, *this); }
