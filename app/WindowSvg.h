#pragma once

#include <string>

class TForm1;

// The window's picture as an SVG document of the window's size, as the
// saved raster pictures show it (no cursor readout): each pane drawn by its
// chart's own drawing calls as vector elements, over the rest of the
// window (buttons, check boxes) as an embedded raster picture with the
// panes left out.
std::string WindowSvg(TForm1& form);

// Writes the document; raises FileException naming the file and the reason.
void SaveWindowSvg(TForm1& form, const std::string& path);
