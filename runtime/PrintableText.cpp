#include "runtime/PrintableText.h"

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return 1;
  }
  std::size_t length = 0;
  unsigned char low = 0x80;   // the second byte's range, narrowed to rule out overlong forms
  unsigned char high = 0xBF;  // and surrogates or values beyond U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (text.size() - at < length) {
    return 0;
  }
  const auto second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) {
    return 0;
  }
  for (std::size_t k = 2; k < length; ++k) {
    if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) {
      return 0;
    }
  }
  return length;
}

std::string PrintableText(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string printable;
  printable.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    const std::size_t length = Utf8SequenceLength(text, at);
    if ((c >= 0x20 && c != 0x7F) || c == '\n' || c == '\t') {
      if (length > 0) {
        printable.append(text, at, length);
        at += length;
        continue;
      }
    }
    printable += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
    ++at;
  }
  return printable;
}
