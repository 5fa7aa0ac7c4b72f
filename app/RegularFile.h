#pragma once

#include <cstddef>
#include <optional>
#include <string>

// At most `limit` bytes of a regular file; none for anything else, which
// might block (a pipe) or never end (a device), and for a file that cannot
// be opened.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit);
