#include "app/CursorReadout.h"

#include <cmath>

#include "chart/panel/TChart.h"
#include "chart/series/TChartSeries.h"
#include "chart/series/VisibleRange.h"
#include "gui/TRasterCanvas.h"

namespace {

// Room between the line and the box, and inside the box around its text.
constexpr int kBoxGap = 3;
constexpr int kBoxPadding = 2;

}  // namespace

std::optional<int> NearestPointIndex(const TChartSeries& series, double x) {
  const int count = series.PointCount();
  if (count == 0) {
    return std::nullopt;
  }
  const int low = FirstNotBelow(series.XValues(), 0, x);
  if (low == count) {
    return count - 1;
  }
  if (low > 0 && x - series.XValueAt(low - 1) <= series.XValueAt(low) - x) {
    return low - 1;
  }
  return low;
}

std::string ReadoutText(const TChartSeries& series, const TChartAxis& valueAxis, int pointIndex) {
  const double sample = series.XValueAt(pointIndex);
  return "#" + std::to_string(std::llround(sample)) + "  " + valueAxis.LabelText(series.YValueAt(pointIndex));
}

std::optional<TCursorReadout> PaneReadout(TChart& chart, int column) {
  const TRect& plot = chart.PlotRect;
  // The plot is never upside down, so its top row tests the column alone.
  if (!plot.ContainsInclusive({column, plot.Top})) {
    return std::nullopt;
  }
  TCursorReadout readout{column, plot.Top, plot.Bottom, plot.Right, ""};
  // The axes a series is drawn on are known once the pane has painted it.
  const TChartSeries& series = chart.SeriesList()[0];
  const TChartAxis* horizontal = series.ResolvedHorizAxis();
  const TChartAxis* vertical = series.ResolvedVertAxis();
  if (horizontal == nullptr || vertical == nullptr) {
    return readout;
  }
  if (const std::optional<int> nearest = NearestPointIndex(series, horizontal->PixelToValue(column))) {
    readout.Text = ReadoutText(series, *vertical, *nearest);
  }
  return readout;
}

void DrawCursorReadout(TRasterCanvas& canvas, const TCursorReadout& readout) {
  TPen pen;
  pen.Color = kReadoutLineColor;
  canvas.SetPen(pen);
  canvas.LineSegment(readout.Column, readout.Top, readout.Column, readout.Bottom + 1);
  if (readout.Text.empty()) {
    return;
  }
  canvas.SetFont(TFont{});
  const int width = canvas.TextWidth(readout.Text) + 2 * kBoxPadding;
  const int height = canvas.TextHeight(readout.Text) + 2 * kBoxPadding;
  int left = readout.Column + kBoxGap;
  if (left + width > readout.Right) {
    left = readout.Column - kBoxGap - width;
  }
  const int top = readout.Top + kBoxGap;
  pen.Color = clBlack;
  canvas.SetPen(pen);
  canvas.SetBrush(TBrush{kReadoutBoxColor, bsSolid});
  canvas.Rectangle({left, top, left + width, top + height});
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  canvas.TextOut(left + kBoxPadding, top + kBoxPadding, readout.Text);
}
