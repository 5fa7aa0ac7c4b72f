#include "log/TLogFileBlocks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "log/TLogLine.h"
#include "runtime/Exception.h"

namespace {

constexpr char kEndOfFileByte = 0x1A;
// Large enough that a read's cost is the copy, small enough to stay in the
// cache while its lines are converted.
constexpr std::size_t kBlockSize = std::size_t{1} << 22;
// The smallest read, for the rest of a file that grew while it was loaded.
constexpr std::size_t kSmallestBlock = std::size_t{1} << 12;

[[noreturn]] void RaiseOpenError(const std::string& fileName, const std::string& reason) {
  throw FileException("Cannot open '" + fileName + "': " + reason);
}

// Opening a pipe without a writer would block and a device may never end,
// so the file is opened without blocking and kept only when it is a regular
// file.
int OpenRegularFile(const std::string& fileName) {
  if (fileName.empty()) {
    RaiseOpenError(fileName, "no file name");
  }
  const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    RaiseOpenError(fileName, std::strerror(errno));
  }
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    const std::string reason = std::strerror(errno);
    close(fd);
    RaiseOpenError(fileName, reason);
  }
  if (!S_ISREG(status.st_mode)) {
    close(fd);
    RaiseOpenError(fileName, S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file");
  }
  // Regular files never block; reads then behave as usual.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

ssize_t ReadFromFile(int fd, char* buffer, std::size_t size) { return read(fd, buffer, size); }

}  // namespace

TLogFileBlocks::TLogFileBlocks(const std::string& fileName, TBlockRead read, const TLogFileStart& start)
    : fd_(OpenRegularFile(fileName)),
      read_(read ? std::move(read) : TBlockRead(ReadFromFile)),
      takeUnfinishedLine_(start.TakeUnfinishedLine),
      skipLineFeed_(start.Position.AfterCr),
      bytesRead_(start.Position.Offset),
      carried_(start.Position),
      runStart_(start.Position) {
  struct stat status {};
  if (fstat(fd_, &status) == 0) {
    size_ = static_cast<std::uint64_t>(status.st_size);
  }
  if (start.Position.Offset > 0 && lseek(fd_, static_cast<off_t>(start.Position.Offset), SEEK_SET) < 0) {
    const std::string reason = std::strerror(errno);
    close(fd_);
    RaiseOpenError(fileName, reason);
  }
}

TLogFileBlocks::~TLogFileBlocks() { close(fd_); }

double TLogFileBlocks::ShareRead() const {
  if (finished_ || size_ == 0) {
    return 1;
  }
  return std::min(1.0, static_cast<double>(bytesRead_) / static_cast<double>(size_));
}

// Appends what one read gives behind the carried bytes; false once nothing
// more comes. A 0x1A byte ends the file there.
bool TLogFileBlocks::ReadMore() {
  if (finished_) {
    return false;
  }
  // One byte more for the NUL after the text.
  // A small file needs no large buffer: what is left of it, and one byte
  // more to see its end.
  const std::uint64_t left = size_ - std::min(size_, bytesRead_) + 1;
  const auto block = static_cast<std::size_t>(std::clamp<std::uint64_t>(left, kSmallestBlock, kBlockSize));
  buffer_.resize(std::max(buffer_.size(), end_ + block + 1));
  ssize_t n;
  do {
    n = read_(fd_, buffer_.data() + end_, block);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) {
    readError_ = n < 0 ? errno : 0;
    finished_ = true;
    return false;
  }
  bytesRead_ += static_cast<std::uint64_t>(n);
  const char* start = buffer_.data() + end_;
  if (const void* eof = std::memchr(start, kEndOfFileByte, static_cast<std::size_t>(n))) {
    n = static_cast<const char*>(eof) - start;
    finished_ = true;
  }
  if (skipLineFeed_ && n > 0 && begin_ == end_ && *start == '\n') {
    ++begin_;
    carried_ = {carried_.Offset + 1, false};
  }
  skipLineFeed_ = skipLineFeed_ && n == 0;
  end_ += static_cast<std::size_t>(n);
  return n > 0;
}

// A line longer than a block would make the buffer grow without bound; its
// first MaxLogLineLength + 1 bytes tell all the loader needs (its text and
// that it is too long).
void TLogFileBlocks::KeepOnlyTheStartOfALongLine() {
  const std::size_t kept = std::min(end_, begin_ + MaxLogLineLength + 1);
  carriedLeftOut_ += end_ - kept;
  end_ = kept;
}

bool TLogFileBlocks::Next(std::string_view& lines) {
  std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_), buffer_.begin() + static_cast<std::ptrdiff_t>(end_),
            buffer_.begin());
  end_ -= begin_;
  begin_ = 0;
  while (true) {
    const bool more = ReadMore();
    if (readError_ != 0) {
      return false;  // the carried bytes are a line the error cut short
    }
    if (Deliver(lines) || !more) {
      return !lines.empty();
    }
    KeepOnlyTheStartOfALongLine();
  }
}

// Hands out the whole lines read so far and carries the rest; at the end of
// the file that rest is the last line.
bool TLogFileBlocks::Deliver(std::string_view& lines) {
  const char* data = buffer_.data();
  std::size_t stop = end_;
  if (!finished_ || !takeUnfinishedLine_) {
    while (stop > begin_ && !IsLogLineEnd(data[stop - 1])) {
      --stop;
    }
  }
  if (stop == begin_) {
    lines = {};
    return false;
  }
  if (!finished_) {
    // The LF that may follow a CR arrives with the next read.
    skipLineFeed_ = data[stop - 1] == '\r';
  }
  buffer_[end_] = '\0';
  lines = {data + begin_, stop - begin_};
  run_ = lines.data();
  runStart_ = carried_;
  runLeftOut_ = carriedLeftOut_;
  carried_ = {carried_.Offset + lines.size() + carriedLeftOut_, data[stop - 1] == '\r'};
  carriedLeftOut_ = 0;
  begin_ = stop;
  return true;
}

// Only the run's first line can have left bytes out: a long line is cut
// while it is the only line carried.
TLogFilePosition TLogFileBlocks::PositionOf(const char* lineStart) const {
  const auto index = static_cast<std::size_t>(lineStart - run_);
  if (index == 0) {
    return runStart_;
  }
  return {runStart_.Offset + index + (index > MaxLogLineLength ? runLeftOut_ : 0), lineStart[-1] == '\r'};
}
