#include "runtime/PrintableText.h"

#include <cstddef>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 character at `at`, or 0: overlong
// forms, surrogates and code points past U+10FFFF are not well-formed.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char first = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    low = first == 0xE0 ? 0xA0 : 0x80;
    high = first == 0xED ? 0x9F : 0xBF;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    low = first == 0xF0 ? 0x90 : 0x80;
    high = first == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > text.size() || byte(1) < low || byte(1) > high) {
    return 0;
  }
  for (std::size_t k = 2; k < length; ++k) {
    if (!IsContinuation(byte(k))) {
      return 0;
    }
  }
  return length;
}

}  // namespace

std::string PrintableText(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c >= 0x20 && c < 0x7F) {
      printable += text[at++];
    } else if (c == '\n' || c == '\t') {
      printable += text[at++];
    } else if (const std::size_t length = c >= 0x80 ? CharacterLength(text, at) : 0; length > 0) {
      printable.append(text, at, length);
      at += length;
    } else {
      printable += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
      ++at;
    }
  }
  return printable;
}
