#include "chart/series/TLineSeries.h"

#include <algorithm>

// Room for half-drawn markers and wide pens at the axis ends.
int TCustomSeries::MarginForSize(int pointerSize) const {
  int margin = 0;
  if (Pointer.Visible && Pointer.InflateMargins) {
    margin = std::max(margin, pointerSize + 1);
  }
  if (DrawLine && Stairs) {
    margin = std::max(margin, LinePenWidth);
  }
  if (DrawLine && OutLineVisible) {
    margin = std::max(margin, OutLineWidth);
  }
  return margin;
}

TSeriesMargins TCustomSeries::HorizontalMargins() const {
  const int margin = MarginForSize(Pointer.HorizSize);
  return {margin, margin};
}

TSeriesMargins TCustomSeries::VerticalMargins() const {
  const int margin = MarginForSize(Pointer.VertSize);
  TSeriesMargins margins{margin, margin};
  if (View3D) {
    margins.High = std::max(margins.High, LineHeight);
  }
  return margins;
}
