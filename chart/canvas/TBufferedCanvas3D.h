#pragma once

#include <memory>
#include <optional>

#include "chart/canvas/TCanvas3D.h"
#include "gui/TRasterCanvas.h"

// The drawing surface of a chart pane: it draws into one off-screen raster,
// kept and reused from paint to paint, and shows the finished picture on the
// screen in one block copy, so no partial drawing is ever visible; a screen
// raster of the picture's own size is that off-screen raster itself.
// The rasters given to BeginDrawing and FinishDrawing (a window's screen
// raster) must outlive their use by the surface.
class TBufferedCanvas3D final : public TCanvas3D {
public:
  TBufferedCanvas3D();
  ~TBufferedCanvas3D() override;

  // Whether the picture is kept from paint to paint; when not, the surface
  // draws straight on the target given to BeginDrawing, in its bounds.
  bool Buffered() const { return buffered_; }
  void SetBuffered(bool value);
  // The kept picture no longer shows the chart.
  bool Dirty() const { return dirty_; }
  void MarkDirty() override { dirty_ = true; }
  // Shows the kept picture again; false when it is stale and the caller
  // must paint.
  bool RedrawFromBuffer();
  // The rectangle given to the last BeginDrawing.
  const TRect& Bounds() const { return bounds_; }
  // The raster drawn on now; before the first paint one of size 0.
  TRasterCanvas& Canvas() { return *canvas_; }
  const TRasterCanvas& Canvas() const { return *canvas_; }
  TColor GetPixel(int x, int y) const;

  CANVAS3D_PRIMITIVE_OVERRIDES;

protected:
  CANVAS3D_TEXT_OVERRIDES;

private:
  // The raster with the surface's state for the kind of drawing at hand.
  TRasterCanvas& WithPen();
  TRasterCanvas& WithPenAndBrush();
  TRasterCanvas& WithText();

  TRasterCanvas detached_;
  std::unique_ptr<TRasterCanvas> buffer_;
  TRasterCanvas* target_ = nullptr;
  TRasterCanvas* canvas_ = &detached_;
  bool buffered_ = true;
  bool dirty_ = true;
  // The device pixels per pixel the kept picture was drawn in, and the
  // raster it was drawn on directly, if it was (only compared, never used).
  double keptScale_ = 1;
  const TRasterCanvas* keptIn_ = nullptr;
  TRect bounds_;
  std::optional<TRect> savedClip_;
};
