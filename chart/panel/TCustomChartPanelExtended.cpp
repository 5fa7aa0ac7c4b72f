#include "chart/panel/TCustomChartPanelExtended.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "chart/series/TChartSeries.h"
#include "gui/SystemColors.h"
#include "gui/TRasterCanvas.h"
#include "runtime/FireEvent.h"

namespace {

bool HitsBox(const TRect& box, int x, int y) { return !box.IsEmpty() && box.ContainsInclusive({x, y}); }

bool HasAllKeys(TShiftState shift, TShiftState required) { return (shift & required) == required; }

bool PansHorizontally(TPanningMode mode) { return mode == pmHorizontal || mode == pmBoth; }
bool PansVertically(TPanningMode mode) { return mode == pmVertical || mode == pmBoth; }

// One animation frame: a third of the way from the axis' range to the target.
void StepToward(TChartAxis& axis, TAxisRange target) {
  const double divisor = TCustomChartPanelExtended::AnimationDivisor;
  axis.SetAxisRange(axis.Minimum() + (target.Minimum - axis.Minimum()) / divisor,
                    axis.Maximum() - (axis.Maximum() - target.Maximum) / divisor);
}

}  // namespace

TCustomChartPanelExtended::TCustomChartPanelExtended(Control* parent) : TCustomChartPanel(parent) {}

// ---- Zoom and undo ----

void TCustomChartPanelExtended::ZoomToRectangle(const TRect& rect) {
  zoom_.StartX = rect.Left;
  zoom_.StartY = rect.Top;
  zoom_.EndX = rect.Right;
  zoom_.EndY = rect.Bottom;
  ZoomFromRectangle();
}

// The lower pixel edge gives the minimum of a vertical axis.
void TCustomChartPanelExtended::ZoomFromRectangle() {
  zoom_.NormalizeCorners();
  const auto horizontal = [this](TChartAxis& axis) {
    return TAxisRange{axis.PixelToValue(zoom_.StartX), axis.PixelToValue(zoom_.EndX)};
  };
  const auto vertical = [this](TChartAxis& axis) {
    return TAxisRange{axis.PixelToValue(zoom_.EndY), axis.PixelToValue(zoom_.StartY)};
  };
  ApplyZoomRanges(horizontal(TopAxis()), horizontal(BottomAxis()), vertical(LeftAxis()), vertical(RightAxis()));
}

void TCustomChartPanelExtended::ApplyZoomRanges(TAxisRange top, TAxisRange bottom, TAxisRange left, TAxisRange right) {
  // Zooming again keeps the first snapshot, so one undo goes all the way back.
  if (!HasScaleSnapshot) {
    TakeScaleSnapshot();
  }
  const std::array<std::pair<TChartAxis*, TAxisRange>, 4> targets{
      {{&LeftAxis(), left}, {&RightAxis(), right}, {&TopAxis(), top}, {&BottomAxis(), bottom}}};
  if (zoom_.Animated()) {
    for (int frame = 1; frame < zoom_.AnimatedSteps(); ++frame) {
      for (const auto& [axis, target] : targets) {
        StepToward(*axis, target);
      }
      Refresh();
    }
  }
  for (const auto& [axis, target] : targets) {
    axis->SetAxisRange(target.Minimum, target.Maximum);
  }
  IsZoomed = true;
  FireEvent(OnZoom, *this);
}

void TCustomChartPanelExtended::UndoZoom() {
  if (HasScaleSnapshot) {
    RestoreScaleSnapshot();
  }
  FireEvent(OnUndoZoom, *this);
  RequestRepaint();
  IsZoomed = false;
}

void TCustomChartPanelExtended::EndZoom() {
  DropScaleSnapshot();
  IsZoomed = false;
  Axes().ResetToAutomatic();
}

void TCustomChartPanelExtended::TakeScaleSnapshot() {
  const std::vector<TChartAxis*> axes = Axes().All();
  ScaleSnapshot.assign(axes.size(), std::nullopt);
  for (std::size_t i = 0; i < axes.size(); ++i) {
    const TChartAxis& axis = *axes[i];
    if (axis.IsDepthAxis()) {
      continue;
    }
    ScaleSnapshot[i] = TAxisScaleState{axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(),
                                       axis.Minimum(), axis.Maximum()};
  }
  HasScaleSnapshot = true;
}

// The flags first, then the ends stored as they were, unchecked: a snapshot
// may hold any range the axis had.
void TCustomChartPanelExtended::RestoreScaleSnapshot() {
  const std::vector<TChartAxis*> axes = Axes().All();
  for (std::size_t i = 0; i < axes.size() && i < ScaleSnapshot.size(); ++i) {
    if (!ScaleSnapshot[i] || axes[i]->IsDepthAxis()) {
      continue;
    }
    const TAxisScaleState& state = *ScaleSnapshot[i];
    TChartAxis& axis = *axes[i];
    axis.SetAutomatic(state.Automatic);
    axis.SetAutomaticMinimum(state.AutomaticMinimum);
    axis.SetAutomaticMaximum(state.AutomaticMaximum);
    axis.StoreMinimum(state.Minimum);
    axis.StoreMaximum(state.Maximum);
  }
  DropScaleSnapshot();
}

void TCustomChartPanelExtended::DropScaleSnapshot() {
  ScaleSnapshot.clear();
  HasScaleSnapshot = false;
}

// ---- Mouse ----

void TCustomChartPanelExtended::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  StopMouseProcessing = false;
  FireEvent(OnMouseDown, *this, button, shift, x, y);
  const bool busy = StopMouseProcessing || zoom_.DragActive || panning_.DragActive;
  if (!busy && PressHitsChart(x, y)) {
    StartDrag(button, shift, x, y);
  }
  StopMouseProcessing = false;
}

// No click events are assigned, so any part of the chart under the pointer
// starts a drag; the legend is hidden and series are never tested.
bool TCustomChartPanelExtended::PressHitsChart(int x, int y) {
  if (AxisHitTest(x, y)) {
    return true;
  }
  for (const TChartTitle* title : {&Title(), &SubTitle(), &Foot(), &SubFoot()}) {
    if (HitsBox(title->Box, x, y)) {
      return true;
    }
  }
  bool anyActive = false;
  for (const TChartSeries* series : SeriesList()) {
    anyActive = anyActive || series->Active();
  }
  return anyActive && PlotRect.ContainsInclusive({x, y});
}

void TCustomChartPanelExtended::StartDrag(TMouseButton button, TShiftState shift, int x, int y) {
  bool started = false;
  if (zoom_.Allow() && button == zoom_.MouseButton() && HasAllKeys(shift, zoom_.KeyShift())) {
    const TZoomDirection direction = zoom_.Direction();
    if (direction == zdVertical) {
      x = PlotRect.Left;
    }
    if (direction == zdHorizontal) {
      y = PlotRect.Top;
    }
    zoom_.StartAt(x, y);
    if (direction == zdVertical) {
      zoom_.EndX = PlotRect.Right;
    }
    if (direction == zdHorizontal) {
      zoom_.EndY = PlotRect.Bottom;
    }
    DrawZoomFrame();
    started = true;
  }
  if (allowPanning_ != pmNone && button == scrollMouseButton_ && HasAllKeys(shift, PanKeyShift)) {
    panning_.StartAt(x, y);
    started = true;
  }
  if (started) {
    SetCursor(NormalCursor);
  }
}

void TCustomChartPanelExtended::MouseMove(TShiftState shift, int x, int y) {
  StopMouseProcessing = false;
  // A move has no button of its own; the event's button is left at mbLeft.
  FireEvent(OnMouseMove, *this, mbLeft, shift, x, y);
  if (StopMouseProcessing) {
    return;
  }
  if (zoom_.DragActive) {
    MoveZoomDrag(x, y);
  } else if (panning_.DragActive) {
    MovePanDrag(x, y);
  } else {
    SetCursor(NormalCursor);
  }
}

// The band is not limited to the plot rectangle.
void TCustomChartPanelExtended::MoveZoomDrag(int x, int y) {
  if (zoom_.Direction() == zdVertical) {
    x = PlotRect.Right;
  }
  if (zoom_.Direction() == zdHorizontal) {
    y = PlotRect.Bottom;
  }
  if (x == zoom_.EndX && y == zoom_.EndY) {
    return;
  }
  DrawZoomFrame();
  zoom_.EndX = x;
  zoom_.EndY = y;
  DrawZoomFrame();
}

void TCustomChartPanelExtended::MovePanDrag(int x, int y) {
  // Leaving the plot rectangle ends the pan until the next press.
  if (x < PlotRect.Left || y < PlotRect.Top || x > PlotRect.Right || y > PlotRect.Bottom) {
    panning_.DragActive = false;
    return;
  }
  if (x == panning_.EndX && y == panning_.EndY) {
    return;
  }
  if (!HasScaleSnapshot) {
    TakeScaleSnapshot();
  }
  const bool horizontal = x != panning_.EndX && PansHorizontally(allowPanning_);
  const bool vertical = y != panning_.EndY && PansVertically(allowPanning_);
  if (horizontal) {
    PanAxes(true, panning_.EndX, x);
  }
  if (vertical) {
    PanAxes(false, panning_.EndY, y);
  }
  panning_.EndX = x;
  panning_.EndY = y;
  if (horizontal || vertical) {
    FireEvent(OnScroll, *this);
    RequestRepaint();
  }
}

void TCustomChartPanelExtended::PanAxes(bool horizontal, int from, int to) {
  for (TChartAxis* axis : Axes().All()) {
    if (axis->Horizontal() == horizontal && !axis->IsDepthAxis()) {
      PanAxis(*axis, from, to);
    }
  }
}

// The content follows the pointer; there are no limits, the range may move
// past the data.
void TCustomChartPanelExtended::PanAxis(TChartAxis& axis, int from, int to) {
  const double delta = axis.PixelToValue(from) - axis.PixelToValue(to);
  double minimum = axis.Minimum() + delta;
  double maximum = axis.Maximum() + delta;
  bool allow = true;
  FireEvent(OnAllowScroll, axis, minimum, maximum, allow);
  if (allow) {
    axis.SetAxisRange(minimum, maximum);
  }
}

void TCustomChartPanelExtended::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  StopMouseProcessing = false;
  // The handler still sees the active drag and the end point of the last move.
  FireEvent(OnMouseUp, *this, button, shift, x, y);
  if (zoom_.DragActive && button == zoom_.MouseButton()) {
    EndZoomDrag(x, y);
  }
  panning_.DragActive = false;
}

void TCustomChartPanelExtended::EndZoomDrag(int x, int y) {
  zoom_.DragActive = false;
  DrawZoomFrame();
  if (zoom_.Direction() != zdVertical) {
    zoom_.EndX = x;
  }
  if (zoom_.Direction() != zdHorizontal) {
    zoom_.EndY = y;
  }
  if (!LongEnough()) {
    return;
  }
  if (DragZooms()) {
    ZoomFromRectangle();
  } else {
    UndoZoom();
  }
  RequestRepaint();
}

bool TCustomChartPanelExtended::ReleaseZooms(TMouseButton button) const {
  return zoom_.DragActive && button == zoom_.MouseButton() && LongEnough() && DragZooms();
}

bool TCustomChartPanelExtended::LongEnough() const {
  const int minimum = zoom_.MinimumPixels();
  const bool wideEnough = std::abs(zoom_.EndX - zoom_.StartX) > minimum;
  const bool highEnough = std::abs(zoom_.EndY - zoom_.StartY) > minimum;
  switch (zoom_.Direction()) {
    case zdHorizontal: return wideEnough;
    case zdVertical: return highEnough;
    case zdBoth: return wideEnough && highEnough;
  }
  return false;
}

// With zdBoth only the horizontal direction decides.
bool TCustomChartPanelExtended::DragZooms() const {
  if (zoom_.UpLeftZooms()) {
    return true;
  }
  if (zoom_.Direction() == zdVertical) {
    return zoom_.EndY > zoom_.StartY;
  }
  return zoom_.EndX > zoom_.StartX;
}

void TCustomChartPanelExtended::MouseWheel(bool up, TShiftState shift, int x, int y) {
  FireEvent(OnMouseWheel, *this, up, shift, x, y);
  // With Ctrl the wheel is the handler's alone (the viewer zooms with it).
  if (!WheelScrollsVertical || (shift & ssCtrl) != 0) {
    return;
  }
  for (TChartAxis* axis : Axes().All()) {
    if (axis->Horizontal()) {
      continue;
    }
    const double amount = (axis->Maximum() - axis->Minimum()) * 3 * 0.01;
    axis->ShiftRange(up ? -amount : amount, false);
  }
}

// A zoom drag goes on outside the window; a pan does not.
void TCustomChartPanelExtended::MouseLeave() {
  SetCursor(NormalCursor);
  panning_.DragActive = false;
  FireEvent(OnMouseLeave, *this);
}

// ---- The rubber band ----

TColor TCustomChartPanelExtended::ZoomFrameBackground() const { return ResolveSystemColor(Color()); }

// The band goes into the kept picture, which is then shown: drawn on the
// window alone, it would be overwritten by the kept picture at the window's
// next paint, and the erase by not-xor would then draw a band instead.
// A stale picture is skipped: its paint draws the band where it is now.
void TCustomChartPanelExtended::DrawZoomFrame() {
  if (!zoom_.XorBand()) {
    Invalidate();
    return;
  }
  if (PictureStale()) {
    return;
  }
  TBufferedCanvas3D& canvas = Canvas3D();
  const TRect bounds = canvas.Bounds();
  canvas.BeginDrawing(Screen(), bounds, canvas.FontZoom());
  PaintZoomBand();
  canvas.FinishDrawing(Screen(), Screen(), {bounds.Left, bounds.Top});
  Invalidate();
}

void TCustomChartPanelExtended::DrawZoomFrameWhileDragging() {
  if (zoom_.DragActive && zoom_.XorBand()) {
    PaintZoomBand();
  }
}

// Against background B, colour C xor (white - B) makes not-xor show C over B.
void TCustomChartPanelExtended::PaintZoomBand() {
  TCanvas3D& canvas = Surface();
  const TSurfaceStateGuard restore(canvas);
  const TColor inverseBackground = clWhite - ZoomFrameBackground();
  const bool filled = zoom_.HasBrush() && zoom_.Brush().Style() != bsClear;
  canvas.Brush.Style = zoom_.HasBrush() ? zoom_.Brush().Style() : bsClear;
  if (zoom_.HasBrush()) {
    canvas.Brush.Color = ResolveSystemColor(zoom_.Brush().Color()) ^ inverseBackground;
  }
  TChartPen& pen = zoom_.Pen();
  canvas.ApplyChartPen(pen, ResolveSystemColor(pen.Color()) ^ inverseBackground);
  canvas.Pen.Mode = pmNotXor;
  if (!filled) {
    canvas.SetBackMode(BackModeTransparent);
  }
  // A band dragged up or to the left is drawn too, not dropped as an empty rectangle.
  canvas.Rectangle(TRect{zoom_.StartX, zoom_.StartY, zoom_.EndX, zoom_.EndY}.Normalized());
}
