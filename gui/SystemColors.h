#pragma once

#include "gui/Color.h"

// The RGB value of a colour: a system colour (negative) through the
// platform's palette, any other colour as its low 24 bits.
TColor ResolveSystemColor(TColor color);
