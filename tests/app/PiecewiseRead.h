#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>

#include "log/TLogFileBlocks.h"

// Reads the file's bytes in pieces of at most `chunk` bytes and fails with
// `error` once `failAfter` bytes were delivered.
inline TBlockRead PiecewiseRead(std::size_t chunk, std::size_t failAfter = SIZE_MAX, int error = EIO) {
  auto delivered = std::make_shared<std::size_t>(0);
  return [=](int fd, char* buffer, std::size_t size) -> ssize_t {
    if (*delivered >= failAfter) {
      errno = error;
      return -1;
    }
    const ssize_t n = read(fd, buffer, std::min({size, chunk, failAfter - *delivered}));
    *delivered += static_cast<std::size_t>(std::max<ssize_t>(n, 0));
    return n;
  };
}
