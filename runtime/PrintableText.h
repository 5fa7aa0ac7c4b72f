#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length of the well-formed UTF-8 sequence that starts at `text[at]`
// (1 for ASCII), or 0: overlong forms, surrogates, code points past
// U+10FFFF and sequences cut short are not well-formed.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The text as a message or tooltip can show it: control bytes, and bytes
// that are not part of a well-formed UTF-8 character, written as "\xNN";
// line breaks, tabs and every well-formed character stay.
std::string PrintableText(const std::string& text);
