#pragma once

#include "chart/series/TChartSeries.h"

// The marker a series can draw at each point (hidden for line series).
struct TSeriesPointer {
  bool Visible = false;
  bool InflateMargins = true;
  int HorizSize = 4;
  int VertSize = 4;
};

class TCustomLineSeries : public TChartSeries {};

// The drawing settings that decide how much room a line series keeps free
// at the ends of its axes.
class TCustomSeries : public TCustomLineSeries {
public:
  TSeriesPointer Pointer;
  bool DrawLine = true;
  bool Stairs = false;
  int LinePenWidth = 1;
  bool OutLineVisible = false;
  int OutLineWidth = 1;
  bool View3D = false;
  int LineHeight = 0;

  TSeriesMargins HorizontalMargins() const override;
  TSeriesMargins VerticalMargins() const override;

private:
  int MarginForSize(int pointerSize) const;
};

class TLineSeries : public TCustomSeries {};
