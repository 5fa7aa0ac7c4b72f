#pragma once

// The picture formats the window's picture can be saved in: the raster
// ones FormWindow::SavePicture writes, and SVG, which the application
// writes from the charts' own drawing calls.
enum class TPictureFormat { Png, Jpeg, Bmp, Svg };
