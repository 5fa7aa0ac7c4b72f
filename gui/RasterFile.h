#pragma once

#include <string>

#include "gui/PictureFormat.h"

class TRasterCanvas;

// The raster's device pixels as a picture file of a raster format; raises
// FileException naming the file and the reason.
void SavePictureFile(const TRasterCanvas& picture, const std::string& path, TPictureFormat format);
