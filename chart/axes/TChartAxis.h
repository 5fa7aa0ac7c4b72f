#pragma once

#include "chart/axes/TAxisScale.h"
#include "gui/Geometry.h"

class TChartModel;
class TChartSeries;

// Where an axis stands; fixes its creation settings.
enum class TAxisKind { Bottom, Top, Left, Right, Depth, DepthTop, Custom };

enum TChartUnits { muPercent, muPixels };

// What the chart panel gives its axes when it lays them out.
struct TAxisLayoutContext {
  TRect PlotRect;
  int PlotDepth = 0;          // 0 in 2D
  bool AxisVisible = true;    // the chart's master switch of all axes
  bool View3D = false;
};

// Below this width a set range is widened.
constexpr double MinimumAxisRange = 1e-10;

// One axis of a chart: its settings, the range it shows (automatic from the
// series or set), and the mapping between values and pixels along the plot.
class TChartAxis {
public:
  TChartAxis(TChartModel& chart, TAxisKind kind);
  TChartAxis(const TChartAxis&) = delete;
  TChartAxis& operator=(const TChartAxis&) = delete;

  TChartModel& ParentChart() const { return chart_; }
  TAxisKind Kind() const { return kind_; }
  bool IsDepthAxis() const { return kind_ == TAxisKind::Depth || kind_ == TAxisKind::DepthTop; }

  // Automatic scale flags and their cascade.
  bool Automatic() const { return automatic_; }
  bool AutomaticMinimum() const { return automaticMinimum_; }
  bool AutomaticMaximum() const { return automaticMaximum_; }
  // Outside form loading, switching Automatic switches both ends with it.
  void SetAutomatic(bool automatic);
  // Switching an end off makes the axis non-automatic; switching it on makes
  // the axis automatic when the other end is automatic already.
  void SetAutomaticMinimum(bool automatic);
  void SetAutomaticMaximum(bool automatic);

  // The range ends. The setters check the order (not while the form loads)
  // and raise AxisException; the stores do not check.
  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  void SetMinimum(double minimum);
  void SetMaximum(double maximum);
  void StoreMinimum(double minimum);
  void StoreMaximum(double maximum);

  double Increment() const { return increment_; }
  void SetIncrement(double increment);
  bool Inverted() const { return scale_.Inverted; }
  void SetInverted(bool inverted);
  bool Horizontal() const { return scale_.Horizontal; }
  void SetHorizontal(bool horizontal);
  bool OtherSide() const { return otherSide_; }
  void SetOtherSide(bool otherSide);
  bool Logarithmic() const { return scale_.Logarithmic; }
  void SetLogarithmic(bool logarithmic);
  double LogarithmicBase() const { return logarithmicBase_; }
  void SetLogarithmicBase(double base);
  double StartPosition() const { return startPosition_; }
  void SetStartPosition(double percent);
  double EndPosition() const { return endPosition_; }
  void SetEndPosition(double percent);
  double PositionPercent() const { return positionPercent_; }
  void SetPositionPercent(double position);
  TChartUnits PositionUnits() const { return positionUnits_; }
  void SetPositionUnits(TChartUnits units);
  int MinimumOffset() const { return minimumOffset_; }
  void SetMinimumOffset(int pixels);
  int MaximumOffset() const { return maximumOffset_; }
  void SetMaximumOffset(int pixels);
  double ZPosition() const { return zPosition_; }
  void SetZPosition(double percent);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // A custom axis may follow the range of a master axis.
  TChartAxis* Master() const { return master_; }
  void SetMaster(TChartAxis* master) { master_ = master; }

  // Sets both ends, switching the automatic scale off.
  void SetAxisRange(double low, double high);
  // Moves both ends by offset (panning); with checkLimits only while series
  // values lie beyond the end moved toward.
  void ShiftRange(double offset, bool checkLimits);

  // Working state of the last layout.
  const TAxisScale& Scale() const { return scale_; }
  bool IsShown = false;
  bool DateTimeScale = false;
  int DepthOffset = 0;

  int ValueToPixel(double value) const { return scale_.ValueToPixel(value); }
  double PixelToValue(int pixel) const { return scale_.PixelToValue(pixel); }

  // Whether `series` is drawn along this axis.
  bool IsBoundTo(const TChartSeries& series) const;

  // The per-paint steps of the chart's layout, in this order.
  void IsAxisShown(const TAxisLayoutContext& context);
  void RecomputeScale(const TAxisLayoutContext& context);
  void PlaceAlongPlot(const TAxisLayoutContext& context);
  void ApplySeriesMargins(const TAxisLayoutContext& context);

private:
  template <class T>
  void Store(T& field, const T& value);
  void SetAutomaticEnd(bool& end, bool otherEnd, bool automatic);
  // Steps 1 and 2 of a layout's range: the automatic ends, then the scale.
  void TakeRange();
  void UpdateDerived(const TAxisLayoutContext& context);
  bool FindDateTimeScale() const;

  TChartModel& chart_;
  TAxisKind kind_;
  TAxisScale scale_;
  bool automatic_ = true;
  bool automaticMinimum_ = true;
  bool automaticMaximum_ = true;
  double minimum_ = 0;
  double maximum_ = 0;
  double increment_ = 0;
  bool otherSide_ = false;
  double logarithmicBase_ = 10;
  double startPosition_ = 0;
  double endPosition_ = 100;
  double positionPercent_ = 0;
  TChartUnits positionUnits_ = muPercent;
  int minimumOffset_ = 0;
  int maximumOffset_ = 0;
  double zPosition_ = 0;
  bool visible_ = true;
  TChartAxis* master_ = nullptr;
};
