#pragma once

#include <optional>
#include <string>

#include "gui/Color.h"
#include "gui/Geometry.h"

class TChart;
class TChartAxis;
class TChartSeries;
class TRasterCanvas;

// The cursor readout of one pane: a one-pixel vertical line at a pixel
// column of its plot area and, when the pane shows a log, a box beside it
// with the sample number and value of the point nearest to that column.
struct TCursorReadout {
  int Column = 0;
  int Top = 0;  // the line runs from Top to Bottom, both included
  int Bottom = 0;
  int Right = 0;     // the plot's right edge: the box goes left of the line before it crosses that
  std::string Text;  // empty without a point
};

constexpr TColor kReadoutLineColor = RGBColor(0xC0, 0x00, 0x00);
constexpr TColor kReadoutBoxColor = RGBColor(0xFF, 0xFF, 0xE1);

// The index of the point whose X is nearest to `x` in a series whose X
// values ascend (the earlier one on a tie), or none for an empty series.
std::optional<int> NearestPointIndex(const TChartSeries& series, double x);

// "#N  value": the point's sample number and its value as the value axis
// writes its labels.
std::string ReadoutText(const TChartSeries& series, const TChartAxis& valueAxis, int pointIndex);

// The readout of the chart at the column, as its last paint laid it out;
// none when the column lies outside its plot area.
std::optional<TCursorReadout> PaneReadout(TChart& chart, int column);

// Draws the readout on a picture of the pane.
void DrawCursorReadout(TRasterCanvas& canvas, const TCursorReadout& readout);
