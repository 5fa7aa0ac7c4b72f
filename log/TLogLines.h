#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "log/TLogLine.h"

// The lines of a text of whole lines, in order. LF, CR LF and a lone CR each
// end a line; a last line without a line end is read like every other. The
// byte just past the text must be a NUL or a line end (it stops the scan).
class TLogLines {
public:
  explicit TLogLines(std::string_view text) : pos_(text.data()), end_(text.data() + text.size()) {}

  bool Next(TLogLine& line) {
    if (pos_ >= end_) {
      return false;
    }
    const char* p = pos_;
    while (!kStopByte[static_cast<unsigned char>(*p)]) {
      ++p;
    }
    const auto length = static_cast<std::size_t>(p - pos_);
    if (*p == '\0' && p < end_) {
      // The text ends at a NUL, as the line's characters are a C string.
      p = EndOfLine(p);
    }
    line = {std::string_view(pos_, std::min(length, MaxLogLineLength)), length > MaxLogLineLength};
    pos_ = p < end_ ? p + (*p == '\r' && p + 1 < end_ && p[1] == '\n' ? 2 : 1) : end_;
    return true;
  }

  // The lines not read yet.
  std::string_view Rest() const { return {pos_, static_cast<std::size_t>(end_ - pos_)}; }

private:
  static const std::array<bool, 256> kStopByte;

  const char* EndOfLine(const char* p) const;

  const char* pos_;
  const char* end_;
};
