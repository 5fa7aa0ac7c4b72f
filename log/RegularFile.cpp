#include "log/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

int OpenRegular(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    return fd;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::string ReadFileAt(int fd, std::uint64_t offset, std::size_t limit) {
  std::string bytes(limit, '\0');
  std::size_t filled = 0;
  while (filled < limit) {
    const ssize_t n = pread(fd, bytes.data() + filled, limit - filled, static_cast<off_t>(offset + filled));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      break;
    }
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  return bytes;
}

TRegularFileReader::TRegularFileReader(const std::string& path) : fd_(OpenRegular(path)) {}

TRegularFileReader::~TRegularFileReader() {
  if (fd_ >= 0) {
    close(fd_);
  }
}

std::optional<std::string> ReadRegularFileAt(const std::string& path, std::uint64_t offset, std::size_t limit) {
  const TRegularFileReader file(path);
  if (!file.IsOpen()) {
    return std::nullopt;
  }
  return file.ReadAt(offset, limit);
}
