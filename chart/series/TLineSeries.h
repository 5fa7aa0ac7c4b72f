#pragma once

#include <functional>
#include <optional>

#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TChartShadow.h"
#include "chart/series/TChartSeries.h"
#include "chart/series/TSeriesPointer.h"
#include "gui/TBrush.h"

class TColumnSpans;
struct TAxisScale;

class TCustomLineSeries : public TChartSeries {};

enum TCustomSeriesStack { cssNone, cssOverlap, cssStack, cssStack100 };

// A series drawn as lines from point to point, with an optional marker at
// each point. Only the 2D drawing is built; the 3D settings are kept.
class TCustomSeries : public TCustomLineSeries {
public:
  TCustomSeries();

  TChartPen& LinePen() { return linePen_; }
  const TChartPen& LinePen() const { return linePen_; }
  virtual void SetLinePen(const TChartPen& pen) { linePen_.Assign(pen); }
  TChartHiddenPen& OutLine() { return outLine_; }
  TChartShadow& Shadow() { return shadow_; }
  TSeriesPointer& Pointer() { return pointer_; }
  const TSeriesPointer& Pointer() const { return pointer_; }

  bool ColorEachLine() const { return colorEachLine_; }
  void SetColorEachLine(bool value) { StoreSetting(colorEachLine_, value); }
  bool Stairs() const { return stairs_; }
  void SetStairs(bool value) { StoreSetting(stairs_, value); }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool value) { StoreSetting(invertedStairs_, value); }
  TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(TBrushStyle value) { StoreSetting(lineBrush_, value); }
  int LineHeight() const { return lineHeight_; }
  void SetLineHeight(int value) { StoreSetting(lineHeight_, value); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value) { StoreSetting(dark3D_, value); }
  bool ClickableLine() const { return clickableLine_; }
  void SetClickableLine(bool value) { StoreSetting(clickableLine_, value); }
  TCustomSeriesStack Stacked() const { return stacked_; }
  void SetStacked(TCustomSeriesStack value) { StoreSetting(stacked_, value); }

  std::function<TSeriesPointerStyle(TChartSeries& sender, int valueIndex)> OnGetPointerStyle;

  // Whether the chart draws in 3D, which only the margins look at.
  bool View3D = false;
  // Drawing state: lines between points (a series that fills areas or
  // only marks its points turns it off).
  bool DrawLine = true;
  // Whether segments that stay inside one pixel column are drawn as one
  // vertical line where that leaves the same pixels (a plain one-pixel solid
  // line); off, every segment is drawn by itself.
  bool MergeColumns = true;

  TSeriesMargins HorizontalMargins() const override;
  TSeriesMargins VerticalMargins() const override;

  void DrawAllPoints(TCanvas3D& canvas, const TRect& plotRect) override;
  void DrawPoint(TCanvas3D& canvas, const TRect& plotRect, int index) override;

private:
  int MarginForSize(int pointerSize) const;

  bool PointerShown() const { return pointer_.Visible() && !pointerHidden_; }
  void DrawShadowPass(TCanvas3D& canvas, const TRect& plotRect);
  void DrawOutlinePass(TCanvas3D& canvas, const TRect& plotRect);
  bool CanMergeColumns() const;
  void DrawMergedPass(TCanvas3D& canvas, const TRect& plotRect);
  struct TJoinedSegments {
    // Whether the last point drew a segment.
    bool LastPointDrawn = false;
    // The end of the last segment drawn, where the surface's pen is left.
    std::optional<TPoint> PenPosition;
  };
  TJoinedSegments JoinSegments(TColumnSpans& spans, int begin, int end, int step);
  template <class TMapX, class TMapY>
  TJoinedSegments JoinSegmentsMapped(TColumnSpans& spans, TMapX mapX, TMapY mapY, const TAxisScale* summaryScale,
                                     int begin, int end, int step);
  bool CanSummariseColumns(const TAxisScale& horizontal) const;
  static bool FollowAcrossColumns(TColumnSpans& spans, TPoint point, TColor color, TColor oldColor);
  void DrawEntrySegment(TCanvas3D& canvas, const TRect& plotRect, int index, int x, int y, TColor color);
  int EdgeY(int previous, double edgeValue) const;
  void DrawSegment(TCanvas3D& canvas, int index, int x, int y, TColor color, bool previousPointer);
  void DrawLineTo(TCanvas3D& canvas, int x, int y, TColor color);
  void PrepareLinePen(TCanvas3D& canvas, TColor color);
  void DrawPointer(TCanvas3D& canvas, int index, int x, int y, TColor color);

  TChartPen linePen_;
  TChartHiddenPen outLine_;
  TChartShadow shadow_;
  TSeriesPointer pointer_{false};
  bool colorEachLine_ = true;
  bool stairs_ = false;
  bool invertedStairs_ = false;
  TBrushStyle lineBrush_ = bsSolid;
  int lineHeight_ = 0;
  bool dark3D_ = true;
  bool clickableLine_ = true;
  TCustomSeriesStack stacked_ = cssNone;

  // Drawing state. The pen the lines are drawn with: LinePen, or a wider
  // copy of OutLine during the outline pass.
  const TChartPen* drawPen_ = &linePen_;
  bool pointerHidden_ = false;
  // The previously drawn point; it survives between points and paints.
  int oldX_ = 0;
  int oldY_ = 0;
  TColor oldColor_ = 0;
  int oldIndex_ = 0;
};

class TLineSeries : public TCustomSeries {};
