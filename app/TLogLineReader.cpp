#include "app/TLogLineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

constexpr char kEndOfFileByte = 0x1A;

}  // namespace

// The bytes that end the plain scan: the line end, the bytes text mode
// treats specially, and the NUL that also marks the buffer's end.
const std::array<bool, 256> TLogLineReader::kStopByte = [] {
  std::array<bool, 256> stop{};
  stop['\n'] = stop['\r'] = stop['\0'] = stop[kEndOfFileByte] = true;
  return stop;
}();

TLogLineReader::TLogLineReader(const std::string& fileName) {
  buffer_[0] = '\0';
  pos_ = end_ = buffer_.data();
  const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  struct stat status;
  if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    close(fd);
    return;
  }
  fd_ = fd;
}

TLogLineReader::~TLogLineReader() {
  if (fd_ >= 0) {
    close(fd_);
  }
}

bool TLogLineReader::Refill() {
  if (finished_ || fd_ < 0) {
    return false;
  }
  ssize_t n;
  do {
    n = read(fd_, buffer_.data(), kBlockSize);
  } while (n < 0 && errno == EINTR);
  if (n <= 0) {
    finished_ = true;
    n = 0;
  }
  end_ = buffer_.data() + n;
  *end_ = '\0';
  pos_ = buffer_.data();
  return n > 0;
}

// Byte by byte, for lines that cross the buffer's end or hold a CR, a NUL,
// a 0x1A or too many characters.
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
    if (c == kEndOfFileByte) {
      finished_ = true;
      pos_ = end_;
      break;
    }
    if (c == '\r') {
      continue;
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
  return readSomething;
}
