#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// At most `limit` bytes of the open file `fd` from `offset` on; fewer at its
// end or where a read fails.
std::string ReadFileAt(int fd, std::uint64_t offset, std::size_t limit);

// A regular file open for reading, closed with the object. Anything else
// is not opened: a pipe might block, a device never end.
class TRegularFileReader {
public:
  // Opens without ever blocking.
  explicit TRegularFileReader(const std::string& path);
  ~TRegularFileReader();
  TRegularFileReader(const TRegularFileReader&) = delete;
  TRegularFileReader& operator=(const TRegularFileReader&) = delete;

  // False for a file that is not there, cannot be opened or is no regular file.
  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  std::string ReadAt(std::uint64_t offset, std::size_t limit) const { return ReadFileAt(fd_, offset, limit); }

private:
  int fd_;
};

// At most `limit` bytes of a regular file from `offset` on (fewer at its
// end, or where a read fails); none for anything else, which might block (a
// pipe) or never end (a device), and for a file that cannot be opened.
std::optional<std::string> ReadRegularFileAt(const std::string& path, std::uint64_t offset, std::size_t limit);

inline std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
  return ReadRegularFileAt(path, 0, limit);
}
