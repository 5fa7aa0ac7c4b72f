#pragma once

#include <string>

// The text as a message or tooltip can show it: control bytes, and bytes
// that are not part of a well-formed UTF-8 character, written as "\xNN";
// line breaks, tabs and every well-formed character stay.
std::string PrintableText(const std::string& text);
