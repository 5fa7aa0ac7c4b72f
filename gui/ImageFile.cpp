#include "gui/ImageFile.h"

#include <QFile>

#include "gui/QtStrings.h"
#include "runtime/Exception.h"

void WriteImageFile(const QImage& image, const std::string& path, TPictureFormat format) {
  if (format == TPictureFormat::Svg) {
    throw EAssertionFailed("A picture file of pixels is PNG, JPEG or BMP");
  }
  const char* const qtFormats[] = {"PNG", "JPEG", "BMP"};
  QFile file(QtFileName(path));
  const bool saved =
      file.open(QIODevice::WriteOnly) && image.save(&file, qtFormats[static_cast<int>(format)]) && file.flush();
  if (!saved) {
    throw FileException("Cannot write '" + path + "': " + TextFromQt(file.errorString()));
  }
}
