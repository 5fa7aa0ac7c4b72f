#pragma once

// The Qt side of a raster, for the other parts of gui/ (a window shows its
// screen raster's image). Nothing outside gui/ may include this.

#include <QFont>
#include <QImage>
#include <optional>

#include "gui/LineRaster.h"
#include "gui/TRasterCanvas.h"

class TRasterCanvas::Impl {
public:
  // Never shared with another QImage: drawing writes through a pointer to
  // its pixels that is taken once per size.
  const QImage& Image() const { return image_; }
  void Resize(int width, int height);
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
  // Where drawing may touch pixels: the clip, or the whole raster.
  const TRect& DrawArea() const { return drawArea_; }
  const TPixelBuffer& Pixels() const { return pixels_; }
  QImage& PaintDevice() { return image_; }
  // Built on first use: Qt fonts need an application object.
  const QFont& QtFont();
  void ForgetQtFont() { qtFont_.reset(); }

private:
  QImage image_;
  std::optional<TRect> clip_;
  TRect drawArea_;
  TPixelBuffer pixels_;
  std::optional<QFont> qtFont_;
};
