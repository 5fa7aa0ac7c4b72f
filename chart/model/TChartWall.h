#pragma once

#include "chart/canvas/TChartBrush.h"
#include "chart/canvas/TChartPen.h"
#include "gui/Color.h"

class TChartModel;

// One wall of the chart's box. In 2D only the back wall is drawn: a frame on
// the plot rectangle's edges, filled unless transparent.
class TChartWall {
public:
  TChartWall(TChartModel& chart, TColor color, bool visible, bool transparent);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  int Size() const { return size_; }
  void SetSize(int size);
  TChartPen Pen;
  TChartBrush Brush;

private:
  TChartModel& chart_;
  TColor color_;
  bool visible_;
  bool transparent_;
  int size_ = 0;
};
