#include "gui/RasterFile.h"

#include "gui/ImageFile.h"
#include "gui/TRasterCanvasImpl.h"

void SavePictureFile(const TRasterCanvas& picture, const std::string& path, TPictureFormat format) {
  WriteImageFile(picture.Internals().Image(), path, format);
}
