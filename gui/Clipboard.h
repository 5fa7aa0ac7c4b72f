#pragma once

#include <string>

// The desktop's clipboard as text (the bytes as the window shows them).
void CopyTextToClipboard(const std::string& text);
std::string ClipboardText();
