#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/series/TChartValueList.h"
#include "chart/series/TLabelsList.h"
#include "chart/series/TPointColorList.h"
#include "gui/Color.h"
#include "gui/Geometry.h"
#include "runtime/StoreIfChanged.h"

class TCanvas3D;
class TChartModel;
class TChartAxis;

// What every element a chart holds has: whether it is shown and the chart it
// belongs to.
class TCustomChartElement {
public:
  TCustomChartElement() = default;
  virtual ~TCustomChartElement() = default;
  TCustomChartElement(const TCustomChartElement&) = delete;
  TCustomChartElement& operator=(const TCustomChartElement&) = delete;

  bool Active() const { return active_; }
  virtual void SetActive(bool active);
  TChartModel* ParentChart() const { return parentChart_; }

  // The owning chart's request; nothing without a chart.
  void RequestRepaint() const;

  // How the element's settings, and those of the parts it owns (its value
  // lists), are set: compare, store, and only on a change request a repaint.
  template <class T>
  void StoreSetting(T& field, const T& value) {
    if (StoreIfChanged(field, value)) {
      RequestRepaint();
    }
  }

protected:
  TChartModel* parentChart_ = nullptr;

private:
  bool active_ = true;
};

class TCustomChartSeries : public TCustomChartElement {
public:
  bool ShowInLegend() const { return showInLegend_; }
  void SetShowInLegend(bool show);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

private:
  bool showInLegend_ = true;
  std::string title_;
};

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// Kinds of change a series passes on to the series that take their data
// from it.
enum TDependentChange { dcClear, dcInsert, dcDelete, dcModify, dcRefresh };

// Which changes a dependent series follows.
enum TRecalcOption : unsigned { rOnDelete = 1, rOnModify = 2, rOnInsert = 4, rOnClear = 8 };

struct TSeriesMargins {
  int Low = 0;   // left or top, in pixels
  int High = 0;  // right or bottom
  friend bool operator==(const TSeriesMargins&, const TSeriesMargins&) = default;
};

// A series' points and their notifications. Point i is X, Y (and any further
// coordinate) at index i of every value list, with an optional stored colour
// and label.
class TChartSeries : public TCustomChartSeries {
public:
  TChartSeries();
  ~TChartSeries() override;

  TChartValueList& XValues() { return xValues_; }
  TChartValueList& YValues() { return yValues_; }
  const TChartValueList& XValues() const { return xValues_; }
  const TChartValueList& YValues() const { return yValues_; }
  // Every value list in creation order: X, Y, then any further coordinate.
  const std::vector<TChartValueList*>& ValueLists() const { return valueLists_; }
  void RegisterValueList(TChartValueList& list) { valueLists_.push_back(&list); }
  bool YIsDependent() const { return yIsDependent_; }
  void SetYIsDependent(bool yIsDependent) { StoreSetting(yIsDependent_, yIsDependent); }

  int PointCount() const { return xValues_.ValueCount(); }
  double XValueAt(int index) const { return xValues_.ValueAt(index); }
  double YValueAt(int index) const { return yValues_.ValueAt(index); }
  const std::string& Label(int index) const { return labels_.Text(index); }
  const TLabelsList& Labels() const { return labels_; }
  bool HasColorList() const { return colors_.Exists(); }

  // Adds a point at x = PointCount, so appended points stay in X order.
  int AppendValue(double y, std::string_view label, TColor color);
  // AppendValue(y, "", color) for every y, in one go when nothing needs to
  // see the points one by one (add events, dependents, labels, ordered Y):
  // then one repaint is requested. When memory runs out, the points that
  // fit are in and std::bad_alloc is thrown.
  void AppendValues(std::span<const double> ys, TColor color);
  // Every add ends here. The index of the new point, or -1 when OnBeforeAdd
  // refused it.
  virtual int AddPoint(double x, double y, std::string_view label, TColor color);
  virtual int AddByOrientation(double value, std::string_view label, TColor color);
  virtual int AddNullPoint(double x, double y, std::string_view label);
  virtual void ClearPoints();
  virtual void DeletePoint(int index);
  virtual void DeletePoints(int start, int quantity, bool renumber);
  void SwapPoints(int a, int b);

  TColor StoredPointColor(int index) const {
    return colors_.Exists() && index < colors_.Count() ? colors_.At(index) : clDefault;
  }
  // Inline with the pixel positions below: drawing asks for them at every point.
  TColor PointColor(int index) const {
    const TColor stored = StoredPointColor(index);
    return stored != clDefault ? stored : UnstoredPointColor(index);
  }
  bool IsNullPoint(int index) const { return PointColor(index) == clNone; }
  // Makes the points (ascending indices) null points, gaps in the curve, or
  // gives them `color` again; the value lists' statistics follow.
  void SetPointColors(std::span<const int> indices, TColor color);
  // False only when no point can be null, which is known without looking
  // at every point.
  bool MayHaveNullPoints() const;
  // Every null point is a point stored in clNone, so NextNullPoint finds
  // them all.
  bool NullPointsStored() const { return !colorEachPoint_ && SeriesColor() != clNone; }
  // The first point stored in clNone from `index` on, going by `step` (1 or
  // -1) up to `end`, which it gives when there is none.
  int NextNullPoint(int index, int end, int step) const;
  // False only when no point was stored as a null point (AddNullPoint, or
  // appended in clNone): the value lists' statistics leave those out.
  bool MayStoreNullPoints() const { return colors_.Exists() && (!colors_.AllSame() || colors_.SameColor() == clNone); }

  TColor SeriesColor() const;
  virtual void SetSeriesColor(TColor color);
  TColor StoredSeriesColor() const { return seriesColor_; }
  TColor AutoColor() const { return autoColor_; }
  bool ColorEachPoint() const { return colorEachPoint_; }
  virtual void SetColorEachPoint(bool colorEachPoint);

  THorizAxis HorizAxis() const { return horizAxis_; }
  void SetHorizAxis(THorizAxis axis);
  TVertAxis VertAxis() const { return vertAxis_; }
  void SetVertAxis(TVertAxis axis);
  void SetCustomHorizAxis(TChartAxis* axis);
  void SetCustomVertAxis(TChartAxis* axis);
  TChartAxis* ResolvedHorizAxis() const { return resolvedHorizAxis_; }
  TChartAxis* ResolvedVertAxis() const { return resolvedVertAxis_; }
  void ResolveAxes();

  virtual double MinimumX() { return xValues_.MinimumValue(); }
  virtual double MaximumX() { return xValues_.MaximumValue(); }
  virtual double MinimumY() { return yValues_.MinimumValue(); }
  virtual double MaximumY() { return yValues_.MaximumValue(); }
  virtual TSeriesMargins HorizontalMargins() const { return {}; }
  virtual TSeriesMargins VerticalMargins() const { return {}; }

  int UpdateDepth() const { return updateDepth_; }
  void BeginBulkUpdate() { ++updateDepth_; }
  void EndBulkUpdate();

  // Dependent series take their data from this one and follow its changes
  // as RecalcOptions says.
  void AddDependent(TChartSeries& dependent);
  void RemoveDependent(TChartSeries& dependent);
  TChartSeries* DataSource() const { return dataSource_; }
  unsigned RecalcOptions = rOnDelete | rOnModify | rOnInsert | rOnClear;
  void NotifyDependents(TDependentChange change, int index);

  // Joining and leaving a chart; the chart's series list calls these.
  void AddedToChart(TChartModel& chart);
  void RemovedFromChart();

  // Run-time state: the range of point indices inside the horizontal axis
  // range, -1 when none.
  int FirstVisible = -1;
  int LastVisible = -1;

  // When off, or when the searched list is not ascending, every point
  // counts as visible.
  bool UseVisibleRange() const { return useVisibleRange_; }
  void SetUseVisibleRange(bool use);
  bool KeepPointBeyondEdge() const { return keepPointBeyondEdge_; }
  void SetKeepPointBeyondEdge(bool keep);
  // Sets FirstVisible and LastVisible for the axes laid out over plotRect.
  virtual void ComputeVisibleRange(const TRect& plotRect);

  // Pixel positions through the resolved axes (which must exist).
  int PixelX(int index) const { return resolvedHorizAxis_->ValueToPixel(XValueAt(index)) + PixelShift.X; }
  int PixelY(int index) const { return PixelForY(YValueAt(index)); }
  int PixelForY(double value) const { return resolvedVertAxis_->ValueToPixel(value) + PixelShift.Y; }
  // Whether the points are drawn from FirstVisible up rather than down.
  virtual bool DrawsForward() const;

  // Draws the visible points onto `canvas`; plotRect is the chart's.
  virtual void DrawAllPoints(TCanvas3D& canvas, const TRect& plotRect);
  virtual void DrawPoint(TCanvas3D& canvas, const TRect& plotRect, int index);
  // The chart calls these around drawing the points.
  virtual void BeforeDrawValues();
  virtual void AfterDrawValues();

  std::function<bool(TChartSeries&)> OnBeforeAdd;
  std::function<void(TChartSeries&, int)> OnAfterAdd;
  std::function<void(TChartSeries&)> OnClearValues;
  std::function<void(TChartSeries&)> OnBeforeDrawValues;
  std::function<void(TChartSeries&)> OnAfterDrawValues;

protected:
  virtual void PointAdded(int index);
  virtual void ClearAllPointLists();

  // A drawing pass in another colour (a shadow, an outline) shows it as
  // the series colour without changing the stored one; clDefault for none.
  TColor DrawColorOverride = clDefault;
  // A drawing pass moved by whole pixels (a shadow) adds this to every
  // pixel position, as if both axes were shifted.
  TPoint PixelShift;

private:
  TColor UnstoredPointColor(int index) const;
  void PrepareColor(TColor color, int quantity = 1);
  bool AppendsAsRun() const;
  void AppendRun(std::span<const double> ys, TColor color);
  void InsertLabel(int index, std::string_view label);
  void RefetchFromSource();
  bool ChartLoading() const;
  template <class TAxisChoice>
  void SetAxisChoice(TAxisChoice& choice, TAxisChoice axis, TAxisChoice custom, TChartAxis*& customAxis);
  void SetCustomAxis(TChartAxis*& customAxis, TChartAxis* axis);

  // Before the lists, which register themselves in it.
  std::vector<TChartValueList*> valueLists_;
  TChartValueList xValues_;
  TChartValueList yValues_;
  bool yIsDependent_ = true;
  TPointColorList colors_;
  TLabelsList labels_;
  TColor seriesColor_ = clDefault;
  TColor autoColor_ = clDefault;
  bool colorEachPoint_ = false;
  THorizAxis horizAxis_ = aBottomAxis;
  TVertAxis vertAxis_ = aLeftAxis;
  TChartAxis* customHorizAxis_ = nullptr;
  TChartAxis* customVertAxis_ = nullptr;
  TChartAxis* resolvedHorizAxis_ = nullptr;
  TChartAxis* resolvedVertAxis_ = nullptr;
  int updateDepth_ = 0;
  bool useVisibleRange_ = true;
  bool keepPointBeyondEdge_ = false;
  std::vector<TChartSeries*> dependents_;
  TChartSeries* dataSource_ = nullptr;
};

// Holds a series in a bulk update for a scope, so an exception cannot leave
// it counting. Ending the update refreshes the dependents, which may throw:
// a scope that finishes calls End, which lets that failure through; a scope
// left by an exception ends the update in the destructor, where a failing
// refresh gives way to the exception already on its way.
class TBulkUpdate {
public:
  explicit TBulkUpdate(TChartSeries& series) : series_(&series) { series.BeginBulkUpdate(); }
  // Ends the update once; throws what the refresh of the dependents throws.
  void End();
  ~TBulkUpdate() noexcept;
  TBulkUpdate(const TBulkUpdate&) = delete;
  TBulkUpdate& operator=(const TBulkUpdate&) = delete;

private:
  TChartSeries* series_;  // null once ended
};
