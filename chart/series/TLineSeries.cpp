#include "chart/series/TLineSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/series/TColumnRuns.h"
#include "chart/series/TColumnSpans.h"
#include "runtime/ScopedRestore.h"

TCustomSeries::TCustomSeries() {
  SetKeepPointBeyondEdge(true);
  for (TChangeNotifier* setting : std::initializer_list<TChangeNotifier*>{&linePen_, &outLine_, &shadow_, &pointer_}) {
    setting->OnChange = [this] { RequestRepaint(); };
  }
}

// Room for half-drawn markers and wide pens at the axis ends.
int TCustomSeries::MarginForSize(int pointerSize) const {
  int margin = 0;
  if (pointer_.Visible() && pointer_.InflateMargins()) {
    margin = std::max(margin, pointerSize + 1);
  }
  if (DrawLine && stairs_) {
    margin = std::max(margin, linePen_.Width());
  }
  if (DrawLine && outLine_.Visible()) {
    margin = std::max(margin, outLine_.Width());
  }
  return margin;
}

TSeriesMargins TCustomSeries::HorizontalMargins() const {
  const int margin = MarginForSize(pointer_.HorizSize());
  return {margin, margin};
}

TSeriesMargins TCustomSeries::VerticalMargins() const {
  const int margin = MarginForSize(pointer_.VertSize());
  TSeriesMargins margins{margin, margin};
  if (View3D) {
    margins.High = std::max(margins.High, lineHeight_);
  }
  return margins;
}

void TCustomSeries::DrawAllPoints(TCanvas3D& canvas, const TRect& plotRect) {
  if (shadow_.HasSize()) {
    DrawShadowPass(canvas, plotRect);
  }
  if (outLine_.Visible()) {
    DrawOutlinePass(canvas, plotRect);
  }
  if (CanMergeColumns()) {
    DrawMergedPass(canvas, plotRect);
  } else {
    TChartSeries::DrawAllPoints(canvas, plotRect);
  }
}

// A plain one-pixel solid line in one colour, with no pass before it and
// nothing drawn at the points: there a pixel drawn twice looks the same as
// once, whatever the order.
bool TCustomSeries::CanMergeColumns() const {
  const TChartPenSettings& pen = linePen_.Settings();
  const bool plainPen = pen.Visible && !pen.SmallDots && pen.Width <= 1 && pen.Style == psSolid && pen.Mode == pmCopy;
  const bool oneColor = !(ColorEachPoint() && colorEachLine_);
  return MergeColumns && DrawLine && plainPen && oneColor && !stairs_ && !PointerShown() && !shadow_.HasSize() &&
         !outLine_.Visible();
}

// The main pass as DrawPoint draws it, point by point, but with the
// segments joined column by column. The first point goes through DrawPoint
// for its entry segment; the surface and the series are left as DrawPoint
// would leave them.
void TCustomSeries::DrawMergedPass(TCanvas3D& canvas, const TRect& plotRect) {
  // A range without a point (none between the edges, none kept beyond them)
  // draws nothing, not even the entry segment.
  if (FirstVisible < 0 || LastVisible < FirstVisible || ResolvedHorizAxis() == nullptr) {
    return;
  }
  const bool forward = DrawsForward();
  const int first = forward ? FirstVisible : LastVisible;
  const int last = forward ? LastVisible : FirstVisible;
  DrawPoint(canvas, plotRect, first);
  if (first == last) {
    return;
  }
  const TColor lineColor = SeriesColor();
  TPoint lineEnd;
  TColumnSpans spans([&](int x0, int y0, int x1, int y1) {
    PrepareLinePen(canvas, lineColor);
    canvas.LineSegment(x0, y0, x1, y1);
    lineEnd = {x1, y1};
  });
  const int step = forward ? 1 : -1;
  const TJoinedSegments joined = JoinSegments(spans, first + step, last + step, step);
  canvas.Pen.Color = clBlack;
  canvas.Brush.Color = oldColor_;
  if (joined.LastPointDrawn) {
    PrepareLinePen(canvas, lineColor);
  }
  // A column's line ends below its last point, not on it.
  if (joined.PenPosition && *joined.PenPosition != lineEnd) {
    canvas.MovePenTo(joined.PenPosition->X, joined.PenPosition->Y);
  }
}

// DrawPoint's segments from point `begin` up to (not including) `end`, given
// to `spans`; the previous point is in oldX_, oldY_ and oldColor_, and the
// last one is left there.
TCustomSeries::TJoinedSegments TCustomSeries::JoinSegments(TColumnSpans& spans, int begin, int end, int step) {
  // Copies the optimiser can keep in registers across the drawing calls.
  const TAxisScale horizontal = ResolvedHorizAxis()->Scale();
  const TAxisScale vertical = ResolvedVertAxis()->Scale();
  const TAxisScale* summaryScale = CanSummariseColumns(horizontal) ? &vertical : nullptr;
  if (horizontal.IsPlainLinear() && vertical.IsPlainLinear()) {
    return JoinSegmentsMapped(spans, horizontal.LinearMap(), vertical.LinearMap(), summaryScale, begin, end, step);
  }
  const auto mapX = [&horizontal](double x) { return horizontal.ValueToPixel(x); };
  const auto mapY = [&vertical](double y) { return vertical.ValueToPixel(y); };
  return JoinSegmentsMapped(spans, mapX, mapY, summaryScale, begin, end, step);
}

// Runs of points in one column can be taken from the summary of their Y
// values when the null points among them can be found (a run stops before
// one), their columns follow their order and their Y values are stored.
bool TCustomSeries::CanSummariseColumns(const TAxisScale& horizontal) const {
  return (!MayHaveNullPoints() || NullPointsStored()) && !YValues().IsSequence() && XValues().IsAscending() &&
         MapsInOrder(horizontal, XValueAt(FirstVisible), XValueAt(LastVisible));
}

// JoinSegments with the axes' mappings given; the same as PixelX and PixelY
// but with the choices between kinds of scale made once, and kept in locals:
// this runs for every point. With `summaryScale` (the vertical one), long
// runs of points in one column are taken from the summary of their values.
template <class TMapX, class TMapY>
TCustomSeries::TJoinedSegments TCustomSeries::JoinSegmentsMapped(TColumnSpans& spans, TMapX mapX, TMapY mapY,
                                                                 const TAxisScale* summaryScale, int begin, int end,
                                                                 int step) {
  const TPoint shift = PixelShift;
  std::optional<TColumnRuns<TMapX, TMapY>> runs;
  if (summaryScale != nullptr) {
    runs.emplace(XValues(), YValues(), *summaryScale, mapX, mapY, shift, step);
  }
  TColor oldColor = oldColor_;
  if (oldColor != clNone) {
    spans.Start(oldX_, oldY_);
  }
  // Locals rather than members of the result, which lives in memory.
  bool lastPointDrawn = false;
  bool anyDrawn = false;
  TPoint point{oldX_, oldY_};
  TPoint drawnTo;
  // Whether the line has just come to point i's column: the place to look
  // for a long run of points in it. The point before `begin` is drawn.
  bool enteredColumn = oldColor != clNone;
  // The next null point ahead, which ends any run before it; looked for
  // again once passed, so that finding them all is one walk.
  const bool nullsAhead = runs && MayHaveNullPoints();
  int nextNull = nullsAhead ? begin - step : end;
  for (int i = begin - step;;) {
    if (enteredColumn && runs && oldColor != clNone) {
      if (nullsAhead && (step > 0 ? nextNull <= i : nextNull >= i)) {
        nextNull = NextNullPoint(i + step, end, step);
      }
      const int runEnd = runs->RunEnd(i, nextNull, point.X);
      if (runEnd != i) {
        const auto run = runs->Follow(spans, i, runEnd);
        lastPointDrawn = run.LastPointMoved;
        point.Y = run.Y;
        drawnTo = run.Moved ? point : drawnTo;
        anyDrawn |= run.Moved;
        i = runEnd;
        oldColor = PointColor(i);
      }
    }
    i += step;
    if (i == end) {
      break;
    }
    const TColor color = PointColor(i);
    point = {mapX(XValueAt(i)) + shift.X, mapY(YValueAt(i)) + shift.Y};
    enteredColumn = color == clNone || oldColor == clNone || !spans.InColumn(point.X);
    if (enteredColumn) {
      lastPointDrawn = FollowAcrossColumns(spans, point, color, oldColor);
    } else {
      lastPointDrawn = spans.Step(point.Y);
    }
    // Without a branch, like Step.
    drawnTo = lastPointDrawn ? point : drawnTo;
    anyDrawn |= lastPointDrawn;
    oldColor = color;
  }
  spans.Flush();
  TJoinedSegments joined;
  joined.LastPointDrawn = lastPointDrawn;
  if (anyDrawn) {
    joined.PenPosition = drawnTo;
  }
  oldX_ = point.X;
  oldY_ = point.Y;
  oldColor_ = oldColor;
  oldIndex_ = end - step;
  return joined;
}

// The step of JoinSegments into another column or next to a null point,
// where no segment leads to or from a null point. Whether it drew.
bool TCustomSeries::FollowAcrossColumns(TColumnSpans& spans, TPoint point, TColor color, TColor oldColor) {
  if (color == clNone) {
    spans.Flush();
    return false;
  }
  if (oldColor == clNone) {
    spans.Start(point.X, point.Y);
    return false;
  }
  spans.Cross(point.X, point.Y);
  return true;
}

// The whole line again in the shadow colour, moved by the shadow's sizes,
// without markers.
void TCustomSeries::DrawShadowPass(TCanvas3D& canvas, const TRect& plotRect) {
  const ScopedRestore<TColor> color(DrawColorOverride, shadow_.Color());
  const ScopedRestore<bool> hidden(pointerHidden_, true);
  const ScopedRestore<TPoint> shift(PixelShift, TPoint{shadow_.HorizSize(), shadow_.VertSize()});
  TChartSeries::DrawAllPoints(canvas, plotRect);
}

// A wider line in the outline's colour under the line itself.
void TCustomSeries::DrawOutlinePass(TCanvas3D& canvas, const TRect& plotRect) {
  TChartPen outlinePen(outLine_);
  outlinePen.SetWidth(2 * linePen_.Width() + outLine_.Width() + 1);
  const ScopedRestore<const TChartPen*> pen(drawPen_, &outlinePen);
  const ScopedRestore<TColor> color(DrawColorOverride, outLine_.Color());
  TChartSeries::DrawAllPoints(canvas, plotRect);
}

void TCustomSeries::DrawPoint(TCanvas3D& canvas, const TRect& plotRect, int index) {
  const TColor color = PointColor(index);
  const int x = PixelX(index);
  const int y = PixelY(index);
  canvas.Pen.Color = clBlack;
  canvas.Brush.Color = color;
  // No segment leads away from a null point.
  if (oldColor_ == clNone) {
    oldX_ = x;
    oldY_ = y;
  }
  const bool forward = DrawsForward();
  const int first = forward ? FirstVisible : LastVisible;
  const int last = forward ? LastVisible : FirstVisible;
  if (index == first) {
    if (index == FirstVisible && index > 0) {
      DrawEntrySegment(canvas, plotRect, index, x, y, color);
    }
    if (index == last && PointerShown() && color != clNone) {
      DrawPointer(canvas, index, x, y, color);
    }
  } else {
    DrawSegment(canvas, index, x, y, color, true);
  }
  oldX_ = x;
  oldY_ = y;
  oldColor_ = color;
  oldIndex_ = index;
}

// The line enters at the chart's edge, at the height it has there on its
// way from the point before the visible ones, rather than starting at the
// first visible point.
void TCustomSeries::DrawEntrySegment(TCanvas3D& canvas, const TRect& plotRect, int index, int x, int y, TColor color) {
  const TChartAxis& horizontal = *ResolvedHorizAxis();
  // The edge pixel is on the shifted axis during a shadow pass.
  const int edge = horizontal.Inverted() ? plotRect.Right : plotRect.Left;
  oldX_ = edge;
  oldY_ = stairs_ ? PixelY(index - 1) : EdgeY(index - 1, horizontal.PixelToValue(edge - PixelShift.X));
  if (!IsNullPoint(index - 1)) {
    DrawSegment(canvas, index, x, y, color, false);
  }
}

int TCustomSeries::EdgeY(int previous, double edgeValue) const {
  const int next = previous + 1;
  const double dx = XValueAt(next) - XValueAt(previous);
  if (dx == 0) {
    return PixelY(previous);
  }
  const double fraction = (edgeValue - XValueAt(previous)) / dx;
  const double y0 = YValueAt(previous);
  const double y1 = YValueAt(next);
  // Logarithms need positive values; otherwise the straight line is used.
  if (ResolvedVertAxis()->Logarithmic() && y0 > 0 && y1 > 0) {
    return PixelForY(std::exp(std::log(y0) + (std::log(y1) - std::log(y0)) * fraction));
  }
  return PixelForY(y0 + fraction * (y1 - y0));
}

void TCustomSeries::DrawSegment(TCanvas3D& canvas, int index, int x, int y, TColor color, bool previousPointer) {
  // Consecutive points on one pixel draw nothing; neither does a null point.
  const bool samePixel = x == oldX_ && y == oldY_;
  if (!samePixel && color != clNone && DrawLine) {
    DrawLineTo(canvas, x, y, ColorEachPoint() && colorEachLine_ ? color : SeriesColor());
  }
  if (!PointerShown()) {
    return;
  }
  if (previousPointer && oldColor_ != clNone) {
    DrawPointer(canvas, oldIndex_, oldX_, oldY_, oldColor_);
  }
  const int last = DrawsForward() ? LastVisible : FirstVisible;
  if (index == last && color != clNone) {
    DrawPointer(canvas, index, x, y, color);
  }
}

void TCustomSeries::DrawLineTo(TCanvas3D& canvas, int x, int y, TColor color) {
  PrepareLinePen(canvas, color);
  if (!stairs_) {
    canvas.LineSegment(oldX_, oldY_, x, y);
  } else if (invertedStairs_) {
    canvas.VerticalLine(oldX_, oldY_, y);
    canvas.DrawLineTo(x, y);
  } else {
    canvas.HorizontalLine(oldX_, x, oldY_);
    canvas.DrawLineTo(x, y);
  }
}

// Prepared anew for every segment: the pointer between two segments
// changes the surface's pen and brush.
void TCustomSeries::PrepareLinePen(TCanvas3D& canvas, TColor color) {
  canvas.Brush.Style = bsClear;
  canvas.ApplyChartPen(*drawPen_, color);
}

void TCustomSeries::DrawPointer(TCanvas3D& canvas, int index, int x, int y, TColor color) {
  const TSeriesPointerStyle style = OnGetPointerStyle ? OnGetPointerStyle(*this, index) : pointer_.Style();
  pointer_.Draw(canvas, style, x, y, color);
}
