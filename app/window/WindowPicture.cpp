#include "app/window/WindowPicture.h"

#include "chart/canvas/TBufferedCanvas3D.h"
#include "chart/panel/TChart.h"
#include "gui/FormWindow.h"
#include "gui/TRasterCanvas.h"

namespace {

constexpr int kCaptionPadding = 3;

// A surface that draws straight on the raster, in its pixels.
void BeginDrawingOn(TBufferedCanvas3D& surface, TRasterCanvas& raster) {
  surface.SetBuffered(false);
  surface.BeginDrawing(raster, {0, 0, raster.Width(), raster.Height()}, 100);
}

// The extras over the pane, on a copy of its kept picture put back at its
// place in the window's picture.
void DrawOverPane(TRasterCanvas& picture, TChart& chart, std::uint8_t pane, const TPictureExtras& extras) {
  TRasterCanvas shown;
  shown.SetScale(picture.Scale());
  const TRasterCanvas& kept = chart.Screen();
  shown.SetSize(kept.Width(), kept.Height());
  shown.Draw(kept, {0, 0});
  TBufferedCanvas3D surface;
  BeginDrawingOn(surface, shown);
  extras.OverPane(pane, surface);
  const TRect bounds = chart.BoundsRect();
  picture.Draw(shown, {bounds.Left, bounds.Top});
}

}  // namespace

int CaptionHeight(TCanvas3D& canvas, const std::string& caption) {
  if (caption.empty()) {
    return 0;
  }
  canvas.Font = TFont{};
  return canvas.MeasureTextHeight(caption) + 2 * kCaptionPadding;
}

void DrawCaption(TCanvas3D& canvas, const TRect& strip, const std::string& caption) {
  canvas.Brush = TBrush{clWhite, bsSolid};
  canvas.FillRectangle(strip);
  canvas.Font = TFont{};
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  canvas.TextOut(strip.Left + kCaptionPadding, strip.Top + kCaptionPadding, caption);
}

void DrawWindowPicture(TRasterCanvas& picture, const std::array<TChart*, 4>& charts, const FormWindow& window,
                       const TPictureExtras& extras) {
  TBufferedCanvas3D surface;
  const int captionHeight = CaptionHeight(surface, extras.Caption);
  picture.SetScale(window.DevicePixelRatio());
  picture.SetSize(window.Width(), window.Height() + captionHeight);
  window.DrawPicture(picture);
  if (extras.OverPane) {
    for (std::size_t pane = 0; pane < charts.size(); ++pane) {
      DrawOverPane(picture, *charts[pane], static_cast<std::uint8_t>(pane), extras);
    }
  }
  if (captionHeight > 0) {
    BeginDrawingOn(surface, picture);
    DrawCaption(surface, {0, window.Height(), window.Width(), window.Height() + captionHeight}, extras.Caption);
  }
}
