// Drawing an axis: title, labels, line, ticks and grid.
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/axes/TChartAxis.h"
#include "chart/axes/TickPositions.h"
#include "chart/canvas/TCanvas3D.h"
#include "gui/TRasterCanvas.h"
#include "runtime/FireEvent.h"
#include "runtime/RoundPixel.h"
#include "runtime/TextLines.h"

namespace {

constexpr int kHitSlack = 3;  // pixels beyond the line that still hit the axis

// A grid pen left at the automatic colour draws grey.
TColor GridColor(const TChartPen& pen) { return pen.Color() == clDefault ? clGray : pen.Color(); }

}  // namespace

void TChartAxis::DrawAxis(TCanvas3D& canvas, const TAxisLayoutContext& context) {
  DateTimeScale = FindDateTimeScale();
  LinePos = EdgeOf(context.PlotRect) + PositionShift(context.PlotRect);
  DrawTitle(canvas);
  TickPixels.clear();
  DrawnLabels.clear();
  if (EffectiveLabelStyle() != talNone) {
    DrawLabels(canvas);
  }
  DrawLineTicksAndGrid(canvas, context);
}

void TChartAxis::DrawTitle(TCanvas3D& canvas) const {
  if (!Title.Visible() || Title.Caption().empty()) {
    return;
  }
  canvas.ApplyFont(Title.Font);
  canvas.SetBackMode(BackModeTransparent);
  if (Title.Angle() == 0) {
    DrawAxisText(canvas, scale_.MidPixel, TitleEdge, Title.Caption(), {0, false});
    return;
  }
  const int x = Horizontal() ? scale_.MidPixel : TitleEdge;
  const int y = Horizontal() ? TitleEdge : scale_.MidPixel;
  canvas.RotatedText(x, y, Title.Angle(), Title.Caption());
}

void TChartAxis::DrawLabels(TCanvas3D& canvas) {
  canvas.ApplyFont(LabelsFont);
  for (double value : LabelValues(ComputeLabelStep(canvas))) {
    const int pixel = ValueToPixel(value);
    if (!tickOnLabelsOnly_) {
      TickPixels.push_back(pixel);
    }
    if (labels_) {
      if (tickOnLabelsOnly_) {
        TickPixels.push_back(pixel);
      }
      DrawLabel(canvas, pixel, LabelText(value));
    }
  }
}

void TChartAxis::DrawLabel(TCanvas3D& canvas, int pixel, std::string text) {
  const bool opposite = labelsAlign_ == alOpposite && !Horizontal();
  // The opposite alignment lines the column up on its far edge.
  const int edge = opposite ? LabelsEdge + OutwardSign() * labelsRoom_ : LabelsEdge;
  int x = Horizontal() ? pixel : edge;
  int y = Horizontal() ? edge : pixel;
  bool draw = true;
  FireEvent(OnDrawLabel, *this, x, y, text, draw);
  if (!draw) {
    return;
  }
  canvas.ApplyFont(LabelsFont);
  canvas.Brush.Style = bsClear;
  canvas.SetBackMode(BackModeTransparent);
  DrawAxisText(canvas, Horizontal() ? x : y, Horizontal() ? y : x, text, {labelsAngle_, opposite});
  DrawnLabels.push_back({std::move(text), pixel});
}

void TChartAxis::DrawAxisText(TCanvas3D& canvas, int pixel, int edge, const std::string& text,
                              TTextPlacement placement) const {
  const int height = canvas.MeasureTextHeight("W");
  const std::vector<std::string> lines = SplitLines(text, TLineBreak::CarriageReturn);
  const int lineCount = static_cast<int>(lines.size());
  int x = Horizontal() ? pixel : edge;
  int y = Horizontal() ? edge : pixel;
  int align = TextAlignLeft;
  if (Horizontal()) {
    align = TextAlignCenter | (otherSide_ ? TextAlignBottom : TextAlignTop);
    y = otherSide_ ? y - lineCount * height : y - height;
  } else {
    // The left axis' texts end at the anchor, the right axis' start there.
    const bool rightAligned = placement.Opposite == otherSide_;
    align = rightAligned ? TextAlignRight : TextAlignLeft;
    y -= height / 2;
    y -= RoundPixel(height * 0.5 * (lineCount + 1));
  }
  canvas.SetTextAlign(align);
  for (const std::string& line : lines) {
    y += height;
    if (placement.Angle == 0) {
      canvas.TextOut(x, y, line);
    } else {
      canvas.RotatedText(x, y, placement.Angle, line);
    }
  }
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
}

void TChartAxis::DrawTicks(TCanvas3D& canvas, const std::vector<int>& pixels, int start, int length) const {
  const int end = start + OutwardSign() * length;
  for (int pixel : pixels) {
    if (Horizontal()) {
      canvas.VerticalLine(pixel, start, end);
    } else {
      canvas.HorizontalLine(start, end, pixel);
    }
  }
}

void TChartAxis::DrawGrid(TCanvas3D& canvas, const std::vector<int>& pixels, const TRect& plot) const {
  for (int pixel : pixels) {
    if (Horizontal()) {
      canvas.VerticalLine(pixel, plot.Top + 1, plot.Bottom);
    } else {
      canvas.HorizontalLine(plot.Left + 1, plot.Right, pixel);
    }
  }
}

void TChartAxis::DrawLineTicksAndGrid(TCanvas3D& canvas, const TAxisLayoutContext& context) const {
  canvas.Brush.Style = bsClear;
  canvas.SetBackMode(BackModeTransparent);
  const int outward = OutwardSign();
  if (Axis.Visible()) {
    canvas.ApplyChartPen(Axis);
    if (Horizontal()) {
      canvas.HorizontalLine(scale_.FirstPixel, scale_.LastPixel, LinePos);
    } else {
      canvas.VerticalLine(LinePos, scale_.FirstPixel, scale_.LastPixel);
    }
  }
  if (Ticks.Visible()) {
    canvas.ApplyChartPen(Ticks);
    DrawTicks(canvas, TickPixels, LinePos + outward, tickLength_);
  }
  if (Grid.Visible()) {
    canvas.ApplyChartPen(Grid, GridColor(Grid));
    DrawGrid(canvas, GridPositions(TickPixels, Grid.Centered(), scale_.FirstPixel, scale_.LastPixel), context.PlotRect);
  }
  if (TicksInner.Visible()) {
    canvas.ApplyChartPen(TicksInner);
    DrawTicks(canvas, TickPixels, LinePos - outward, -tickInnerLength_);
  }
  const std::vector<int> minor = MinorTickPositions(TickPixels, minorTickCount_, scale_.FirstPixel, scale_.LastPixel);
  if (MinorTicks.Visible() && !TickPixels.empty()) {
    canvas.ApplyChartPen(MinorTicks);
    DrawTicks(canvas, minor, LinePos + outward, minorTickLength_);
  }
  if (MinorGrid.Visible()) {
    canvas.ApplyChartPen(MinorGrid, GridColor(MinorGrid));
    DrawGrid(canvas, minor, context.PlotRect);
  }
  canvas.SetBackMode(BackModeOpaque);
}

bool TChartAxis::HitTest(int x, int y) const {
  const int along = Horizontal() ? x : y;
  const int across = Horizontal() ? y : x;
  if (along < scale_.FirstPixel || along > scale_.LastPixel) {
    return false;
  }
  const int beyondLine = LinePos - OutwardSign() * kHitSlack;
  return std::min(beyondLine, LabelsEdge) <= across && across <= std::max(beyondLine, LabelsEdge);
}
