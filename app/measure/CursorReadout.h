#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gui/Color.h"
#include "gui/Geometry.h"

class TChart;
class TChartAxis;
class TChartSeries;
class TRasterCanvas;
struct TLogNotes;

// The samples a pixel column of a pane shows: the first and last point in it
// (one point when the column lies between two points and holds none: the
// nearest) and the extremes of their values.
struct TColumnSamples {
  int First = 0;
  int Last = 0;
  double Min = 0;
  double Max = 0;
};

// The cursor readout of one pane: a one-pixel vertical line at a pixel
// column of its plot area and, when the pane shows a log, a box beside it
// with the samples of that column.
struct TCursorReadout {
  int Column = 0;
  int Top = 0;  // the line runs from Top to Bottom, both included
  int Bottom = 0;
  int Right = 0;     // the plot's right edge: the box goes left of the line before it crosses that
  std::string Text;  // empty without a log, kNoSampleText where it has no sample
  // The samples' leading fields ("12.5", or "12.5–13.0" for several), empty
  // when the log has none.
  std::string Leading;
  std::optional<TColumnSamples> Samples;
};

// The readout of a pane whose log has no sample at the column.
constexpr const char* kNoSampleText = "no data";
// What the readout shows for a gap: a line skipped as no sample.
constexpr const char* kGapText = "gap";

constexpr TColor kReadoutLineColor = RGBColor(0xC0, 0x00, 0x00);
constexpr TColor kReadoutBoxColor = RGBColor(0xFF, 0xFF, 0xE1);

// The index of the point whose X is nearest to `x` in a series whose X
// values ascend (the earlier one on a tie), or none for an empty series.
std::optional<int> NearestPointIndex(const TChartSeries& series, double x);

// The points of a series with ascending X that `horizontal` maps to pixel
// `column`, or the nearest one when none lies there; none for an empty
// series and for a column before its first or after its last point.
std::optional<TColumnSamples> ColumnSamples(const TChartSeries& series, const TChartAxis& horizontal, int column);

// The points of a series with ascending X from X = low to X = high, or none.
std::optional<TColumnSamples> SamplesBetween(const TChartSeries& series, double low, double high);

// "#N" for one sample, "#first–last" for several, with the locale's
// thousands separator.
std::string SamplesText(const TChartSeries& series, const TColumnSamples& samples);
// The sample's value as the value axis writes its labels (a sensor word
// noted in `notes` as the word, a null point as kGapText), or "min … max"
// for several.
std::string ValuesText(const TChartSeries& series, const TChartAxis& valueAxis, const TColumnSamples& samples,
                       const TLogNotes* notes = nullptr);
// SamplesText and ValuesText with two spaces between them: "#N  value",
// "#first–last  min … max".
std::string ReadoutText(const TChartSeries& series, const TChartAxis& valueAxis, const TColumnSamples& samples,
                        const TLogNotes* notes = nullptr);

// The leading fields of the samples as written in the log: the first's, and
// the last's after a dash when there are several; empty when they are not
// known.
std::string LeadingText(const TLogNotes& notes, const TColumnSamples& samples);

// Sample numbers from First to Last.
struct TSampleSpan {
  double First = 0;
  double Last = 0;
};

// The readout of the chart at the column, as its last paint laid it out,
// for the samples the column holds or else those of `span`; none when the
// column lies outside its plot area.
std::optional<TCursorReadout> PaneReadout(TChart& chart, int column, const TLogNotes* notes = nullptr,
                                          std::optional<TSampleSpan> span = std::nullopt);

// The pixel column at which the chart shows sample number `sample`, as its
// last paint laid it out.
int SampleColumn(TChart& chart, double sample);

// The lines of the readout's box: its text, and "t " and the leading
// fields when there are any; none without a point.
std::vector<std::string> ReadoutLines(const TCursorReadout& readout);

// Where the readout's box goes on a picture of the pane; none without lines.
std::optional<TRect> ReadoutBox(TRasterCanvas& canvas, const TCursorReadout& readout);
// Draws the readout on a picture of the pane.
void DrawCursorReadout(TRasterCanvas& canvas, const TCursorReadout& readout);
