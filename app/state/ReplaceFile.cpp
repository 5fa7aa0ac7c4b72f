#include "app/state/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "runtime/Exception.h"

namespace {

[[noreturn]] void RaiseWriteError(const std::string& failure, const std::string& path, const std::string& reason) {
  throw FileException(failure + " '" + path + "': " + reason);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool WritePieces(int fd, const TTextPieces& pieces) {
  for (std::string_view piece = pieces(); !piece.empty(); piece = pieces()) {
    if (!WriteAll(fd, piece)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<mode_t> WritableFileMode(const std::string& path, const std::string& failure) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    return std::nullopt;
  }
  if (S_ISREG(status.st_mode) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    RaiseWriteError(failure, path, "the file is read-only");
  }
  return status.st_mode & 07777;
}

// The umask can only be read by setting it: it is put back at once, on the
// window's thread, which is the one that makes files.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void ReplaceFile(const std::string& path, const TTextPieces& pieces, std::optional<mode_t> mode,
                 const std::string& failure) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    RaiseWriteError(failure, path, std::strerror(errno));
  }
  bool written = false;
  try {
    written = WritePieces(fd, pieces);
  } catch (...) {
    close(fd);
    unlink(temporary.c_str());
    throw;
  }
  std::string reason;
  if (!written || (mode && fchmod(fd, *mode) != 0) || fsync(fd) != 0) {
    reason = std::strerror(errno);
  }
  if (close(fd) != 0 && reason.empty()) {
    reason = std::strerror(errno);
  }
  if (reason.empty() && std::rename(temporary.c_str(), path.c_str()) != 0) {
    reason = std::strerror(errno);
  }
  if (!reason.empty()) {
    unlink(temporary.c_str());
    RaiseWriteError(failure, path, reason);
  }
}

void ReplaceFile(const std::string& path, std::string_view text, std::optional<mode_t> mode,
                 const std::string& failure) {
  const TTextPieces pieces = [&text] { return std::exchange(text, {}); };
  ReplaceFile(path, pieces, mode, failure);
}
