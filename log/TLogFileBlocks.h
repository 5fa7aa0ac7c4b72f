#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "log/TLoadedFile.h"

// Reads up to `size` bytes of the open file `fd` into `buffer`, as read()
// does; tests put failing reads in its place.
using TBlockRead = std::function<ssize_t(int fd, char* buffer, std::size_t size)>;

// A place between two lines of a log file.
struct TLogFilePosition {
  std::uint64_t Offset = 0;
  // The line before ended with a CR, so an LF at Offset still belongs to
  // that line's end.
  bool AfterCr = false;

  bool operator==(const TLogFilePosition&) const = default;
};

// Where reading starts, and what becomes of a last line without a line end.
struct TLogFileStart {
  TLogFilePosition Position;
  // Delivered as the last line (a load), or left for a later read once its
  // line end is written (following a growing log).
  bool TakeUnfinishedLine = true;
};

// A log file as runs of whole lines read in large blocks, never holding the
// file whole. A 0x1A byte ends the file.
class TLogFileBlocks {
public:
  // Opens a regular file without ever blocking; raises FileException naming
  // the file and the reason when it cannot be opened or is no regular file
  // (a folder, a pipe, a device).
  explicit TLogFileBlocks(const std::string& fileName, TBlockRead read = {}, const TLogFileStart& start = {});
  ~TLogFileBlocks();
  TLogFileBlocks(const TLogFileBlocks&) = delete;
  TLogFileBlocks& operator=(const TLogFileBlocks&) = delete;

  // The next run of whole lines, for TLogLines; false at the end of the
  // file, at a 0x1A byte or on a read error (see ReadError). A line that a
  // read error cut short is never delivered. The text stays valid until the
  // next call.
  bool Next(std::string_view& lines);

  // Where the line starting at `lineStart` of the last run (or just past
  // the run) starts in the file.
  TLogFilePosition PositionOf(const char* lineStart) const;
  // Just past every line delivered so far.
  TLogFilePosition Delivered() const { return carried_; }

  // The errno of the read that failed, or 0.
  int ReadError() const { return readError_; }
  // The share of the file read so far, 0 to 1.
  double ShareRead() const;

  // The open file as reading it up to `loaded` leaves it, and how it
  // stands to an earlier load of a file of its name.
  TLoadedFile LoadedFile(std::uint64_t loaded) const { return NoteLoadedFile(fd_, loaded); }
  TFileState Compare(const TLoadedFile& earlier) const { return CompareLoadedFile(fd_, earlier); }

private:
  bool ReadMore();
  bool Deliver(std::string_view& lines);
  void KeepOnlyTheStartOfALongLine();

  int fd_;
  TBlockRead read_;
  bool takeUnfinishedLine_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the carried part of a line starts here
  std::size_t end_ = 0;
  bool finished_ = false;
  bool skipLineFeed_;  // the last run ended with a CR
  int readError_ = 0;
  std::uint64_t bytesRead_;
  std::uint64_t size_ = 0;
  // The carried part's place in the file, and the bytes of its long line
  // left out so far.
  TLogFilePosition carried_;
  std::uint64_t carriedLeftOut_ = 0;
  // The last run: its text and place in the file, and the bytes its first
  // line left out.
  const char* run_ = nullptr;
  TLogFilePosition runStart_;
  std::uint64_t runLeftOut_ = 0;
};
