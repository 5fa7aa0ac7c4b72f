#pragma once

#include "gui/Color.h"

// Shades for 3D faces: every RGB channel moved by `step`, clamped to 0..255.
// System colours are resolved first.
TColor DarkerColor(TColor color, int step);
TColor BrighterColor(TColor color, int step);
