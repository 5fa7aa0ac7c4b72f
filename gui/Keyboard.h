#pragma once

#include <optional>
#include <string>

#include "gui/Mouse.h"

// Platform-free key codes: a letter key is its upper-case character.
constexpr int VK_ESCAPE = 0x1B;

// A key press: its code and the modifier keys held (ssShift, ssCtrl, ssAlt).
struct TKeyPress {
  int Key = 0;
  TShiftState Shift = 0;
};

// The key press a name in the platform's notation stands for ("L", "Escape",
// "Ctrl+C"), or none when it names no key the viewer knows.
std::optional<TKeyPress> KeyPressNamed(const std::string& name);
