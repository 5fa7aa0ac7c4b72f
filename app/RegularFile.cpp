#include "app/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

std::optional<std::string> ReadRegularFileAt(const std::string& path, std::uint64_t offset, std::size_t limit) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    return std::nullopt;
  }
  struct stat status {};
  std::optional<std::string> bytes;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    bytes.emplace(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
      const ssize_t n = pread(fd, bytes->data() + filled, limit - filled, static_cast<off_t>(offset + filled));
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        break;
      }
      filled += static_cast<std::size_t>(n);
    }
    bytes->resize(filled);
  }
  close(fd);
  return bytes;
}
