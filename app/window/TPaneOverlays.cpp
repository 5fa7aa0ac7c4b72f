#include "app/window/TPaneOverlays.h"
#include "chart/series/TChartSeries.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "app/document/TLogDocument.h"
#include "app/measure/TMeasurements.h"
#include "gui/TRasterCanvas.h"

namespace {

// Drawn at the top left of a pane whose log stopped before its end.
constexpr TColor kStoppedMarkColor = RGBColor(0xE0, 0x40, 0x00);
constexpr TRect kStoppedMark{2, 2, 9, 9};

constexpr std::array<TColor, 2> kMarkerColors = {RGBColor(0x00, 0x80, 0x00), RGBColor(0xA0, 0x00, 0xA0)};
constexpr std::array<const char*, 2> kMarkerNames = {"A", "B"};
constexpr TColor kZoomBandColor = RGBColor(0x20, 0x20, 0x20);
constexpr int kBoxPadding = 2;
constexpr int kBoxMargin = 3;

// Shown over a pane without samples, so that a newcomer learns how a log
// gets in.
constexpr const char* kEmptyPaneHint = "Log\u2026 or drop a log here";

// Just above the middle, where an empty pane draws its one grid line; on
// the chart's own colour, so that the grid lines of a pane that follows a
// zoom do not cross it.
void DrawEmptyPaneHint(TRasterCanvas& canvas, const TChart& chart) {
  const TRect& plot = chart.PlotRect;
  TFont font;
  font.Color = clGray;
  canvas.SetFont(font);
  canvas.SetBackColor(chart.Color());
  canvas.SetBackMode(BackModeOpaque);
  canvas.SetTextAlign(TextAlignCenter | TextAlignBottom);
  canvas.TextOut((plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2 - 2, kEmptyPaneHint);
}

void DrawStoppedMark(TRasterCanvas& canvas) {
  TPen pen;
  pen.Color = kStoppedMarkColor;
  canvas.SetPen(pen);
  canvas.SetBrush(TBrush{kStoppedMarkColor, bsSolid});
  canvas.Rectangle(kStoppedMark);
}

void DrawMarker(TRasterCanvas& canvas, const TRect& plot, int column, std::size_t marker) {
  if (column < plot.Left || column > plot.Right) {
    return;
  }
  TPen pen;
  pen.Color = kMarkerColors[marker];
  pen.Style = psDash;
  canvas.SetPen(pen);
  canvas.LineSegment(column, plot.Top, column, plot.Bottom + 1);
  TFont font;
  font.Color = kMarkerColors[marker];
  canvas.SetFont(font);
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignBottom);
  canvas.TextOut(column + 2, plot.Bottom, kMarkerNames[marker]);
}

// The box of `lines` at the corner of the plot whose rows the curve under
// it crosses least, given the rows the curve takes below a box column range.
template <class TCurveRows>
TRect StatisticsBox(TRasterCanvas& canvas, const TRect& plot, const std::vector<std::string>& lines,
                    TCurveRows curveRows) {
  int width = 0;
  for (const std::string& line : lines) {
    width = std::max(width, canvas.TextWidth(line));
  }
  width += 2 * kBoxPadding;
  const int height = static_cast<int>(lines.size()) * canvas.TextHeight("Ag") + 2 * kBoxPadding;
  const int left = plot.Left + kBoxMargin;
  const int right = plot.Right - kBoxMargin - width;
  const int top = plot.Top + kBoxMargin;
  const int bottom = plot.Bottom - kBoxMargin - height;
  TRect best{};
  int leastHidden = INT_MAX;
  for (const TPoint corner : {TPoint{left, top}, TPoint{right, top}, TPoint{left, bottom}, TPoint{right, bottom}}) {
    const TRect box{corner.X, corner.Y, corner.X + width, corner.Y + height};
    const auto [curveTop, curveBottom] = curveRows(box.Left, box.Right);
    const int hidden = std::max(0, std::min(curveBottom, box.Bottom) - std::max(curveTop, box.Top));
    if (hidden < leastHidden) {
      leastHidden = hidden;
      best = box;
    }
  }
  return best;
}

// The zoom band the chart leaves to the overlay: a dark dashed frame on a
// white one, seen on light and dark colours alike.
void DrawZoomBand(TRasterCanvas& canvas, const TChartZoom& zoom) {
  if (!zoom.DragActive || zoom.XorBand()) {
    return;
  }
  const TRect band = TRect{zoom.StartX, zoom.StartY, zoom.EndX, zoom.EndY}.Normalized();
  canvas.SetBrush(TBrush{clWhite, bsClear});
  TPen pen;
  pen.Color = clWhite;
  canvas.SetPen(pen);
  canvas.Rectangle(band);
  pen.Color = kZoomBandColor;
  pen.Style = psDash;
  canvas.SetPen(pen);
  canvas.Rectangle(band);
}

}  // namespace

TPaneOverlays::TPaneOverlays(std::array<TChart*, PaneCount> charts, const TLogDocument& document,
                             TMeasurements& measures)
    : charts_(charts), document_(document), measures_(measures) {}

void TPaneOverlays::Refresh() {
  const bool everywhere = measures_.AnyShown();
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = *charts_[pane];
    if (everywhere || document_.PaneLog(pane).StoppedEarly || chart.SeriesList()[0].PointCount() == 0 ||
        (chart.Zoom().DragActive && !chart.Zoom().XorBand())) {
      chart.SetOverlay([this, pane](TRasterCanvas& canvas) { Draw(pane, canvas); });
    } else if (chart.HasOverlay()) {
      chart.ClearOverlay();
    }
  }
}

void TPaneOverlays::Draw(std::uint8_t pane, TRasterCanvas& canvas) {
  if (document_.PaneLog(pane).StoppedEarly) {
    DrawStoppedMark(canvas);
  }
  TChart& chart = *charts_[pane];
  if (chart.SeriesList()[0].PointCount() == 0) {
    DrawEmptyPaneHint(canvas, chart);
  }
  const auto& markers = measures_.Markers();
  for (std::size_t marker = 0; marker < markers.size(); ++marker) {
    if (markers[marker]) {
      DrawMarker(canvas, chart.PlotRect, SampleColumn(chart, markers[marker]->Sample), marker);
    }
  }
  DrawStatistics(pane, canvas);
  if (const std::optional<TCursorReadout> readout = measures_.ShownReadout(pane)) {
    DrawCursorReadout(canvas, *readout);
  }
  DrawZoomBand(canvas, chart.Zoom());
}

void TPaneOverlays::DrawStatistics(std::uint8_t pane, TRasterCanvas& canvas) {
  const std::optional<TMeasurements::TPaneStatistics> statistics = measures_.PaneStatistics(pane);
  TChart& chart = *charts_[pane];
  const TChartSeries& series = chart.SeriesList()[0];
  if (!statistics || series.ResolvedVertAxis() == nullptr) {
    return;
  }
  const TChartAxis& horizontal = *series.ResolvedHorizAxis();
  const TChartAxis& vertical = *series.ResolvedVertAxis();
  canvas.SetFont(TFont{});
  const std::vector<std::string> lines = measures_.StatisticsLines(pane, *statistics);
  // The rows the curve takes below a box: the extremes of its samples there.
  const auto curveRows = [&](int left, int right) {
    const std::optional<TColumnSamples> below =
        SamplesBetween(series, horizontal.PixelToValue(left), horizontal.PixelToValue(right));
    if (!below) {
      return std::pair{0, 0};
    }
    const int top = vertical.ValueToPixel(below->Max);
    const int bottom = vertical.ValueToPixel(below->Min);
    return std::pair{std::min(top, bottom), std::max(top, bottom)};
  };
  const TRect box = StatisticsBox(canvas, chart.PlotRect, lines, curveRows);
  TPen pen;
  canvas.SetPen(pen);
  canvas.SetBrush(TBrush{kReadoutBoxColor, bsSolid});
  canvas.Rectangle(box);
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  int y = box.Top + kBoxPadding;
  for (const std::string& line : lines) {
    canvas.TextOut(box.Left + kBoxPadding, y, line);
    y += canvas.TextHeight(line);
  }
}
