#pragma once

#include <sys/types.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// Reads up to `size` bytes of the open file `fd` into `buffer`, as read()
// does; tests put failing reads in its place.
using TBlockRead = std::function<ssize_t(int fd, char* buffer, std::size_t size)>;

// A log file as runs of whole lines read in large blocks, never holding the
// file whole. A 0x1A byte ends the file.
class TLogFileBlocks {
public:
  // Opens a regular file without ever blocking; raises FileException naming
  // the file and the reason when it cannot be opened or is no regular file
  // (a folder, a pipe, a device).
  explicit TLogFileBlocks(const std::string& fileName, TBlockRead read = {});
  ~TLogFileBlocks();
  TLogFileBlocks(const TLogFileBlocks&) = delete;
  TLogFileBlocks& operator=(const TLogFileBlocks&) = delete;

  // The next run of whole lines, for TLogLines; false at the end of the
  // file, at a 0x1A byte or on a read error (see ReadError). A line that a
  // read error cut short is never delivered. The text stays valid until the
  // next call.
  bool Next(std::string_view& lines);

  // The errno of the read that failed, or 0.
  int ReadError() const { return readError_; }
  // The share of the file read so far, 0 to 1.
  double ShareRead() const;

private:
  bool ReadMore();
  bool Deliver(std::string_view& lines);
  void KeepOnlyTheStartOfALongLine();

  int fd_;
  TBlockRead read_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the carried part of a line starts here
  std::size_t end_ = 0;
  bool finished_ = false;
  bool skipLineFeed_ = false;  // the last run ended with a CR
  int readError_ = 0;
  std::uint64_t bytesRead_ = 0;
  std::uint64_t size_ = 0;
};

// The log's lines one by one, for the header and for tests.
class TLogLineReader {
public:
  explicit TLogLineReader(const std::string& fileName, TBlockRead read = {}) : blocks_(fileName, std::move(read)) {}

  bool NextLine(TLogLine& line);
  // The lines of the run the last line came from that are not read yet.
  std::string_view RestOfRun() const { return lines_.Rest(); }
  TLogFileBlocks& Blocks() { return blocks_; }
  int ReadError() const { return blocks_.ReadError(); }
  double ShareRead() const { return blocks_.ShareRead(); }

private:
  TLogFileBlocks blocks_;
  TLogLines lines_{std::string_view()};
};
