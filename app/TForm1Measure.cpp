// The window's readout, markers, statistics of a stretch and the keys that
// step, zoom and copy them: drawn as overlays over the panes' kept pictures.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <string>

#include "app/StretchStatistics.h"
#include "app/TForm1.h"
#include "gui/Clipboard.h"
#include "gui/Keyboard.h"
#include "gui/TRasterCanvas.h"
#include "runtime/NumberFormat.h"

namespace {

constexpr TShiftState kAnyButton = ssLeft | ssRight | ssMiddle;

// Drawn at the top left of a pane whose log stopped before its end.
constexpr TColor kStoppedMarkColor = RGBColor(0xE0, 0x40, 0x00);
constexpr TRect kStoppedMark{2, 2, 9, 9};

constexpr std::array<TColor, 2> kMarkerColors = {RGBColor(0x00, 0x80, 0x00), RGBColor(0xA0, 0x00, 0xA0)};
constexpr std::array<const char*, 2> kMarkerNames = {"A", "B"};
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

// A title or file name as one cell of the copied figures: a tab or line
// break in it would split the row.
std::string FigureCell(std::string text) {
  const auto splits = [](char c) { return c == '\t' || c == '\n' || c == '\r'; };
  std::replace_if(text.begin(), text.end(), splits, ' ');
  return text;
}

}  // namespace

void TForm1::ChartMouseMove(std::uint8_t pane, TShiftState shift, int x, int y) {
  if ((shift & kAnyButton) == 0 && PaneChart(pane).PlotRect.ContainsInclusive({x, y})) {
    ShowCursorReadout(pane, x);
  } else {
    HideCursorReadout();
  }
}

void TForm1::ShowCursorReadout(std::uint8_t pane, int column) {
  readoutAt_ = TReadoutPlace{pane, column, std::nullopt};
  RefreshOverlays();
}

void TForm1::HideCursorReadout() {
  if (readoutAt_) {
    readoutAt_.reset();
    RefreshOverlays();
  }
}

// The mouse's column, or the sample the keys put the readout at.
std::optional<TCursorReadout> TForm1::SourceReadout() {
  if (!readoutAt_) {
    return std::nullopt;
  }
  TChart& chart = PaneChart(readoutAt_->Pane);
  if (readoutAt_->Sample) {
    const double sample = PaneSeries(readoutAt_->Pane).XValueAt(*readoutAt_->Sample);
    return PaneReadout(chart, SampleColumn(chart, sample), &notes_[readoutAt_->Pane], TSampleSpan{sample, sample});
  }
  return PaneReadout(chart, readoutAt_->Column, &notes_[readoutAt_->Pane]);
}

// In the other panes the same column; while locked, the same samples at
// their own column, and past the end of the source's log each pane's own
// sample at the sample number under the mouse.
std::optional<TCursorReadout> TForm1::ShownReadout(std::uint8_t pane) {
  std::optional<TCursorReadout> source = SourceReadout();
  if (!source || pane == readoutAt_->Pane) {
    return source;
  }
  const TChartSeries& from = PaneSeries(readoutAt_->Pane);
  if (Locked() && !source->Samples && from.PointCount() > 0 && from.ResolvedHorizAxis() != nullptr) {
    TChart& chart = PaneChart(pane);
    return PaneReadout(chart, SampleColumn(chart, from.ResolvedHorizAxis()->PixelToValue(source->Column)),
                       &notes_[pane]);
  }
  if (!Locked() || !source->Samples) {
    return PaneReadout(PaneChart(pane), source->Column, &notes_[pane]);
  }
  const TSampleSpan span{from.XValueAt(source->Samples->First), from.XValueAt(source->Samples->Last)};
  return PaneReadout(PaneChart(pane), SampleColumn(PaneChart(pane), span.First), &notes_[pane], span);
}

std::optional<double> TForm1::ReadoutSample() {
  const std::optional<TCursorReadout> source = SourceReadout();
  if (!source || !source->Samples) {
    return std::nullopt;
  }
  return PaneSeries(readoutAt_->Pane).XValueAt(source->Samples->First);
}

// Worked out at every paint of the window, so that the overlays follow a
// new log, zoom or scroll under a mouse that stays where it is.
void TForm1::RefreshOverlays() {
  const bool everywhere = readoutAt_ || markers_[0] || markers_[1] || statisticsShown_;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = PaneChart(pane);
    if (everywhere || paneLogs_[pane].StoppedEarly || PaneSeries(pane).PointCount() == 0) {
      chart.SetOverlay([this, pane](TRasterCanvas& canvas) { DrawOverlay(pane, canvas); });
    } else if (chart.HasOverlay()) {
      chart.ClearOverlay();
    }
  }
}

void TForm1::DrawOverlay(std::uint8_t pane, TRasterCanvas& canvas) {
  if (paneLogs_[pane].StoppedEarly) {
    DrawStoppedMark(canvas);
  }
  TChart& chart = PaneChart(pane);
  if (PaneSeries(pane).PointCount() == 0) {
    DrawEmptyPaneHint(canvas, chart);
  }
  for (std::size_t marker = 0; marker < markers_.size(); ++marker) {
    if (markers_[marker]) {
      DrawMarker(canvas, chart.PlotRect, SampleColumn(chart, markers_[marker]->Sample), marker);
    }
  }
  if (const std::optional<TPaneStatistics> statistics = PaneStatistics(pane)) {
    DrawStatistics(pane, canvas, *statistics);
  }
  if (const std::optional<TCursorReadout> readout = ShownReadout(pane)) {
    DrawCursorReadout(canvas, *readout);
  }
}

// ---- Markers and statistics ----

void TForm1::SetMarker(std::size_t marker) {
  if (const std::optional<double> sample = ReadoutSample()) {
    markers_.at(marker) = TMarker{readoutAt_->Pane, *sample};
    RefreshOverlays();
  }
}

void TForm1::ClearMarkers() {
  markers_ = {};
  RefreshOverlays();
}

void TForm1::ForgetMeasuresOf(std::uint8_t pane) {
  for (std::optional<TMarker>& marker : markers_) {
    if (marker && marker->Pane == pane) {
      marker.reset();
    }
  }
  statisticsCache_[pane].reset();
  blockSums_[pane].Clear();
}

void TForm1::ToggleStatistics() {
  statisticsShown_ = !statisticsShown_;
  RefreshOverlays();
}

std::optional<TSampleSpan> TForm1::StatisticsSpan(std::uint8_t pane) {
  if (markers_[0] && markers_[1]) {
    const auto [low, high] = std::minmax(markers_[0]->Sample, markers_[1]->Sample);
    return TSampleSpan{low, high};
  }
  if (statisticsShown_) {
    const TChartAxis& axis = PaneChart(pane).BottomAxis();
    return TSampleSpan{axis.Minimum(), axis.Maximum()};
  }
  return std::nullopt;
}

// Kept while the stretch and the log stay, and extended when both grew at
// their end: the mean of a long stretch costs a pass over it, and the
// overlay is drawn at every paint, also at every step of a followed log.
std::optional<TForm1::TPaneStatistics> TForm1::PaneStatistics(std::uint8_t pane) {
  const std::optional<TSampleSpan> span = StatisticsSpan(pane);
  const TChartSeries& series = PaneSeries(pane);
  if (!span) {
    return std::nullopt;
  }
  const std::optional<TColumnSamples> samples = SamplesBetween(series, span->First, span->Last);
  if (!samples) {
    return std::nullopt;
  }
  std::optional<TStatisticsCache>& cache = statisticsCache_[pane];
  const bool grown = cache && cache->First == samples->First && cache->Last <= samples->Last &&
                     cache->PointCount <= series.PointCount();
  if (!grown || cache->Last < samples->Last) {
    const TStretchStatistics figures =
        grown ? ExtendedStretchStatistics(series.YValues(), cache->Figures, samples->Last, blockSums_[pane])
              : StretchStatistics(series.YValues(), samples->First, samples->Last, blockSums_[pane]);
    cache = TStatisticsCache{samples->First, samples->Last, series.PointCount(), figures,
                             MarkedLeadingDifference(pane, *samples)};
  }
  TPaneStatistics statistics{cache->Figures, std::nullopt, std::nullopt, cache->DeltaLeading};
  const auto valueAt = [&series](const std::optional<TMarker>& marker) -> std::optional<double> {
    if (!marker) {
      return std::nullopt;
    }
    return series.YValueAt(*NearestPointIndex(series, marker->Sample));
  };
  statistics.AtA = valueAt(markers_[0]);
  statistics.AtB = valueAt(markers_[1]);
  return statistics;
}

// Read from the file, so kept with the figures rather than read at every
// paint.
std::optional<std::string> TForm1::MarkedLeadingDifference(std::uint8_t pane, const TColumnSamples& stretch) const {
  const TLeadingFields& leading = notes_[pane].Leading;
  if (!markers_[0] || !markers_[1]) {
    return std::nullopt;
  }
  const std::optional<std::string> first = leading.Field(static_cast<std::uint64_t>(stretch.First));
  const std::optional<std::string> last = leading.Field(static_cast<std::uint64_t>(stretch.Last));
  return first && last ? FieldDifference(*first, *last) : std::nullopt;
}

std::vector<std::string> TForm1::StatisticsLines(std::uint8_t pane, const TPaneStatistics& statistics) {
  const TChartAxis& values = *PaneSeries(pane).ResolvedVertAxis();
  std::vector<std::string> lines;
  if (markers_[0] && markers_[1]) {
    lines.push_back("\u0394N " + GroupedWholeNumber(std::abs(markers_[1]->Sample - markers_[0]->Sample)));
    if (statistics.DeltaLeading) {
      lines.push_back("\u0394t " + *statistics.DeltaLeading);
    }
  } else {
    lines.push_back("N " + GroupedWholeNumber(statistics.Figures.Count()));
  }
  lines.push_back("min " + values.LabelText(statistics.Figures.Min));
  lines.push_back("max " + values.LabelText(statistics.Figures.Max));
  lines.push_back("mean " + values.LabelText(statistics.Figures.Mean));
  for (const auto& [name, value] : {std::pair{"A ", statistics.AtA}, std::pair{"B ", statistics.AtB}}) {
    if (value) {
      lines.push_back(name + values.LabelText(*value));
    }
  }
  return lines;
}

void TForm1::DrawStatistics(std::uint8_t pane, TRasterCanvas& canvas, const TPaneStatistics& statistics) {
  if (PaneSeries(pane).ResolvedVertAxis() == nullptr) {
    return;
  }
  TChart& chart = PaneChart(pane);
  const TChartSeries& series = PaneSeries(pane);
  const TChartAxis& horizontal = *series.ResolvedHorizAxis();
  const TChartAxis& vertical = *series.ResolvedVertAxis();
  canvas.SetFont(TFont{});
  const std::vector<std::string> lines = StatisticsLines(pane, statistics);
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

// ---- Keys ----

// Left and Right step one sample (Shift: a pixel column's worth, Ctrl: a
// tenth of the view), Home and End go to the ends of the log.
void TForm1::StepReadout(int key, TShiftState shift) {
  if (!readoutAt_) {
    return;
  }
  const TChartSeries& series = PaneSeries(readoutAt_->Pane);
  const std::optional<TCursorReadout> source = SourceReadout();
  if (!source || !source->Samples) {
    return;
  }
  const int count = series.PointCount();
  int index = source->Samples->First;
  if (key == VK_HOME) {
    index = 0;
  } else if (key == VK_END) {
    index = count - 1;
  } else {
    TChart& chart = PaneChart(readoutAt_->Pane);
    const double view = chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum();
    double step = 1;
    if ((shift & ssCtrl) != 0) {
      step = view / 10;
    } else if ((shift & ssShift) != 0) {
      step = view / std::max(1, chart.PlotRect.Right - chart.PlotRect.Left);
    }
    const long long samples = std::max(1LL, std::llround(step));
    index = static_cast<int>(std::clamp<long long>(index + (key == VK_LEFT ? -samples : samples), 0, count - 1));
  }
  readoutAt_->Sample = index;
  RefreshOverlays();
}

// Through the same zoom as a drag of that width about the readout, so that
// undo and the passing on to the other panes hold as for a drag.
void TForm1::ZoomByKey(bool in) {
  const std::optional<TCursorReadout> source = SourceReadout();
  if (!source || !source->Samples) {
    return;
  }
  const std::uint8_t pane = readoutAt_->Pane;
  TChart& chart = PaneChart(pane);
  const TRect& plot = chart.PlotRect;
  const int width = plot.Right - plot.Left;
  if (in ? !MayZoomIn(PaneSeries(pane), chart.BottomAxis(), width, source->Samples->First)
         : !MayZoomOut(chart.BottomAxis(), AllLogsRange())) {
    return;
  }
  const int half = in ? width / 4 : width;
  const TRect rect{source->Column - half, plot.Top, source->Column + half, plot.Bottom};
  TChartZoom& zoom = chart.Zoom();
  zoom.StartX = rect.Left;
  zoom.StartY = rect.Top;
  zoom.EndX = rect.Right;
  zoom.EndY = rect.Bottom;
  if (!Locked()) {
    SyncZoom(pane);
  }
  chart.ZoomToRectangle(rect);
}

// Every pane one view back; from the first zoom, back to automatic scaling.
void TForm1::ZoomBack() {
  const auto atFirstZoom = [](const std::vector<TZoomView>& views) { return views.size() == 1; };
  const auto unzoomed = [](const std::vector<TZoomView>& views) { return views.empty(); };
  if (std::any_of(zoomHistory_.begin(), zoomHistory_.end(), atFirstZoom) ||
      std::all_of(zoomHistory_.begin(), zoomHistory_.end(), unzoomed)) {
    UndoAllZooms();
    return;
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    std::vector<TZoomView>& views = zoomHistory_[pane];
    if (views.size() < 2) {
      continue;
    }
    views.pop_back();
    TChart& chart = PaneChart(pane);
    const TZoomView& view = views.back();
    chart.TopAxis().SetAxisRange(view.Top.Minimum, view.Top.Maximum);
    chart.BottomAxis().SetAxisRange(view.Bottom.Minimum, view.Bottom.Maximum);
    chart.LeftAxis().SetAxisRange(view.Left.Minimum, view.Left.Maximum);
    chart.RightAxis().SetAxisRange(view.Right.Minimum, view.Right.Maximum);
  }
}

void TForm1::RememberZoom(std::uint8_t pane) {
  TChart& chart = PaneChart(pane);
  const auto range = [](const TChartAxis& axis) { return TAxisRange{axis.Minimum(), axis.Maximum()}; };
  zoomHistory_[pane].push_back(
      {range(chart.TopAxis()), range(chart.BottomAxis()), range(chart.LeftAxis()), range(chart.RightAxis())});
}

void TForm1::ForgetZooms() {
  for (std::vector<TZoomView>& views : zoomHistory_) {
    views.clear();
  }
}

// One row a pane, for pasting into a report.
std::string TForm1::FiguresText() {
  std::string text;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = PaneChart(pane);
    std::string row = FigureCell(chart.Title().Text().empty() ? "" : chart.Title().Text()[0]);
    row += "\t" + FigureCell(paneLogs_[pane].FileName);
    if (const std::optional<TPaneStatistics> statistics = PaneStatistics(pane)) {
      const TChartAxis& values = *PaneSeries(pane).ResolvedVertAxis();
      const auto figure = [&values](std::optional<double> value) {
        return value ? values.LabelText(*value) : std::string();
      };
      row += "\t" + std::to_string(statistics->Figures.Count()) + "\t" + figure(statistics->Figures.Min) + "\t" +
             figure(statistics->Figures.Max) + "\t" + figure(statistics->Figures.Mean) + "\t" +
             figure(statistics->AtA) + "\t" + figure(statistics->AtB);
    } else {
      row += "\t\t\t\t\t\t";
    }
    text += row + "\n";
  }
  return text;
}

void TForm1::CopyFigures() { CopyTextToClipboard(FiguresText()); }

// The keys that measure; false for any other key.
bool TForm1::MeasureKeyDown(int key, TShiftState shift) {
  const bool plain = (shift & (ssCtrl | ssAlt)) == 0;
  if (key == 'A' && shift == 0) {
    SetMarker(0);
  } else if (key == 'B' && shift == 0) {
    SetMarker(1);
  } else if (key == VK_DELETE && shift == 0) {
    ClearMarkers();
  } else if (key == 'S' && shift == 0) {
    ToggleStatistics();
  } else if (key == 'C' && shift == (ssCtrl | ssShift)) {
    CopyFigures();
  } else if (key == VK_LEFT || key == VK_RIGHT || ((key == VK_HOME || key == VK_END) && shift == 0)) {
    StepReadout(key, shift);
  } else if ((key == VK_OEM_PLUS || key == VK_OEM_MINUS) && plain) {
    ZoomByKey(key == VK_OEM_PLUS);
  } else if (key == VK_BACK && shift == 0) {
    ZoomBack();
  } else {
    return false;
  }
  return true;
}
