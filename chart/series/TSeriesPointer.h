#pragma once

#include "chart/canvas/TChangeNotifier.h"
#include "chart/canvas/TChartBrush.h"
#include "chart/canvas/TChartPen.h"

class TCanvas3D;

enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot,
  psNothing,
  psLeftTriangle,
  psRightTriangle
};

struct TSeriesPointerSettings {
  bool Visible = true;
  TSeriesPointerStyle Style = psRectangle;
  int HorizSize = 4;
  int VertSize = 4;
  bool InflateMargins = true;
  bool Draw3D = true;
  bool Dark3D = true;
  int Transparency = 0;
  friend bool operator==(const TSeriesPointerSettings&, const TSeriesPointerSettings&) = default;
};

// The marker a series can draw at each point. Its pen and brush tell the
// owner of their changes through the pointer's OnChange.
class TSeriesPointer : public TChangeNotifier {
public:
  explicit TSeriesPointer(bool visible);
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  const TSeriesPointerSettings& Settings() const { return settings_; }
  bool Visible() const { return settings_.Visible; }
  void SetVisible(bool value) { Change(settings_.Visible, value); }
  TSeriesPointerStyle Style() const { return settings_.Style; }
  void SetStyle(TSeriesPointerStyle value) { Change(settings_.Style, value); }
  int HorizSize() const { return settings_.HorizSize; }
  void SetHorizSize(int value) { Change(settings_.HorizSize, value); }
  int VertSize() const { return settings_.VertSize; }
  void SetVertSize(int value) { Change(settings_.VertSize, value); }
  bool InflateMargins() const { return settings_.InflateMargins; }
  void SetInflateMargins(bool value) { Change(settings_.InflateMargins, value); }
  bool Draw3D() const { return settings_.Draw3D; }
  void SetDraw3D(bool value) { Change(settings_.Draw3D, value); }
  bool Dark3D() const { return settings_.Dark3D; }
  void SetDark3D(bool value) { Change(settings_.Dark3D, value); }
  int Transparency() const { return settings_.Transparency; }
  void SetTransparency(int value) { Change(settings_.Transparency, value); }

  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }

  // The 2D shape of `style` around (x, y) for a point of colour `color`.
  void Draw(TCanvas3D& canvas, TSeriesPointerStyle style, int x, int y, TColor color) const;

private:
  void ApplyPenAndBrush(TCanvas3D& canvas, TColor color) const;

  TSeriesPointerSettings settings_;
  TChartPen pen_;
  TChartBrush brush_;
};
