#include "log/TLogLines.h"

// The bytes that end the plain scan: the line ends, and the NUL that also
// marks the text's end.
const std::array<bool, 256> TLogLines::kStopByte = [] {
  std::array<bool, 256> stop{};
  stop['\n'] = stop['\r'] = stop['\0'] = true;
  return stop;
}();

const char* TLogLines::EndOfLine(const char* p) const {
  while (p < end_ && !IsLogLineEnd(*p)) {
    ++p;
  }
  return p;
}
