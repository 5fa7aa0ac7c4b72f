#pragma once

#include <optional>
#include <string>

#include "gui/Mouse.h"

// Platform-free key codes: a letter key is its upper-case character.
constexpr int VK_BACK = 0x08;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_F5 = 0x74;
constexpr int VK_F11 = 0x7A;
// The plus and minus keys, of the main keys or the keypad.
constexpr int VK_OEM_PLUS = 0xBB;
constexpr int VK_OEM_MINUS = 0xBD;

// A key press: its code and the modifier keys held (ssShift, ssCtrl, ssAlt).
struct TKeyPress {
  int Key = 0;
  TShiftState Shift = 0;
};

// The key press a name in the platform's notation stands for ("L", "Escape",
// "Ctrl+C"), or none when it names no key the viewer knows.
std::optional<TKeyPress> KeyPressNamed(const std::string& name);
