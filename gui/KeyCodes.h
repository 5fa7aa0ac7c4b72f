#pragma once

// Qt's keys as the viewer's key codes, for the other parts of gui/. Nothing
// outside gui/ may include this.

#include <Qt>

#include "gui/Keyboard.h"

inline TShiftState KeyShiftOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) {
    shift |= ssShift;
  }
  if (modifiers & Qt::AltModifier) {
    shift |= ssAlt;
  }
  if (modifiers & Qt::ControlModifier) {
    shift |= ssCtrl;
  }
  return shift;
}

// Letters keep their code (Qt's is the upper-case character); keys without
// a code of ours give 0.
inline int KeyCodeOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
    return qtKey;
  }
  if (qtKey == Qt::Key_Escape) {
    return VK_ESCAPE;
  }
  return 0;
}
