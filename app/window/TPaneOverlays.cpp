#include "app/window/TPaneOverlays.h"
#include "chart/series/TChartSeries.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/document/TLogDocument.h"
#include "app/measure/TMeasurements.h"
#include "app/window/StatisticsBox.h"
#include "chart/canvas/TBufferedCanvas3D.h"
#include "gui/TRasterCanvas.h"

namespace {

// Drawn at the top left of a pane whose log stopped before its end.
constexpr TColor kStoppedMarkColor = RGBColor(0xE0, 0x40, 0x00);
constexpr TRect kStoppedMark{2, 2, 9, 9};

constexpr std::array<TColor, 2> kMarkerColors = {RGBColor(0x00, 0x80, 0x00), RGBColor(0xA0, 0x00, 0xA0)};
constexpr std::array<const char*, 2> kMarkerNames = {"A", "B"};
constexpr TColor kZoomBandColor = RGBColor(0x20, 0x20, 0x20);
constexpr int kMarkerNameGap = 2;
constexpr int kModeTextSize = 7;
constexpr TColor kModeTextColor = RGBColor(0x40, 0x40, 0x40);
constexpr int kModeTextGap = 3;

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

void DrawMarker(TCanvas3D& canvas, const TRect& plot, int column, std::size_t marker) {
  if (column < plot.Left || column > plot.Right) {
    return;
  }
  canvas.Pen = TPen{};
  canvas.Pen.Color = kMarkerColors[marker];
  canvas.Pen.Style = psDash;
  canvas.LineSegment(column, plot.Top, column, plot.Bottom + 1);
  canvas.Font = TFont{};
  canvas.Font.Color = kMarkerColors[marker];
  canvas.SetBackMode(BackModeTransparent);
  // Right of the line, or left of it where it would reach the value axis' labels.
  const bool fitsRight = column + kMarkerNameGap + canvas.MeasureTextWidth(kMarkerNames[marker]) <= plot.Right;
  canvas.SetTextAlign((fitsRight ? TextAlignLeft : TextAlignRight) | TextAlignBottom);
  canvas.TextOut(fitsRight ? column + kMarkerNameGap : column - kMarkerNameGap + 1, plot.Bottom, kMarkerNames[marker]);
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

void DrawModeTexts(TRasterCanvas& canvas, const TChart& chart, const std::vector<std::string>& texts) {
  const TRect& plot = chart.PlotRect;
  TFont font;
  font.Size = kModeTextSize;
  font.Color = kModeTextColor;
  canvas.SetFont(font);
  canvas.SetBackColor(chart.Color());
  canvas.SetBackMode(BackModeOpaque);
  canvas.SetTextAlign(TextAlignRight | TextAlignTop);
  int y = plot.Top + kModeTextGap;
  for (const std::string& text : texts) {
    canvas.TextOut(plot.Right - kModeTextGap, y, text);
    y += canvas.TextHeight(text);
  }
}

TPaneOverlays::TPaneOverlays(std::array<TChart*, PaneCount> charts, const TLogDocument& document,
                             TMeasurements& measures)
    : charts_(charts), document_(document), measures_(measures) {}

std::vector<std::string> TPaneOverlays::ModesOn() const { return ModeTexts ? ModeTexts() : std::vector<std::string>{}; }

void TPaneOverlays::Refresh() {
  const bool everywhere = measures_.AnyShown();
  const bool modesOn = !ModesOn().empty();
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = *charts_[pane];
    if (everywhere || (pane == 0 && modesOn) || document_.PaneLog(pane).StoppedEarly ||
        chart.SeriesList()[0].PointCount() == 0 || (chart.Zoom().DragActive && !chart.Zoom().XorBand())) {
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
  // Under what the user points at: a readout box or a marker stays readable.
  if (pane == 0) {
    DrawModeTexts(canvas, chart, ModesOn());
  }
  const std::optional<TCursorReadout> readout = measures_.ShownReadout(pane);
  const std::optional<TRect> readoutBox = readout ? ReadoutBox(canvas, *readout) : std::nullopt;
  TBufferedCanvas3D surface;
  surface.SetBuffered(false);
  surface.BeginDrawing(canvas, {0, 0, canvas.Width(), canvas.Height()}, 100);
  DrawMeasures(pane, surface, readoutBox);
  if (readout) {
    DrawCursorReadout(canvas, *readout);
  }
  DrawZoomBand(canvas, chart.Zoom());
}

void TPaneOverlays::DrawMeasures(std::uint8_t pane, TCanvas3D& canvas, const std::optional<TRect>& taken) {
  canvas.ResetState();
  const TRect& plot = charts_[pane]->PlotRect;
  const auto& markers = measures_.Markers();
  for (std::size_t marker = 0; marker < markers.size(); ++marker) {
    if (markers[marker]) {
      DrawMarker(canvas, plot, measures_.MarkerColumn(pane, marker), marker);
    }
  }
  DrawStatistics(pane, canvas, taken);
}

void TPaneOverlays::DrawStatistics(std::uint8_t pane, TCanvas3D& canvas, const std::optional<TRect>& taken) {
  const std::optional<TMeasurements::TPaneStatistics> statistics = measures_.PaneStatistics(pane);
  TChart& chart = *charts_[pane];
  const TChartSeries& series = chart.SeriesList()[0];
  if (!statistics || series.ResolvedVertAxis() == nullptr) {
    return;
  }
  const TChartAxis& horizontal = *series.ResolvedHorizAxis();
  const TChartAxis& vertical = *series.ResolvedVertAxis();
  canvas.Font = TFont{};
  const std::vector<std::string> lines = measures_.StatisticsLines(pane, *statistics);
  std::vector<int> widths;
  widths.reserve(lines.size());
  for (const std::string& line : lines) {
    widths.push_back(canvas.MeasureTextWidth(line));
  }
  const int lineHeight = canvas.MeasureTextHeight("Ag");
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
  const std::optional<TStatisticsBox> place = PlaceStatisticsBox(chart.PlotRect, widths, lineHeight, taken, curveRows);
  if (!place) {
    return;
  }
  canvas.Pen = TPen{};
  canvas.Brush = TBrush{kReadoutBoxColor, bsSolid};
  canvas.Rectangle(place->Box);
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  for (std::size_t line = 0; line < place->Lines; ++line) {
    canvas.TextOut(place->Box.Left + kStatisticsBoxPadding,
                   place->Box.Top + kStatisticsBoxPadding + static_cast<int>(line) * lineHeight, lines[line]);
  }
}
