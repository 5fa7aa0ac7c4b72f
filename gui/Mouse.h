#pragma once

// Platform-free mouse input, as the chart engine consumes it.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The set of held keys and buttons.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;

// The held-button flag of a button.
constexpr TShiftState ShiftOfButton(TMouseButton button) {
  return button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle;
}

enum TCursor { crDefault, crCross, crHandPoint, crSizeAll, crArrow };
