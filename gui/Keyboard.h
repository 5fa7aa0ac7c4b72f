#pragma once

// Platform-free key codes: a letter key is its upper-case character.
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_F11 = 0x7A;
