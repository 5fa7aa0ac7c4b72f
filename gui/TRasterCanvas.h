#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>

#include "gui/Color.h"
#include "gui/Geometry.h"
#include "gui/TBrush.h"
#include "gui/TFont.h"
#include "gui/TPen.h"

// Text alignment codes: horizontal part plus vertical part.
constexpr int TextAlignLeft = 0;
constexpr int TextAlignRight = 2;
constexpr int TextAlignCenter = 6;
constexpr int TextAlignTop = 0;
constexpr int TextAlignBottom = 8;
constexpr int TextAlignBaseline = 24;

// Background modes of text and hatched brushes.
constexpr int BackModeTransparent = 1;
constexpr int BackModeOpaque = 2;

// An off-screen 32-bit raster with the drawing rules of the chart engine:
// integer pixel coordinates; a line leaves out its end pixel; filled shapes
// leave out their right and bottom edges; the pen's raster operation applies
// to every pixel of an outline; drawing is clipped to one rectangle.
// Colours may be system colours; they are resolved when they are set.
// A window shows a raster of its client area's size (its screen picture).
// On a screen of more than one device pixel per pixel the raster holds the
// device's pixels: drawing still takes pixel coordinates, text is drawn at
// the device's resolution, a one-pixel line is the same whole number of
// device pixels wide everywhere, and the rules above hold in device pixels.
class TRasterCanvas {
public:
  explicit TRasterCanvas(int width = 0, int height = 0);
  ~TRasterCanvas();
  TRasterCanvas(const TRasterCanvas&) = delete;
  TRasterCanvas& operator=(const TRasterCanvas&) = delete;

  int Width() const;
  int Height() const;
  // Keeps the pixels when the size does not change; a new size starts white.
  void SetSize(int width, int height);
  // Device pixels per pixel, 1 unless set; a new scale starts white.
  double Scale() const;
  void SetScale(double scale);
  int DeviceWidth() const;
  int DeviceHeight() const;
  // clNone outside the raster.
  TColor DevicePixel(int x, int y) const;

  const TPen& Pen() const { return pen_; }
  // Inline, as it runs before every line a series draws.
  void SetPen(const TPen& pen) {
    if (!(pen == pen_)) {
      ChangePen(pen);
    }
  }
  const TBrush& Brush() const;
  void SetBrush(const TBrush& brush);
  const TFont& Font() const;
  void SetFont(const TFont& font);
  int TextAlign() const;
  void SetTextAlign(int align);
  int BackMode() const;
  void SetBackMode(int mode);
  TColor BackColor() const;
  void SetBackColor(TColor color);

  TPoint PenPos() const;
  void MoveTo(int x, int y);
  // Draws to (x, y) without that pixel and moves the pen there.
  void LineTo(int x, int y);
  // MoveTo (x0, y0), then LineTo (x1, y1).
  void LineSegment(int x0, int y0, int x1, int y1);
  void Polyline(std::span<const TPoint> points);
  // Filled with the brush, outlined with the pen, closed.
  void Polygon(std::span<const TPoint> points);
  // Outline with the pen on the rectangle's edge pixels, interior with the
  // brush; right and bottom exclusive.
  void Rectangle(const TRect& rect);
  void Ellipse(const TRect& rect);
  // The rectangle with the brush and no outline, raster operation ignored.
  void FillRect(const TRect& rect);
  void SetPixel(int x, int y, TColor color);
  // The pixel's first device pixel; clNone outside the raster.
  TColor GetPixel(int x, int y) const;

  // Text at (x, y) in the font, placed by the text alignment, over a box of
  // the background colour when the background mode is opaque; rotated by the
  // font's escapement about (x, y).
  void TextOut(int x, int y, const std::string& text);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;
  // Where TextOut puts the text's cell, relative to (x, y) and before the
  // rotation, and the baseline's distance from the cell's top: what a
  // surface drawing the same text elsewhere needs to place it alike.
  TRect PlacedTextBox(const std::string& text) const;
  int TextAscent() const;

  // The clip rectangle, when drawing is clipped; always inside the raster.
  std::optional<TRect> ClipRect() const;
  void SetClipRect(const std::optional<TRect>& rect);
  void IntersectClipRect(const TRect& rect);

  // Copies all of `source` (of the same scale) with its top-left corner at
  // `origin`, within this raster's clip.
  void Draw(const TRasterCanvas& source, TPoint origin);

  // The device's pixels.
  bool SavePng(const std::string& path) const;
  // Replaces size and pixels by a PNG file's, at scale 1; false when it
  // cannot be read.
  bool LoadPng(const std::string& path);

  class Impl;
  Impl& Internals() { return *impl_; }
  const Impl& Internals() const { return *impl_; }

private:
  void ChangePen(const TPen& pen);
  void DrawLineFrom(TPoint from, int x, int y);
  void DrawScaledThinLine(TPoint from, TPoint to);
  void ScaledThinOutline(const TRect& box);

  TPen pen_;
  std::unique_ptr<Impl> impl_;
};
