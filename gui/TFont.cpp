#include "gui/TFont.h"

#include <algorithm>

#include "runtime/RoundPixel.h"

// Sizes are points at 96 pixels per inch whatever the screen reports,
// because the window layout is given in pixels.
int FontPixelSize(int points) { return std::max(1, RoundPixel(points * 96.0 / 72.0)); }
