// The labels of an axis: their settings, texts, sizes, step and the room
// they take beside the plot.
#include <algorithm>
#include <cmath>

#include "chart/axes/LabelStep.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TickPositions.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/model/TChartModel.h"
#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"
#include "runtime/NumberFormat.h"
#include "runtime/PositiveModulo.h"
#include "runtime/RoundPixel.h"
#include "runtime/TextLines.h"

namespace {

constexpr char kLineSeparator = '\r';
// Labels supplied by the chart's next-label event: at most this many, and
// only within the range widened by the slack at both ends.
constexpr int kMaxSuppliedLabels = 2000;
constexpr double kSuppliedLabelSlack = 1e-7;

struct LineWidths {
  int Widest = 0;
  int Count = 0;
};

// The widest of the text's lines and how many there are (none for "").
LineWidths WidestLineWidth(TCanvas3D& canvas, const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text, TLineBreak::CarriageReturn);
  LineWidths result{0, static_cast<int>(lines.size())};
  for (const std::string& line : lines) {
    result.Widest = std::max(result.Widest, canvas.MeasureTextWidth(line));
  }
  return result;
}

// A pattern the formatter refuses (one too long) gives no text: drawing
// never fails on a label.
std::string FormatLabel(const std::string& pattern, double value) {
  try {
    return FormatNumber(pattern, value);
  } catch (const EConvertError&) {
    return "";
  }
}

bool HasLabelTexts(const TChartSeries& series) {
  if (series.Labels().Empty()) {
    return false;
  }
  for (int i = 0; i < series.PointCount(); ++i) {
    if (!series.Label(i).empty()) {
      return true;
    }
  }
  return false;
}

}  // namespace

void TChartAxis::SetLabels(bool labels) { chart_.StoreSetting(labels_, labels); }
void TChartAxis::SetLabelStyle(TAxisLabelStyle style) { chart_.StoreSetting(labelStyle_, style); }
void TChartAxis::SetAxisValuesFormat(const std::string& pattern) { chart_.StoreSetting(axisValuesFormat_, pattern); }
void TChartAxis::SetDateTimeFormat(const std::string& pattern) { chart_.StoreSetting(dateTimeFormat_, pattern); }
void TChartAxis::SetExactDateTime(bool exact) { chart_.StoreSetting(exactDateTime_, exact); }

void TChartAxis::SetLabelsSeparation(int percent) {
  if (percent < 0) {
    throw AxisException("Labels Separation % must be greater than 0");
  }
  chart_.StoreSetting(labelsSeparation_, percent);
}

void TChartAxis::SetLabelsAlign(TAxisLabelAlign align) { chart_.StoreSetting(labelsAlign_, align); }
void TChartAxis::SetLabelsAngle(int angle) { chart_.StoreSetting(labelsAngle_, PositiveModulo(angle, 360)); }
void TChartAxis::SetLabelsSize(int pixels) { chart_.StoreSetting(labelsSize_, pixels); }
void TChartAxis::SetLabelsOnAxis(bool onAxis) { chart_.StoreSetting(labelsOnAxis_, onAxis); }
void TChartAxis::SetLabelsMultiLine(bool multiLine) { chart_.StoreSetting(labelsMultiLine_, multiLine); }
void TChartAxis::SetLabelsAlternate(bool alternate) { chart_.StoreSetting(labelsAlternate_, alternate); }
void TChartAxis::SetLabelsExponent(bool exponent) { chart_.StoreSetting(labelsExponent_, exponent); }
void TChartAxis::SetRoundFirstLabel(bool round) { chart_.StoreSetting(roundFirstLabel_, round); }
void TChartAxis::SetTickLength(int pixels) { chart_.StoreSetting(tickLength_, pixels); }
void TChartAxis::SetTickInnerLength(int pixels) { chart_.StoreSetting(tickInnerLength_, pixels); }
void TChartAxis::SetMinorTickLength(int pixels) { chart_.StoreSetting(minorTickLength_, pixels); }
void TChartAxis::SetMinorTickCount(int count) { chart_.StoreSetting(minorTickCount_, count); }
void TChartAxis::SetTickOnLabelsOnly(bool onLabelsOnly) { chart_.StoreSetting(tickOnLabelsOnly_, onLabelsOnly); }
void TChartAxis::SetTitleSize(int pixels) { chart_.StoreSetting(titleSize_, pixels); }

TAxisLabelStyle TChartAxis::EffectiveLabelStyle() const {
  if (labelStyle_ != talAuto) {
    return labelStyle_;
  }
  TAxisLabelStyle style = talNone;
  for (const TChartSeries* series : chart_.SeriesList()) {
    if (!series->Active() || !IsBoundTo(*series)) {
      continue;
    }
    // Texts label the axis of a series' X values (the horizontal one here).
    if (Horizontal() && HasLabelTexts(*series)) {
      return talText;
    }
    style = talValue;
  }
  return style;
}

std::string TChartAxis::LabelText(double value) const {
  // No log holds date-time values: on a date-time axis they are shown as
  // plain numbers, and negative ones, which are no dates, not at all.
  std::string text = DateTimeScale && value < 0 ? "" : FormatLabel(axisValuesFormat_, value);
  if (chart_.OnGetAxisLabel) {
    chart_.OnGetAxisLabel(*this, value, text);
  }
  if (labelsMultiLine_) {
    std::replace(text.begin(), text.end(), ' ', kLineSeparator);
  }
  return text;
}

// Text at this angle reads along the axis' direction.
bool TChartAxis::RunsAlong(int angle) const {
  return Horizontal() ? angle == 0 || angle == 180 : angle == 90 || angle == 270;
}

int TChartAxis::LabelSize(TCanvas3D& canvas, double value) const {
  const LineWidths lines = WidestLineWidth(canvas, LabelText(value));
  // A label that reads across the axis takes the height of its lines along it.
  const bool across =
      Horizontal() ? labelsAngle_ == 90 || labelsAngle_ == 270 : labelsAngle_ == 0 || labelsAngle_ == 180;
  return across ? canvas.MeasureTextHeight("W") * lines.Count : lines.Widest;
}

bool TChartAxis::SeriesAlongWithAtMostPoints(int count) const {
  for (const TChartSeries* series : chart_.SeriesList()) {
    if (series->Active() && Horizontal() && IsBoundTo(*series) && series->PointCount() <= count) {
      return true;
    }
  }
  return false;
}

double TChartAxis::ComputeLabelStep(TCanvas3D& canvas) const {
  canvas.ApplyFont(LabelsFont);
  LabelStepInput input;
  input.ScaleMin = scale_.ScaleMin;
  input.ScaleMax = scale_.ScaleMax;
  input.PixelLength = scale_.PixelLength;
  input.Increment = increment_;
  input.LabelsSeparation = labelsSeparation_;
  input.Logarithmic = Logarithmic();
  input.LogarithmicBase = logarithmicBase_;
  input.LabelsAlternate = labelsAlternate_;
  input.LabelSize = [&](double value) { return LabelSize(canvas, value); };
  input.HasSeriesWithAtMostPoints = [this](int count) { return SeriesAlongWithAtMostPoints(count); };
  return ComputeValueLabelStep(input);
}

bool TChartAxis::LabelFitsAxis(int pixel) const {
  if (labelsOnAxis_) {
    return scale_.FirstPixel <= pixel && pixel <= scale_.LastPixel;
  }
  return scale_.FirstPixel < pixel && pixel < scale_.LastPixel;
}

std::vector<double> TChartAxis::LabelValues(double step) const {
  if (!(step > 0) || scale_.ScaleMax < scale_.ScaleMin) {
    return {};
  }
  // A pixel's worth of values beyond each end: a label there may still round
  // onto the end's pixel.
  const double slack = scale_.PixelLength > 0 ? scale_.ScaleRange / scale_.PixelLength : 0;
  std::vector<double> values = chart_.OnGetNextAxisLabel
                                   ? SuppliedLabelValues()
                                   : ValueLabelValues(scale_.ScaleMin, scale_.ScaleMax, step, roundFirstLabel_, slack);
  std::erase_if(values, [this](double value) { return !LabelFitsAxis(ValueToPixel(value)); });
  return values;
}

std::vector<double> TChartAxis::SuppliedLabelValues() const {
  std::vector<double> values;
  double value = scale_.ScaleMin;
  // The bound ends a handler that never says stop.
  for (int index = 0; index < kMaxSuppliedLabels && chart_.OnGetNextAxisLabel(*this, index, value); ++index) {
    if (scale_.ScaleMin - kSuppliedLabelSlack <= value && value <= scale_.ScaleMax + kSuppliedLabelSlack) {
      values.push_back(value);
    }
  }
  return values;
}

int TChartAxis::AxisLineRoom() const {
  int room = (Axis.Visible() ? Axis.Width() + 1 : 0) + (Ticks.Visible() ? tickLength_ : 0);
  if (MinorTicks.Visible()) {
    room = std::max(room, minorTickLength_);
  }
  return room;
}

int TChartAxis::WidestLabelWidth(TCanvas3D& canvas) const {
  switch (EffectiveLabelStyle()) {
    case talNone: return 0;
    case talMark:
    case talText: {
      int widest = 0;
      for (const TChartSeries* series : chart_.SeriesList()) {
        for (int i = 0; i < series->PointCount(); ++i) {
          widest = std::max(widest, WidestLineWidth(canvas, series->Label(i)).Widest);
        }
      }
      return widest;
    }
    default: break;
  }
  const double step = ComputeLabelStep(canvas);
  double low = scale_.ScaleMin;
  double high = scale_.ScaleMax;
  if (roundFirstLabel_) {
    low = std::trunc(low / step) * step;
    high = std::trunc(high / step) * step;
  }
  // The rounded ends keep the room they always had; a label drawn between
  // them may be wider still (2.5 between 1 and 3, or 13.875 on a flat 13.875).
  int widest = std::max(LabelWidth(canvas, high), LabelWidth(canvas, low));
  for (double value : LabelValues(step)) {
    widest = std::max(widest, LabelWidth(canvas, value));
  }
  return widest + canvas.MeasureTextWidth(" ");
}

int TChartAxis::LabelWidth(TCanvas3D& canvas, double value) const {
  return WidestLineWidth(canvas, LabelText(value)).Widest;
}

int TChartAxis::LabelsRoom(TCanvas3D& canvas) const {
  int room = labelsSize_;
  if (room == 0) {
    canvas.ApplyFont(LabelsFont);
    room = RunsAlong(labelsAngle_) ? canvas.MeasureTextHeight("W") : WidestLabelWidth(canvas);
  }
  return labelsAlternate_ ? 2 * room : room;
}

int TChartAxis::OutwardSign() const {
  // Right and bottom axes look toward larger coordinates.
  return Horizontal() ? (otherSide_ ? -1 : 1) : (otherSide_ ? 1 : -1);
}

int TChartAxis::EdgeOf(const TRect& rect) const {
  if (Horizontal()) {
    return otherSide_ ? rect.Top : rect.Bottom;
  }
  return otherSide_ ? rect.Right : rect.Left;
}

int TChartAxis::PositionShift(const TRect& rect) const {
  if (positionPercent_ == 0) {
    return 0;
  }
  const int extent = Horizontal() ? rect.Height() : rect.Width();
  int shift = positionUnits_ == muPixels ? RoundPixel(positionPercent_) : RoundPixel(positionPercent_ * 0.01 * extent);
  if (otherSide_) {
    shift = -shift;
  }
  return Horizontal() ? -shift : shift;
}

void TChartAxis::ReserveRoom(TCanvas3D& canvas, TRect& rect, bool shrink) {
  const int outward = OutwardSign();
  labelsRoom_ = labels_ ? LabelsRoom(canvas) : 0;
  if (!shrink) {
    LinePos = EdgeOf(rect) + PositionShift(rect);
    LabelsEdge = LinePos + outward * AxisLineRoom();
    TitleEdge = LabelsEdge + outward * labelsRoom_;
    return;
  }
  int edge = EdgeOf(rect);
  if (Title.Visible() && !Title.Caption().empty()) {
    int room = titleSize_;
    if (room == 0) {
      canvas.ApplyFont(Title.Font);
      room = RunsAlong(Title.Angle()) ? canvas.MeasureTextHeight("W") : canvas.MeasureTextWidth(Title.Caption());
    }
    edge -= outward * room;
    TitleEdge = edge;
  }
  if (labels_) {
    edge -= outward * labelsRoom_;
    LabelsEdge = edge;
  }
  // A negative room (negative tick lengths) does not widen the plot.
  if (const int lineRoom = AxisLineRoom(); lineRoom > 0) {
    edge -= outward * lineRoom;
  }
  const int shift = PositionShift(rect);
  TitleEdge += shift;
  LabelsEdge += shift;
  if (Horizontal()) {
    (otherSide_ ? rect.Top : rect.Bottom) = edge;
  } else {
    (otherSide_ ? rect.Right : rect.Left) = edge;
  }
}
