#pragma once

// The remainder of value / divisor in 0 .. divisor - 1 for a positive
// divisor, negative values included, where % keeps the sign of value.
constexpr int PositiveModulo(int value, int divisor) { return ((value % divisor) + divisor) % divisor; }
