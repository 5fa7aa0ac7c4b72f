#pragma once

#include <array>
#include <string>

class FormWindow;
class TChart;

// The window's picture, its chart panes given, as an SVG document of the window's size, as the
// saved raster pictures show it (no cursor readout): each pane drawn by its
// chart's own drawing calls as vector elements, over the rest of the
// window (buttons, check boxes) as an embedded raster picture with the
// panes left out.
std::string WindowSvg(const std::array<TChart*, 4>& charts, FormWindow& window);

// Writes the document; raises FileException naming the file and the reason.
void SaveWindowSvg(const std::array<TChart*, 4>& charts, FormWindow& window, const std::string& path);
