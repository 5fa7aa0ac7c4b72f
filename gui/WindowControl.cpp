#include "gui/WindowControl.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <utility>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"
#include "gui/KeyCodes.h"
#include "gui/TRasterCanvas.h"
#include "gui/TRasterCanvasImpl.h"
#include "runtime/StoreIfChanged.h"

namespace {

constexpr int kWheelNotch = 120;  // angle delta of one wheel notch, eighths of a degree

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = KeyShiftOf(modifiers);
  if (buttons & Qt::LeftButton) {
    shift |= ssLeft;
  }
  if (buttons & Qt::RightButton) {
    shift |= ssRight;
  }
  if (buttons & Qt::MiddleButton) {
    shift |= ssMiddle;
  }
  return shift;
}

bool ButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
  }
}

Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
    case crCross: return Qt::CrossCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

class ControlWidget : public QWidget {
public:
  ControlWidget(WindowControl& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  // The picture, of the widget's current size in the device pixels of its
  // screen (a hidden widget gets no resize events, so the size is checked
  // on every use).
  TRasterCanvas& Screen() {
    FitToWidget(screen_);
    return screen_;
  }

  void SetOverlay(WindowControl::TOverlay overlay) {
    overlay_ = std::move(overlay);
    update();
  }
  bool HasOverlay() const { return static_cast<bool>(overlay_); }

  const TRasterCanvas& Shown() {
    if (!overlay_) {
      return Screen();
    }
    FitToWidget(shown_);
    shown_.Draw(Screen(), {0, 0});
    overlay_(shown_);
    return shown_;
  }

protected:
  // A picture taken of the window (copied or saved) leaves the overlay out.
  void paintEvent(QPaintEvent*) override {
    RunEventHandler([this] { owner_.Paint(); });
    const TRasterCanvas* shown = &Screen();
    if (!OverlaysLeftOut()) {
      RunEventHandler([&] { shown = &Shown(); });
    }
    ShowRaster(*this, *shown);
  }

  void mousePressEvent(QMouseEvent* event) override {
    TMouseButton button;
    if (ButtonOf(event->button(), button)) {
      const QPoint p = event->position().toPoint();
      RunEventHandler([&] { owner_.MouseDown(button, ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()); });
    }
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint p = event->position().toPoint();
    RunEventHandler([&] { owner_.MouseMove(ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()); });
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    TMouseButton button;
    if (ButtonOf(event->button(), button)) {
      const QPoint p = event->position().toPoint();
      RunEventHandler([&] { owner_.MouseUp(button, ShiftOf(event->modifiers(), event->buttons()), p.x(), p.y()); });
    }
  }

  // Touchpads deliver fractions of a notch; whole notches are passed on.
  void wheelEvent(QWheelEvent* event) override {
    wheelRest_ += event->angleDelta().y();
    const QPoint p = event->position().toPoint();
    const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
    for (; wheelRest_ >= kWheelNotch; wheelRest_ -= kWheelNotch) {
      RunEventHandler([&] { owner_.MouseWheel(true, shift, p.x(), p.y()); });
    }
    for (; wheelRest_ <= -kWheelNotch; wheelRest_ += kWheelNotch) {
      RunEventHandler([&] { owner_.MouseWheel(false, shift, p.x(), p.y()); });
    }
    event->accept();
  }

  void leaveEvent(QEvent*) override {
    RunEventHandler([this] { owner_.MouseLeave(); });
  }

  // A new desktop palette or theme reaches every widget as one of these.
  void changeEvent(QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type == QEvent::PaletteChange || type == QEvent::ApplicationPaletteChange || type == QEvent::StyleChange ||
        type == QEvent::ThemeChange) {
      RunEventHandler([this] { owner_.SystemColorsChanged(); });
    }
    QWidget::changeEvent(event);
  }

private:
  void FitToWidget(TRasterCanvas& raster) const {
    raster.SetScale(devicePixelRatioF());
    raster.SetSize(width(), height());
  }

  WindowControl& owner_;
  TRasterCanvas screen_;
  TRasterCanvas shown_;
  WindowControl::TOverlay overlay_;
  int wheelRest_ = 0;
};

namespace {

ControlWidget& Widget(const Control::Impl& impl) { return static_cast<ControlWidget&>(*impl.Widget); }

}  // namespace

WindowControl::WindowControl(Control* parent) : Control(std::make_unique<Impl>(nullptr)) {
  Internals().Widget = new ControlWidget(*this, ParentWidget(parent));
}

WindowControl::~WindowControl() = default;

TRasterCanvas& WindowControl::Screen() { return Widget(Internals()).Screen(); }

void WindowControl::Invalidate() { Internals().Widget->update(); }

// The picture is brought up to date here, whether or not the platform can
// paint the window now (a window not yet exposed ignores repaint requests);
// the window then shows it.
void WindowControl::Repaint() {
  Paint();
  QWidget* widget = Internals().Widget;
  if (widget->isVisible()) {
    widget->repaint();
  }
}

void WindowControl::SetOverlay(TOverlay overlay) { Widget(Internals()).SetOverlay(std::move(overlay)); }

void WindowControl::ClearOverlay() {
  if (HasOverlay()) {
    SetOverlay(nullptr);
  }
}

bool WindowControl::HasOverlay() const { return Widget(Internals()).HasOverlay(); }

const TRasterCanvas& WindowControl::Shown() { return Widget(Internals()).Shown(); }

void WindowControl::SetCursor(TCursor cursor) {
  if (!StoreIfChanged(cursor_, cursor)) {
    return;
  }
  Internals().Widget->setCursor(ShapeOf(cursor));
}

TCursor WindowControl::Cursor() const { return cursor_; }

void WindowControl::MouseDown(TMouseButton, TShiftState, int, int) {}
void WindowControl::MouseMove(TShiftState, int, int) {}
void WindowControl::MouseUp(TMouseButton, TShiftState, int, int) {}
void WindowControl::MouseWheel(bool, TShiftState, int, int) {}
void WindowControl::MouseLeave() {}
void WindowControl::Paint() {}
