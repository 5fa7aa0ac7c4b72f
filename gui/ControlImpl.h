#pragma once

// The Qt side of a control, for the other parts of gui/. Nothing outside
// gui/ may include this.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

#include "gui/Control.h"
#include "gui/QtStrings.h"

class Control::Impl {
public:
  explicit Impl(QWidget* widget) : Widget(widget) {}
  ~Impl() { delete Widget.data(); }  // null once a parent deleted it

  QPointer<QWidget> Widget;
};

// The widget of a parent control, or none.
inline QWidget* ParentWidget(Control* parent) { return parent ? parent->Internals().Widget.data() : nullptr; }

// While a picture of a window is taken for the user to copy or save, the
// controls leave out their overlays, which belong to the screen alone.
inline bool& OverlaysLeftOutFlag() {
  static bool leftOut = false;
  return leftOut;
}
inline bool OverlaysLeftOut() { return OverlaysLeftOutFlag(); }

class TOverlaysLeftOut {
public:
  TOverlaysLeftOut() { OverlaysLeftOutFlag() = true; }
  ~TOverlaysLeftOut() { OverlaysLeftOutFlag() = false; }
  TOverlaysLeftOut(const TOverlaysLeftOut&) = delete;
  TOverlaysLeftOut& operator=(const TOverlaysLeftOut&) = delete;
};
