#pragma once

// Writing a Qt image as a picture file, for the other parts of gui/.
// Nothing outside gui/ may include this.

#include <QImage>
#include <string>

#include "gui/PictureFormat.h"

// A raster format; raises FileException naming the file and the reason.
void WriteImageFile(const QImage& image, const std::string& path, TPictureFormat format);
