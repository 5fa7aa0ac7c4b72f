#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// One line of a log as the loader reads it.
struct TLogLine {
  // Without its line end, every CR dropped and cut at a NUL byte; at most
  // MaxLogLineLength characters.
  std::string_view Text;
  // The line had more characters than Text holds.
  bool Truncated = false;
};

// The longest line kept whole. Longer lines keep this many characters and
// the rest of the line is skipped, so a corrupt log of megabytes in one line
// costs no more memory than a normal one.
inline constexpr std::size_t MaxLogLineLength = 1024;

// Reads a log file line by line through a fixed buffer, never holding the
// file whole. Text-mode rules apply: every CR is dropped and a 0x1A byte ends
// the file. Each physical line is one line, however long; a last line
// without a line end is read like every other.
class TLogLineReader {
public:
  // A file that cannot be opened, or a folder, gives a reader that is not
  // open.
  explicit TLogLineReader(const std::string& fileName);
  ~TLogLineReader();
  TLogLineReader(const TLogLineReader&) = delete;
  TLogLineReader& operator=(const TLogLineReader&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

  // The next line, or false when the read yields no characters: at the end
  // of the file, at a 0x1A byte, or on a read error. The text stays valid
  // until the next call.
  bool NextLine(TLogLine& line) {
    // The common case: a plain line wholly inside the buffer. The sentinel
    // after the buffered bytes stops the scan.
    const char* p = pos_;
    while (!kStopByte[static_cast<unsigned char>(*p)]) {
      ++p;
    }
    if (*p == '\n' && static_cast<std::size_t>(p - pos_) <= MaxLogLineLength) {
      line = {std::string_view(pos_, static_cast<std::size_t>(p - pos_)), false};
      pos_ = p + 1;
      return true;
    }
    return NextLineSlowly(line);
  }

private:
  static constexpr std::size_t kBlockSize = 1 << 16;
  static const std::array<bool, 256> kStopByte;

  bool NextLineSlowly(TLogLine& line);
  bool Refill();

  int fd_ = -1;
  std::array<char, kBlockSize + 1> buffer_;
  const char* pos_;
  char* end_;
  bool finished_ = false;
  std::string line_;
};
