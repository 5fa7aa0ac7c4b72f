#include "chart/canvas/TBufferedCanvas3D.h"

#include <algorithm>

#include "runtime/StoreIfChanged.h"

TBufferedCanvas3D::TBufferedCanvas3D() = default;
TBufferedCanvas3D::~TBufferedCanvas3D() = default;

void TBufferedCanvas3D::SetBuffered(bool value) {
  if (!StoreIfChanged(buffered_, value)) {
    return;
  }
  if (!buffered_) {
    // Never leave the surface drawing on the raster being freed.
    if (canvas_ == buffer_.get()) {
      canvas_ = target_ != nullptr ? target_ : &detached_;
    }
    buffer_.reset();
    MarkDirty();
  } else if (buffer_) {
    canvas_ = buffer_.get();
  }
}

// A target of the picture's size, taking it at its corner, is drawn on
// directly and keeps the picture itself: a copy of a whole pane costs as
// much as drawing a long log's line into it. It is shown only once the
// paint is over, so no partial drawing is seen either way.
TRect TBufferedCanvas3D::BeginDrawing(TRasterCanvas& target, const TRect& bounds, int fontZoom) {
  bounds_ = bounds;
  target_ = &target;
  SetFontZoom(fontZoom);
  if (!buffered_) {
    canvas_ = &target;
    return bounds;
  }
  const int width = std::max(0, bounds.Width());
  const int height = std::max(0, bounds.Height());
  if (bounds.Left == 0 && bounds.Top == 0 && target.Width() == width && target.Height() == height) {
    buffer_.reset();
    canvas_ = &target;
    keptIn_ = &target;
    return {0, 0, width, height};
  }
  if (!buffer_) {
    buffer_ = std::make_unique<TRasterCanvas>();
  }
  buffer_->SetScale(target.Scale());
  buffer_->SetSize(width, height);
  canvas_ = buffer_.get();
  return {0, 0, width, height};
}

void TBufferedCanvas3D::FinishDrawing(TRasterCanvas& screen, TRasterCanvas& next, TPoint origin) {
  if (buffered_ && buffer_) {
    screen.Draw(*buffer_, origin);
  }
  if (buffered_) {
    dirty_ = false;
    keptScale_ = buffer_ ? buffer_->Scale() : screen.Scale();
  }
  target_ = &next;
  canvas_ = &next;
}

// The picture goes back where it was painted, at the bounds' corner, unless
// it was painted there directly; one of other device pixels (painted for
// another screen) must be painted anew.
bool TBufferedCanvas3D::RedrawFromBuffer() {
  if (dirty_ || !buffered_ || keptScale_ != canvas_->Scale()) {
    return false;
  }
  if (!buffer_) {
    return canvas_ == keptIn_;
  }
  canvas_->Draw(*buffer_, {bounds_.Left, bounds_.Top});
  return true;
}

TRasterCanvas& TBufferedCanvas3D::WithPen() {
  canvas_->SetPen(Pen);
  return *canvas_;
}

TRasterCanvas& TBufferedCanvas3D::WithPenAndBrush() {
  WithPen();
  canvas_->SetBrush(Brush);
  canvas_->SetBackMode(BackMode());
  canvas_->SetBackColor(TextBackColor());
  return *canvas_;
}

TRasterCanvas& TBufferedCanvas3D::WithText() {
  canvas_->SetFont(Font);
  canvas_->SetTextAlign(TextAlign());
  canvas_->SetBackMode(BackMode());
  canvas_->SetBackColor(TextBackColor());
  return *canvas_;
}

void TBufferedCanvas3D::MovePenTo(int x, int y) { canvas_->MoveTo(x, y); }

void TBufferedCanvas3D::DrawLineTo(int x, int y) { WithPen().LineTo(x, y); }

void TBufferedCanvas3D::LineSegment(int x0, int y0, int x1, int y1) { WithPen().LineSegment(x0, y0, x1, y1); }

void TBufferedCanvas3D::Polyline(std::span<const TPoint> points) { WithPen().Polyline(points); }

void TBufferedCanvas3D::Polygon(std::span<const TPoint> points) { WithPenAndBrush().Polygon(points); }

void TBufferedCanvas3D::Rectangle(const TRect& rect) { WithPenAndBrush().Rectangle(rect); }

void TBufferedCanvas3D::Ellipse(const TRect& rect) { WithPenAndBrush().Ellipse(rect); }

void TBufferedCanvas3D::FillRectangle(const TRect& rect) { WithPenAndBrush().FillRect(rect); }

void TBufferedCanvas3D::SetPixel(int x, int y, TColor color) { canvas_->SetPixel(x, y, color); }

TColor TBufferedCanvas3D::GetPixel(int x, int y) const { return canvas_->GetPixel(x, y); }

void TBufferedCanvas3D::ClipRectangle(const TRect& rect) {
  savedClip_ = canvas_->ClipRect();
  canvas_->IntersectClipRect(rect);
}

void TBufferedCanvas3D::UnClip() {
  canvas_->SetClipRect(savedClip_);
  savedClip_.reset();
}

void TBufferedCanvas3D::DrawText(int x, int y, const std::string& text) { WithText().TextOut(x, y, text); }

int TBufferedCanvas3D::TextExtentWidth(const std::string& text) { return WithText().TextWidth(text); }

int TBufferedCanvas3D::TextExtentHeight(const std::string& text) { return WithText().TextHeight(text); }
