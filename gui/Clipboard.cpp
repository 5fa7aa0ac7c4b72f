#include "gui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/QtStrings.h"
#include "gui/TRasterCanvasImpl.h"

void CopyTextToClipboard(const std::string& text) { QGuiApplication::clipboard()->setText(QtText(text)); }

std::string ClipboardText() { return TextFromQt(QGuiApplication::clipboard()->text()); }

// A deep copy: the raster's image lives in the raster's memory, which goes
// with the raster while the clipboard keeps the picture.
void CopyRasterToClipboard(const TRasterCanvas& picture) {
  QGuiApplication::clipboard()->setImage(picture.Internals().Image().copy());
}
