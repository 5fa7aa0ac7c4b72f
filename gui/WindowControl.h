#pragma once

#include <functional>

#include "gui/Control.h"
#include "gui/Mouse.h"

class TRasterCanvas;

// A control that paints itself: its picture is a raster of its client
// area's size (Screen), and the platform's paint, mouse, wheel and leave
// events arrive as calls of the virtual methods below, with platform-free
// arguments. While a mouse button is held the control keeps receiving the
// mouse, also outside its area.
class WindowControl : public Control {
public:
  explicit WindowControl(Control* parent);
  ~WindowControl() override;

  // What the window shows; Paint draws into it.
  TRasterCanvas& Screen();

  // Asks for a paint at the next chance.
  void Invalidate();
  // Paints now, synchronously, and shows the picture when on screen.
  void Repaint();
  void SetCursor(TCursor cursor);
  TCursor Cursor() const;

  // Drawing shown on the window over its picture, never drawn into it (a
  // cursor readout): run on a copy of Screen at every paint of the window.
  using TOverlay = std::function<void(TRasterCanvas& canvas)>;
  void SetOverlay(TOverlay overlay);
  void ClearOverlay();
  bool HasOverlay() const;
  // What the window shows: Screen, with the overlay over it.
  const TRasterCanvas& Shown();

  // The mouse as the platform delivers it; tests and tools call these too.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // One notch of the wheel; up is away from the user.
  virtual void MouseWheel(bool up, TShiftState shift, int x, int y);
  virtual void MouseLeave();
  // The desktop's colours or theme changed; what shows system colours must
  // be drawn again.
  virtual void SystemColorsChanged() {}

protected:
  // Brings Screen up to date; called for every paint.
  virtual void Paint();

private:
  friend class ControlWidget;
  TCursor cursor_ = crDefault;
};
