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
  switch (qtKey) {
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_F5: return VK_F5;
    case Qt::Key_F11: return VK_F11;
    // "=" is the plus key unshifted on many layouts.
    case Qt::Key_Plus:
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Minus: return VK_OEM_MINUS;
    default: return 0;
  }
}
