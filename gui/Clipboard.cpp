#include "gui/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "gui/QtStrings.h"

void CopyTextToClipboard(const std::string& text) { QGuiApplication::clipboard()->setText(QtText(text)); }

std::string ClipboardText() { return TextFromQt(QGuiApplication::clipboard()->text()); }
