#include "app/TLogLineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

}  // namespace

// The bytes that end the plain scan: the line ends, and the NUL that also
// marks the text's end.
const std::array<bool, 256> TLogLines::kStopByte = [] {
  std::array<bool, 256> stop{};
  stop['\n'] = stop['\r'] = stop['\0'] = true;
  return stop;
}();

const char* TLogLines::EndOfLine(const char* p) const {
  while (p < end_ && !IsLineEnd(*p)) {
    ++p;
  }
  return p;
}

TLogFileBlocks::TLogFileBlocks(const std::string& fileName, TBlockRead read)
    : fd_(OpenRegularFile(fileName)), read_(read ? std::move(read) : TBlockRead(ReadFromFile)) {
  struct stat status {};
  if (fstat(fd_, &status) == 0) {
    size_ = static_cast<std::uint64_t>(status.st_size);
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
  }
  skipLineFeed_ = skipLineFeed_ && n == 0;
  end_ += static_cast<std::size_t>(n);
  return n > 0;
}

// A line longer than a block would make the buffer grow without bound; its
// first MaxLogLineLength + 1 bytes tell all the loader needs (its text and
// that it is too long).
void TLogFileBlocks::KeepOnlyTheStartOfALongLine() { end_ = std::min(end_, begin_ + MaxLogLineLength + 1); }

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
  if (!finished_) {
    while (stop > begin_ && !IsLineEnd(data[stop - 1])) {
      --stop;
    }
    if (stop == begin_) {
      lines = {};
      return false;
    }
    // The LF that may follow a CR arrives with the next read.
    skipLineFeed_ = data[stop - 1] == '\r';
  }
  buffer_[end_] = '\0';
  lines = {data + begin_, stop - begin_};
  begin_ = stop;
  return true;
}

bool TLogLineReader::NextLine(TLogLine& line) {
  std::string_view run;
  while (!lines_.Next(line)) {
    if (!blocks_.Next(run)) {
      return false;
    }
    lines_ = TLogLines(run);
  }
  return true;
}
