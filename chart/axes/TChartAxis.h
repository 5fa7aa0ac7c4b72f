#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/axes/TAxisScale.h"
#include "chart/canvas/TChartFont.h"
#include "chart/canvas/TChartPen.h"
#include "gui/Geometry.h"
#include "runtime/PositiveModulo.h"

class TCanvas3D;
class TChartModel;
class TChartSeries;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
enum TAxisLabelAlign { alDefault, alOpposite };
enum TAxisLineMode { lmLine, lmCylinder, lmRectangle };

// The pen of grid lines: dotted grey, optionally between the labels.
class TAxisGridPen : public TDottedGrayPen {
public:
  double ZPosition = 0;  // no effect in 2D
  bool Centered() const { return centered_; }
  void SetCentered(bool centered) { Change(centered_, centered); }

private:
  bool centered_ = false;
};

// The pen of the axis line.
class TChartAxisPen : public TChartPen {
public:
  TChartAxisPen() : TChartPen(TChartPenSettings{.Width = 2}) {}
  TAxisLineMode LineMode = lmLine;
};

// An axis' title: a caption drawn along the axis, outside its labels.
class TChartAxisTitle : public TChangeNotifier {
public:
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Change(visible_, visible); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Change(caption_, caption); }
  // Degrees, stored modulo 360.
  int Angle() const { return angle_; }
  void SetAngle(int angle) { Change(angle_, PositiveModulo(angle, 360)); }
  TChartFont Font;

private:
  bool visible_ = true;
  std::string caption_;
  int angle_ = 0;
};

// Where an axis stands; fixes its creation settings.
enum class TAxisKind { Bottom, Top, Left, Right, Depth, DepthTop, Custom };

enum TChartUnits { muPercent, muPixels };

// What the chart panel gives its axes when it lays them out.
struct TAxisLayoutContext {
  TRect PlotRect;
  int PlotDepth = 0;        // 0 in 2D
  bool AxisVisible = true;  // the chart's master switch of all axes
  bool View3D = false;
};

class TChartAxis;

// May move the anchor of a label about to be drawn, change its text, or
// suppress it by clearing `draw`.
using TDrawLabelEvent = std::function<void(const TChartAxis& sender, int& x, int& y, std::string& text, bool& draw)>;

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
  void SetMaster(TChartAxis* master);

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

  // Labels, ticks and grid.
  bool Labels() const { return labels_; }
  void SetLabels(bool labels);
  TChartFont LabelsFont;
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TAxisLabelStyle style);
  const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
  void SetAxisValuesFormat(const std::string& pattern);
  const std::string& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const std::string& pattern);
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool exact);
  // Percent of a label's size kept free between labels; raises when negative.
  int LabelsSeparation() const { return labelsSeparation_; }
  void SetLabelsSeparation(int percent);
  TAxisLabelAlign LabelsAlign() const { return labelsAlign_; }
  void SetLabelsAlign(TAxisLabelAlign align);
  // Degrees, stored modulo 360.
  int LabelsAngle() const { return labelsAngle_; }
  void SetLabelsAngle(int angle);
  int LabelsSize() const { return labelsSize_; }
  void SetLabelsSize(int pixels);
  bool LabelsOnAxis() const { return labelsOnAxis_; }
  void SetLabelsOnAxis(bool onAxis);
  bool LabelsMultiLine() const { return labelsMultiLine_; }
  void SetLabelsMultiLine(bool multiLine);
  bool LabelsAlternate() const { return labelsAlternate_; }
  void SetLabelsAlternate(bool alternate);
  bool LabelsExponent() const { return labelsExponent_; }
  void SetLabelsExponent(bool exponent);
  bool RoundFirstLabel() const { return roundFirstLabel_; }
  void SetRoundFirstLabel(bool round);
  int TickLength() const { return tickLength_; }
  void SetTickLength(int pixels);
  int TickInnerLength() const { return tickInnerLength_; }
  void SetTickInnerLength(int pixels);
  int MinorTickLength() const { return minorTickLength_; }
  void SetMinorTickLength(int pixels);
  int MinorTickCount() const { return minorTickCount_; }
  void SetMinorTickCount(int count);
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
  void SetTickOnLabelsOnly(bool onLabelsOnly);
  int TitleSize() const { return titleSize_; }
  void SetTitleSize(int pixels);
  TDarkGrayPen Ticks;
  TDarkGrayPen TicksInner;
  TDarkGrayPen MinorTicks;
  TAxisGridPen Grid;
  TChartHiddenPen MinorGrid;
  TChartAxisPen Axis;
  TChartAxisTitle Title;

  // Working state of the last layout and paint, across the axis direction.
  int LinePos = 0;
  int LabelsEdge = 0;
  int TitleEdge = 0;
  std::vector<int> TickPixels;
  struct TDrawnLabel {
    std::string Text;
    int Pixel;
  };
  // The value labels the last paint drew, in drawing order.
  std::vector<TDrawnLabel> DrawnLabels;
  TDrawLabelEvent OnDrawLabel;

  TAxisLabelStyle EffectiveLabelStyle() const;
  std::string LabelText(double value) const;
  int LabelSize(TCanvas3D& canvas, double value) const;
  double ComputeLabelStep(TCanvas3D& canvas) const;
  // The values that get a value label with this step: those of the label
  // loop whose pixel lies on the axis (strictly inside without LabelsOnAxis).
  std::vector<double> LabelValues(double step) const;
  int AxisLineRoom() const;
  int WidestLabelWidth(TCanvas3D& canvas) const;
  // Takes the axis' room from `rect` (when shrink) and sets the anchors.
  void ReserveRoom(TCanvas3D& canvas, TRect& rect, bool shrink);
  void DrawAxis(TCanvas3D& canvas, const TAxisLayoutContext& context);
  // The area a click on the axis hits: along the span, from the labels to
  // 3 pixels beyond the line, edges included.
  bool HitTest(int x, int y) const;

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
  void WatchParts();
  // +1 where outward is toward larger coordinates (right, bottom), else -1.
  int OutwardSign() const;
  int EdgeOf(const TRect& rect) const;
  int PositionShift(const TRect& rect) const;
  bool RunsAlong(int angle) const;
  int LabelsRoom(TCanvas3D& canvas) const;
  bool SeriesAlongWithAtMostPoints(int count) const;
  bool LabelFitsAxis(int pixel) const;
  std::vector<double> SuppliedLabelValues() const;
  int LabelWidth(TCanvas3D& canvas, double value) const;
  void DrawTitle(TCanvas3D& canvas) const;
  void DrawLabels(TCanvas3D& canvas);
  void DrawLabel(TCanvas3D& canvas, int pixel, std::string text);
  struct TTextPlacement {
    int Angle = 0;
    bool Opposite = false;  // aligned on the far edge of the labels' column
  };
  // Text placed as this axis places its labels: at `pixel` along the axis and
  // anchored at `edge` across it, with the font already selected.
  void DrawAxisText(TCanvas3D& canvas, int pixel, int edge, const std::string& text, TTextPlacement placement) const;
  void DrawLineTicksAndGrid(TCanvas3D& canvas, const TAxisLayoutContext& context) const;
  void DrawTicks(TCanvas3D& canvas, const std::vector<int>& pixels, int start, int length) const;
  void DrawGrid(TCanvas3D& canvas, const std::vector<int>& pixels, const TRect& plot) const;
  void SetAutomaticEnd(bool& end, bool otherEnd, bool automatic);
  void StoreRange(double minimum, double maximum);
  // The range a layout starts from: the automatic ends taken from the
  // series, then the scale set to the range.
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
  bool labels_ = true;
  TAxisLabelStyle labelStyle_ = talAuto;
  std::string axisValuesFormat_ = "#,##0.###";
  std::string dateTimeFormat_;
  bool exactDateTime_ = true;
  int labelsSeparation_ = 10;
  TAxisLabelAlign labelsAlign_ = alDefault;
  int labelsAngle_ = 0;
  int labelsSize_ = 0;
  bool labelsOnAxis_ = true;
  bool labelsMultiLine_ = false;
  bool labelsAlternate_ = false;
  bool labelsExponent_ = false;
  bool roundFirstLabel_ = true;
  int tickLength_ = 4;
  int tickInnerLength_ = 0;
  int minorTickLength_ = 2;
  int minorTickCount_ = 3;
  bool tickOnLabelsOnly_ = true;
  int titleSize_ = 0;
  // The labels' room as the last ReserveRoom measured it.
  int labelsRoom_ = 0;
};
