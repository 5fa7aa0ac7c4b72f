#pragma once

// The Qt side of a raster, for the other parts of gui/ (a window shows its
// screen raster's image). Nothing outside gui/ may include this.

#include <QFont>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "gui/LineRaster.h"
#include "gui/TRasterCanvas.h"
#include "runtime/RoundPixel.h"

class TRasterCanvas::Impl {
public:
  // Never shared with another QImage: drawing writes through a pointer to
  // its pixels that is taken once per size. Its pixels are the device's.
  const QImage& Image() const { return image_; }
  void Resize(int width, int height, double scale);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Device pixels per pixel, and the width in device pixels of a one-pixel
  // line, the same everywhere.
  double Scale() const { return scale_; }
  bool Unscaled() const { return scale_ == 1; }
  int LineWidth() const { return lineWidth_; }
  // Where a pixel coordinate starts in device pixels.
  int Device(int value) const { return Unscaled() ? value : RoundPixel(value * scale_); }
  TPoint Device(TPoint point) const { return {Device(point.X), Device(point.Y)}; }
  TRect Device(const TRect& rect) const {
    return {Device(rect.Left), Device(rect.Top), Device(rect.Right), Device(rect.Bottom)};
  }
  std::uint32_t PenPixel = 0xFF000000u;
  TLinePattern Pattern;
  TBrush Brush;
  TFont Font;
  int TextAlign = TextAlignLeft | TextAlignTop;
  int BackMode = BackModeOpaque;
  TColor BackColor = clWhite;
  TPoint PenPos;

  const std::optional<TRect>& Clip() const { return clip_; }
  void SetClip(const std::optional<TRect>& clip);
  // Where drawing may touch pixels: the clip, or the whole raster; in
  // pixels and in device pixels.
  const TRect& Area() const { return area_; }
  const TRect& DrawArea() const { return drawArea_; }
  const TPixelBuffer& Pixels() const { return pixels_; }
  QImage& PaintDevice() { return image_; }
  // Built on first use: Qt fonts need an application object. Text is
  // measured in the font of the pixel size and drawn in the device's.
  const QFont& QtFont();
  const QFont& DeviceFont();
  void ForgetQtFont() {
    qtFont_.reset();
    deviceFont_.reset();
  }

private:
  // The image's pixels live in `memory_`, which only grows: a window being
  // resized would otherwise have fresh pages mapped for every size, and on
  // some machines faulting them in costs more than the whole repaint.
  std::unique_ptr<std::uint32_t[]> memory_;
  std::size_t capacity_ = 0;
  QImage image_;
  int width_ = 0;
  int height_ = 0;
  double scale_ = 1;
  int lineWidth_ = 1;
  std::optional<TRect> clip_;
  TRect area_;
  TRect drawArea_;
  TPixelBuffer pixels_;
  std::optional<QFont> qtFont_;
  std::optional<QFont> deviceFont_;
};

class QWidget;

// Paints the raster's device pixels one for one onto the widget, which has
// the raster's size.
void ShowRaster(QWidget& widget, const TRasterCanvas& raster);
