#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "chart/canvas/TChartShadow.h"
#include "gui/Geometry.h"
#include "gui/TBrush.h"
#include "gui/TFont.h"
#include "gui/TPen.h"
#include "runtime/ScopedRestore.h"

class TChartBrush;
class TChartFont;
class TChartPen;
class TRasterCanvas;

// The drawing surface of a chart: the current pen, brush and font of a
// raster, the conversion of chart pens, brushes and fonts into them, lines,
// shapes, text with metrics and clipping in pixel coordinates, and points
// with a depth, which a 2D chart projects unchanged.
//
// The primitives are virtual so that a surface can draw into a raster
// (TBufferedCanvas3D) or only record what it was asked to draw; the rules
// that turn chart settings into drawing state live here, once.
class TCanvas3D {
public:
  virtual ~TCanvas3D() = default;

  // The raster's drawing state. Set directly or through the Apply
  // operations; it takes effect with the next drawing operation.
  TPen Pen;
  TBrush Brush;
  TFont Font;

  // Told when a change of the surface itself needs the chart repainted.
  std::function<void()> OnRepaintRequest;

  // The state a fresh paint starts from: black one-pixel solid pen, white
  // solid brush, black "Arial" 8, white transparent text background,
  // left-top alignment, no current chart font.
  void ResetState();

  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool value);
  // Percentage applied to the sizes of fonts given to ApplyFont.
  int FontZoom() const { return fontZoom_; }
  void SetFontZoom(int value) { fontZoom_ = value; }
  int TextAlign() const { return textAlign_; }
  void SetTextAlign(int value) { textAlign_ = value; }
  int BackMode() const { return backMode_; }
  void SetBackMode(int value) { backMode_ = value; }
  TColor TextBackColor() const { return textBackColor_; }
  void SetTextBackColor(TColor value) { textBackColor_ = value; }
  // The shadow of the chart font last applied, which widens text metrics.
  const std::optional<TChartShadowSettings>& CurrentFontShadow() const { return fontShadow_; }

  void ApplyChartPen(const TChartPen& pen, TColor color);
  void ApplyChartPen(const TChartPen& pen);
  void ApplyChartBrush(const TChartBrush& brush, TColor color, TColor backColor);
  void ApplyFont(const TChartFont& font);

  // Paint cycle. BeginDrawing returns the rectangle to draw into: the
  // bounds on the target, or (0, 0, width, height) in the off-screen buffer.
  virtual TRect BeginDrawing(TRasterCanvas& target, const TRect& bounds, int fontZoom) = 0;
  // Shows the finished picture on `screen` at `origin`; then draws on `next`.
  virtual void FinishDrawing(TRasterCanvas& screen, TRasterCanvas& next, TPoint origin) = 0;

  // Lines leave out their end pixel.
  virtual void MovePenTo(int x, int y) = 0;
  virtual void DrawLineTo(int x, int y) = 0;
  virtual void LineSegment(int x0, int y0, int x1, int y1) = 0;
  void HorizontalLine(int x0, int x1, int y) { LineSegment(x0, y, x1, y); }
  void VerticalLine(int x, int y0, int y1) { LineSegment(x, y0, x, y1); }
  virtual void Polyline(std::span<const TPoint> points) = 0;
  virtual void Polygon(std::span<const TPoint> points) = 0;

  // Shapes: outline with the pen, interior with the brush; right and bottom
  // edges exclusive.
  virtual void Rectangle(const TRect& rect) = 0;
  virtual void Ellipse(const TRect& rect) = 0;
  virtual void FillRectangle(const TRect& rect) = 0;
  // A raised or sunken frame `width` pixels wide inside `rect`, top and
  // left edges in `topColor`; `rect` is left shrunk by `width` on each side.
  void BevelFrame(TRect& rect, TColor topColor, TColor bottomColor, int width);
  virtual void SetPixel(int x, int y, TColor color) = 0;

  // Text at (x, y), placed by the text alignment, after its shadow when the
  // current chart font has one.
  void TextOut(int x, int y, const std::string& text);
  int MeasureTextWidth(const std::string& text);
  int MeasureTextHeight(const std::string& text);
  // Text turned counter-clockwise by `angle` degrees about (x, y).
  void RotatedText(int x, int y, int angle, const std::string& text);

  // Clipping keeps one saved level: UnClip restores the clip that was in
  // effect before the last clip operation.
  virtual void ClipRectangle(const TRect& rect) = 0;
  virtual void UnClip() = 0;
  // The pixels strictly inside the cube's front face.
  void ClipCube(const TRect& rect, int zMin, int zMax);

  // Points with a depth: a 2D chart projects them unchanged.
  TPoint Calc3DPos(int x, int y, int z) const;
  void MovePenTo3D(int x, int y, int z);
  void DrawLineTo3D(int x, int y, int z);
  void LineSegment3D(int x0, int y0, int x1, int y1, int z);
  void HorizontalLine3D(int x0, int x1, int y, int z);
  void VerticalLine3D(int x, int y0, int y1, int z);
  void DepthLine3D(int x, int y, int z0, int z1);
  void Rectangle3D(const TRect& rect, int z);
  void TextOut3D(int x, int y, int z, const std::string& text);
  void SetPixel3D(int x, int y, int z, TColor color);

protected:
  // The surface's state changed in a way a kept picture does not show; only
  // a surface that keeps one has anything to do.
  virtual void MarkDirty() {}

  // The raster's text output and extent in Font with the text state.
  virtual void DrawText(int x, int y, const std::string& text) = 0;
  virtual int TextExtentWidth(const std::string& text) = 0;
  virtual int TextExtentHeight(const std::string& text) = 0;

private:
  friend class TSurfaceStateGuard;

  bool monochrome_ = false;
  int fontZoom_ = 100;
  int textAlign_ = 0;
  int backMode_ = 0;
  TColor textBackColor_ = clWhite;
  std::optional<TChartShadowSettings> fontShadow_;
};

// The overrides of TCanvas3D's primitives, declared once for every surface:
// CANVAS3D_PRIMITIVE_OVERRIDES among its public members,
// CANVAS3D_TEXT_OVERRIDES among its protected ones.
#define CANVAS3D_PRIMITIVE_OVERRIDES                                                      \
  TRect BeginDrawing(TRasterCanvas& target, const TRect& bounds, int fontZoom) override;  \
  void FinishDrawing(TRasterCanvas& screen, TRasterCanvas& next, TPoint origin) override; \
  void MovePenTo(int x, int y) override;                                                  \
  void DrawLineTo(int x, int y) override;                                                 \
  void LineSegment(int x0, int y0, int x1, int y1) override;                              \
  void Polyline(std::span<const TPoint> points) override;                                 \
  void Polygon(std::span<const TPoint> points) override;                                  \
  void Rectangle(const TRect& rect) override;                                             \
  void Ellipse(const TRect& rect) override;                                               \
  void FillRectangle(const TRect& rect) override;                                         \
  void SetPixel(int x, int y, TColor color) override;                                     \
  void ClipRectangle(const TRect& rect) override;                                         \
  void UnClip() override

#define CANVAS3D_TEXT_OVERRIDES                                  \
  void DrawText(int x, int y, const std::string& text) override; \
  int TextExtentWidth(const std::string& text) override;         \
  int TextExtentHeight(const std::string& text) override

// The surface's pen, brush and background mode as they were, once a drawing
// step with a state of its own ends, so that whatever is drawn next does not
// inherit it (the rubber band's not-xor, for example).
class TSurfaceStateGuard {
public:
  explicit TSurfaceStateGuard(TCanvas3D& canvas)
      : pen_(canvas.Pen), brush_(canvas.Brush), backMode_(canvas.backMode_) {}

private:
  ScopedRestore<TPen> pen_;
  ScopedRestore<TBrush> brush_;
  ScopedRestore<int> backMode_;
};
