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
  QImage Image;
  TPen Pen;
  std::uint32_t PenPixel = 0xFF000000u;
  TLinePattern Pattern;
  TBrush Brush;
  TFont Font;
  int TextAlign = TextAlignLeft | TextAlignTop;
  int BackMode = BackModeOpaque;
  TColor BackColor = clWhite;
  TPoint PenPos;
  std::optional<TRect> Clip;

  // Where drawing may touch pixels: the clip, or the whole raster.
  TRect DrawArea() const;
  TPixelBuffer Pixels();
  // Built on first use: Qt fonts need an application object.
  const QFont& QtFont();
  void ForgetQtFont() { qtFont_.reset(); }

private:
  std::optional<QFont> qtFont_;
};
