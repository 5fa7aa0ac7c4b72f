#pragma once

#include <array>
#include <string>

#include "app/window/WindowPicture.h"

class FormWindow;
class TChart;

// The window's picture, its chart panes given, as an SVG document of the
// window's size, as the saved raster pictures show it (no cursor readout):
// each pane drawn by its chart's own drawing calls as vector elements, with
// the extras over it, over the rest of the window (buttons, check boxes) as
// an embedded raster picture with the panes left out; the caption, when
// there is one, as text in a strip below that makes the document taller.
std::string WindowSvg(const std::array<TChart*, 4>& charts, FormWindow& window, const TPictureExtras& extras = {});

// Writes the document; raises FileException naming the file and the reason.
void SaveWindowSvg(const std::array<TChart*, 4>& charts, FormWindow& window, const TPictureExtras& extras,
                   const std::string& path);
