#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// At most `limit` bytes of a regular file from `offset` on (fewer at its
// end, or where a read fails); none for anything else, which might block (a
// pipe) or never end (a device), and for a file that cannot be opened.
std::optional<std::string> ReadRegularFileAt(const std::string& path, std::uint64_t offset, std::size_t limit);

inline std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
  return ReadRegularFileAt(path, 0, limit);
}
