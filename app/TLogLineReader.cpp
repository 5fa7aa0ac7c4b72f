#include "app/TLogLineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "runtime/Exception.h"

namespace {

constexpr char kEndOfFileByte = 0x1A;

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

// The bytes that end the plain scan: the line ends, the end-of-file byte,
// and the NUL that also marks the buffer's end.
const std::array<bool, 256> TLogLineReader::kStopByte = [] {
  std::array<bool, 256> stop{};
  stop['\n'] = stop['\r'] = stop['\0'] = stop[kEndOfFileByte] = true;
  return stop;
}();

TLogLineReader::TLogLineReader(const std::string& fileName, TBlockRead read)
    : fd_(OpenRegularFile(fileName)), read_(read ? std::move(read) : TBlockRead(ReadFromFile)) {
  buffer_[0] = '\0';
  pos_ = end_ = buffer_.data();
}

TLogLineReader::~TLogLineReader() { close(fd_); }

bool TLogLineReader::Refill() {
  if (finished_) {
    return false;
  }
  ssize_t n;
  do {
    n = read_(fd_, buffer_.data(), kBlockSize);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    readError_ = errno;
  }
  if (n <= 0) {
    finished_ = true;
    n = 0;
  }
  end_ = buffer_.data() + n;
  *end_ = '\0';
  pos_ = buffer_.data();
  return n > 0;
}

// A CR ends its line; an LF right after it belongs to the same line end,
// also when it arrives with the next block.
void TLogLineReader::SkipLineFeedAfterCarriageReturn() {
  if (pos_ == end_ && !Refill()) {
    return;
  }
  if (*pos_ == '\n') {
    ++pos_;
  }
}

// Byte by byte, for lines that cross the buffer's end or hold a lone CR, a
// NUL, a 0x1A or too many characters.
bool TLogLineReader::NextLineSlowly(TLogLine& line) {
  line_.clear();
  bool truncated = false;
  bool readSomething = false;
  bool cut = false;
  while (true) {
    if (pos_ == end_ && !Refill()) {
      break;
    }
    const char c = *pos_++;
    if (c == '\n') {
      readSomething = true;
      break;
    }
    if (c == '\r') {
      readSomething = true;
      SkipLineFeedAfterCarriageReturn();
      break;
    }
    if (c == kEndOfFileByte) {
      finished_ = true;
      pos_ = end_;
      break;
    }
    readSomething = true;
    // The text ends at a NUL, as the line's characters are a C string.
    cut = cut || c == '\0';
    if (cut) {
      continue;
    }
    if (line_.size() < MaxLogLineLength) {
      line_.push_back(c);
    } else {
      truncated = true;
    }
  }
  line = {line_, truncated};
  return readSomething && readError_ == 0;
}
