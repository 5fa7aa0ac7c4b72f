#pragma once

#include <sys/types.h>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
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

// Reads up to `size` bytes of the open file `fd` into `buffer`, as read()
// does; tests put failing reads in its place.
using TBlockRead = std::function<ssize_t(int fd, char* buffer, std::size_t size)>;

// Reads a log file line by line through a fixed buffer, never holding the
// file whole. LF, CR LF and a lone CR each end a line; a 0x1A byte ends the
// file. Each physical line is one line, however long; a last line without a
// line end is read like every other.
class TLogLineReader {
public:
  // Opens a regular file without ever blocking; raises FileException naming
  // the file and the reason when it cannot be opened or is no regular file
  // (a folder, a pipe, a device).
  explicit TLogLineReader(const std::string& fileName, TBlockRead read = {});
  ~TLogLineReader();
  TLogLineReader(const TLogLineReader&) = delete;
  TLogLineReader& operator=(const TLogLineReader&) = delete;

  // The next line, or false when the read yields no characters: at the end
  // of the file, at a 0x1A byte, or on a read error (see ReadError). A line
  // that a read error cut short is not delivered. The text stays valid until
  // the next call.
  bool NextLine(TLogLine& line) {
    // The common case: a plain line wholly inside the buffer, ended by LF or
    // CR LF. The sentinel after the buffered bytes stops the scan.
    const char* p = pos_;
    while (!kStopByte[static_cast<unsigned char>(*p)]) {
      ++p;
    }
    const auto length = static_cast<std::size_t>(p - pos_);
    const std::size_t endLength = *p == '\n' ? 1 : (*p == '\r' && p[1] == '\n' ? 2 : 0);
    if (endLength != 0 && length <= MaxLogLineLength) {
      line = {std::string_view(pos_, length), false};
      pos_ = p + endLength;
      return true;
    }
    return NextLineSlowly(line);
  }

  // The errno of the read that failed, or 0.
  int ReadError() const { return readError_; }

private:
  static constexpr std::size_t kBlockSize = 1 << 16;
  static const std::array<bool, 256> kStopByte;

  bool NextLineSlowly(TLogLine& line);
  bool Refill();
  void SkipLineFeedAfterCarriageReturn();

  int fd_ = -1;
  TBlockRead read_;
  std::array<char, kBlockSize + 1> buffer_;
  const char* pos_;
  char* end_;
  bool finished_ = false;
  int readError_ = 0;
  std::string line_;
};
