#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "gui/Geometry.h"

class FormWindow;
class TCanvas3D;
class TChart;
class TRasterCanvas;

// What a copied or saved picture shows beyond the window's own picture.
struct TPictureExtras {
  // Drawn over the pane's picture, in the pane's pixels; none: nothing.
  std::function<void(std::uint8_t pane, TCanvas3D& canvas)> OverPane;
  // A line below the window's picture; empty: no line.
  std::string Caption;
};

// The height of the strip below the window that holds the caption, 0 for
// none, as the surface measures its text.
int CaptionHeight(TCanvas3D& canvas, const std::string& caption);
// The caption on white in the strip, left aligned.
void DrawCaption(TCanvas3D& canvas, const TRect& strip, const std::string& caption);

// The window's picture with the extras, in the window's device pixels: the
// window's own picture, each pane's extras over it, the caption below.
void DrawWindowPicture(TRasterCanvas& picture, const std::array<TChart*, 4>& charts, const FormWindow& window,
                       const TPictureExtras& extras);
