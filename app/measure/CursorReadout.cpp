#include "app/measure/CursorReadout.h"

#include <algorithm>
#include <cmath>

#include "app/measure/StretchStatistics.h"
#include "chart/panel/TChart.h"
#include "chart/series/TChartSeries.h"
#include "chart/series/VisibleRange.h"
#include "gui/TRasterCanvas.h"
#include "log/LogSample.h"
#include "log/TLogNotes.h"
#include "runtime/NumberFormat.h"

namespace {

// Room between the line and the box, and inside the box around its text.
constexpr int kBoxGap = 3;
constexpr int kBoxPadding = 2;

std::string SampleNumberText(const TChartSeries& series, int index) {
  return GroupedWholeNumber(series.XValueAt(index));
}

// The first index from which on `beyond` holds, for a predicate that holds
// from some index on.
template <class TPredicate>
int FirstIndexWhere(int count, TPredicate beyond) {
  int low = 0;
  int high = count;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (beyond(middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

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

namespace {

// The points [first, end), which are not empty, with the extremes of their values.
TColumnSamples SamplesOf(const TChartSeries& series, int first, int end) {
  const TStretchExtremes extremes = StretchExtremes(series.YValues(), first, end - 1);
  return {first, end - 1, extremes.Min, extremes.Max};
}

}  // namespace

std::optional<TColumnSamples> ColumnSamples(const TChartSeries& series, const TChartAxis& horizontal, int column) {
  const int count = series.PointCount();
  const auto pixel = [&](int i) { return horizontal.ValueToPixel(series.XValueAt(i)); };
  const int first = FirstIndexWhere(count, [&](int i) { return pixel(i) >= column; });
  const int end = FirstIndexWhere(count, [&](int i) { return pixel(i) > column; });
  // Past either end of the log there is no sample to show; between two
  // samples the nearest one stands for the column.
  if (end == 0 || first == count) {
    return std::nullopt;
  }
  if (first == end) {
    const int nearest = *NearestPointIndex(series, horizontal.PixelToValue(column));
    return SamplesOf(series, nearest, nearest + 1);
  }
  return SamplesOf(series, first, end);
}

std::optional<TColumnSamples> SamplesBetween(const TChartSeries& series, double low, double high) {
  const int count = series.PointCount();
  const int first = FirstIndexWhere(count, [&](int i) { return series.XValueAt(i) >= low; });
  const int end = FirstIndexWhere(count, [&](int i) { return series.XValueAt(i) > high; });
  if (first == end) {
    return std::nullopt;
  }
  return SamplesOf(series, first, end);
}

std::string SamplesText(const TChartSeries& series, const TColumnSamples& samples) {
  const std::string first = "#" + SampleNumberText(series, samples.First);
  return samples.First == samples.Last ? first : first + "\u2013" + SampleNumberText(series, samples.Last);
}

std::string ValuesText(const TChartSeries& series, const TChartAxis& valueAxis, const TColumnSamples& samples,
                       const TLogNotes* notes) {
  if (samples.First != samples.Last) {
    return valueAxis.LabelText(samples.Min) + " \u2026 " + valueAxis.LabelText(samples.Max);
  }
  const double value = series.YValueAt(samples.First);
  if (notes != nullptr && notes->Words.IsWord(static_cast<std::size_t>(samples.First))) {
    if (const std::optional<std::string_view> word = SensorWordText(value)) {
      return std::string(*word);
    }
  }
  // A skipped line's point holds its neighbour's value only to keep the
  // axis' range.
  if (series.IsNullPoint(samples.First)) {
    return kGapText;
  }
  return valueAxis.LabelText(value);
}

std::string ReadoutText(const TChartSeries& series, const TChartAxis& valueAxis, const TColumnSamples& samples,
                        const TLogNotes* notes) {
  return SamplesText(series, samples) + "  " + ValuesText(series, valueAxis, samples, notes);
}

std::string LeadingText(const TLogNotes& notes, const TColumnSamples& samples) {
  const std::optional<std::string> first = notes.Field(static_cast<std::uint64_t>(samples.First));
  if (!first || samples.First == samples.Last) {
    return first.value_or("");
  }
  const std::optional<std::string> last = notes.Field(static_cast<std::uint64_t>(samples.Last));
  return last ? *first + "\u2013" + *last : *first;
}

std::optional<TCursorReadout> PaneReadout(TChart& chart, int column, const TLogNotes* notes,
                                          std::optional<TSampleSpan> span) {
  const TRect& plot = chart.PlotRect;
  // The plot is never upside down, so its top row tests the column alone.
  if (!plot.ContainsInclusive({column, plot.Top})) {
    return std::nullopt;
  }
  TCursorReadout readout{column, plot.Top, plot.Bottom, plot.Right, "", "", std::nullopt};
  // The axes a series is drawn on are known once the pane has painted it.
  const TChartSeries& series = chart.SeriesList()[0];
  const TChartAxis* horizontal = series.ResolvedHorizAxis();
  const TChartAxis* vertical = series.ResolvedVertAxis();
  if (horizontal == nullptr || vertical == nullptr) {
    return readout;
  }
  readout.Samples = span ? SamplesBetween(series, span->First, span->Last) : ColumnSamples(series, *horizontal, column);
  if (!readout.Samples) {
    readout.Text = series.PointCount() > 0 ? kNoSampleText : "";
    return readout;
  }
  readout.Text = ReadoutText(series, *vertical, *readout.Samples, notes);
  if (notes != nullptr) {
    readout.Leading = LeadingText(*notes, *readout.Samples);
  }
  return readout;
}

int SampleColumn(TChart& chart, double sample) {
  const TChartAxis* horizontal = chart.SeriesList()[0].ResolvedHorizAxis();
  return horizontal != nullptr ? horizontal->ValueToPixel(sample) : chart.PlotRect.Left;
}

std::vector<std::string> ReadoutLines(const TCursorReadout& readout) {
  std::vector<std::string> lines;
  if (!readout.Text.empty()) {
    lines.push_back(readout.Text);
  }
  if (!readout.Leading.empty()) {
    lines.push_back("t " + readout.Leading);
  }
  return lines;
}

std::optional<TRect> ReadoutBox(TRasterCanvas& canvas, const TCursorReadout& readout) {
  const std::vector<std::string> lines = ReadoutLines(readout);
  if (lines.empty()) {
    return std::nullopt;
  }
  canvas.SetFont(TFont{});
  int width = 0;
  int height = 2 * kBoxPadding;
  for (const std::string& line : lines) {
    width = std::max(width, canvas.TextWidth(line) + 2 * kBoxPadding);
    height += canvas.TextHeight(line);
  }
  int left = readout.Column + kBoxGap;
  if (left + width > readout.Right) {
    left = readout.Column - kBoxGap - width;
  }
  const int top = readout.Top + kBoxGap;
  return TRect{left, top, left + width, top + height};
}

void DrawCursorReadout(TRasterCanvas& canvas, const TCursorReadout& readout) {
  TPen pen;
  pen.Color = kReadoutLineColor;
  canvas.SetPen(pen);
  canvas.LineSegment(readout.Column, readout.Top, readout.Column, readout.Bottom + 1);
  const std::optional<TRect> box = ReadoutBox(canvas, readout);
  if (!box) {
    return;
  }
  pen.Color = clBlack;
  canvas.SetPen(pen);
  canvas.SetBrush(TBrush{kReadoutBoxColor, bsSolid});
  canvas.Rectangle(*box);
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  int y = box->Top + kBoxPadding;
  for (const std::string& line : ReadoutLines(readout)) {
    canvas.TextOut(box->Left + kBoxPadding, y, line);
    y += canvas.TextHeight(line);
  }
}
