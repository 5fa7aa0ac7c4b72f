#pragma once

#include <functional>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TBufferedCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/model/TChartModel.h"
#include "gui/Mouse.h"
#include "gui/WindowControl.h"

class TCustomChartPanel;

using TChartNotifyEvent = std::function<void(TCustomChartPanel& sender)>;
using TChartMouseEvent =
    std::function<void(TCustomChartPanel& sender, TMouseButton button, TShiftState shift, int x, int y)>;

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// The panel level of a chart: the window it is, its margins and frame, the
// plot rectangle, and the paint cycle through the off-screen drawing surface.
// The levels above draw the chart's content in DrawChartContent.
class TCustomChartPanel : public TChartModel, public WindowControl {
public:
  explicit TCustomChartPanel(Control* parent);
  ~TCustomChartPanel() override;

  int MarginLeft() const { return marginLeft_; }
  void SetMarginLeft(int value);
  int MarginTop() const { return marginTop_; }
  void SetMarginTop(int value);
  int MarginRight() const { return marginRight_; }
  void SetMarginRight(int value);
  int MarginBottom() const { return marginBottom_; }
  void SetMarginBottom(int value);
  TChartUnits MarginUnits() const { return marginUnits_; }
  void SetMarginUnits(TChartUnits units);
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  TChartHiddenPen& Border() { return border_; }
  bool View3D() const { return view3D_; }
  void SetView3D(bool view3D);

  // Run-time state of the last paint.
  TRect PanelRect;
  TRect PlotRect;
  int PlotWidth = 0;
  int PlotHeight = 0;
  int PlotCenterX = 0;
  int PlotCenterY = 0;

  // The kept picture's surface.
  TBufferedCanvas3D& Canvas3D() { return canvas_; }
  // The surface being drawn on: the kept picture's, or another one during
  // PaintChartOn.
  TCanvas3D& Surface() { return *surface_; }

  void RequestRepaint() override;
  // The face and bevel colours are system colours.
  void SystemColorsChanged() override { RequestRepaint(); }
  // RequestRepaint followed by an immediate, synchronous paint.
  void Refresh();
  // Runs the whole painting sequence into `target` over `bounds`.
  void PaintChart(TRasterCanvas& target, const TRect& bounds);
  // Runs the painting sequence once onto another surface (a vector copy of
  // the picture) over the chart's own bounds; the kept picture stays as it
  // is, and so does whether it is stale.
  void PaintChartOn(TCanvas3D& surface);
  // How often the painting sequence ran.
  long PaintCount() const { return paintCount_; }

  TChartNotifyEvent OnAfterDraw;
  // The window's own mouse events, fired before the chart's processing.
  TChartMouseEvent OnMouseDown;
  TChartMouseEvent OnMouseMove;
  TChartMouseEvent OnMouseUp;
  std::function<void(TCustomChartPanel& sender, bool up, TShiftState shift, int x, int y)> OnMouseWheel;
  TChartNotifyEvent OnMouseLeave;

protected:
  // Shows the kept picture, or paints anew when it is stale.
  void Paint() override;
  // Everything drawn between preparing the picture (margins applied, plot
  // sized) and showing it: the background, titles, walls, axes, series and
  // the zoom band, with the drawing events around them.
  virtual void DrawChartContent() = 0;

  void ApplyMargins();
  void UpdatePlotSize();
  void PaintPanelBackground(TRect rect);
  void PaintPanelFrame(TRect& rect);

private:
  int FrameWidth() const;
  // Draws the chart on Surface() and shows it on `target` at `bounds`.
  void RunPaintSequence(TRasterCanvas& target, const TRect& bounds);

  TBufferedCanvas3D canvas_;
  TCanvas3D* surface_ = &canvas_;
  TChartHiddenPen border_;
  int marginLeft_ = 3;
  int marginTop_ = 4;
  int marginRight_ = 3;
  int marginBottom_ = 4;
  TChartUnits marginUnits_ = muPercent;
  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  bool view3D_ = true;
  long paintCount_ = 0;
};
