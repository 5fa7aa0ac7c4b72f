#pragma once

#include <array>

#include "gui/Color.h"

// A colour a pane, from the set that colour-blind users tell apart (blue,
// orange, bluish green, vermillion), each dark enough to read on the
// panes' light face.
constexpr std::array<TColor, 4> kDistinctPaneColors = {
    RGBColor(0x00, 0x72, 0xB2),
    RGBColor(0xE6, 0x9F, 0x00),
    RGBColor(0x00, 0x9E, 0x73),
    RGBColor(0xD5, 0x5E, 0x00),
};
