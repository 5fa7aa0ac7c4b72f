#pragma once

#include <cstddef>
#include <string_view>

// One line of a log as the loader reads it.
struct TLogLine {
  // Without its line end and cut at a NUL byte; at most MaxLogLineLength
  // characters.
  std::string_view Text;
  // The line had more characters than Text holds.
  bool Truncated = false;
};

// The longest line kept whole. Longer lines keep this many characters and
// the rest of the line is skipped, so a corrupt log of megabytes in one line
// costs no more memory than a normal one.
inline constexpr std::size_t MaxLogLineLength = 1024;

// LF and CR each end a line; a CR LF pair is one line end.
inline bool IsLogLineEnd(char c) { return c == '\n' || c == '\r'; }
