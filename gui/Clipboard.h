#pragma once

#include <string>

class TRasterCanvas;

// The desktop's clipboard as text (the bytes as the window shows them).
void CopyTextToClipboard(const std::string& text);
std::string ClipboardText();

// The raster's device pixels as the clipboard's picture.
void CopyRasterToClipboard(const TRasterCanvas& picture);
