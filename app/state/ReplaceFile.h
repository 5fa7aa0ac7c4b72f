#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A file's text given a piece at a time: the next piece, empty at the end.
using TTextPieces = std::function<std::string_view()>;

// The permissions of the file at `path`, for its replacement to keep; none
// when there is none. Raises FileException "<failure> '<path>': the file is
// read-only" for a regular file without any write permission: a user who
// took it away means it, although the folder would let the file be
// replaced.
std::optional<mode_t> WritableFileMode(const std::string& path, const std::string& failure);

// The permissions a program's new file gets: read and write for everyone,
// less the umask.
mode_t NewFileMode();

// Replaces the file at `path` by one holding the text: written to a file of
// its own beside it and renamed over it, so that a failed write never leaves
// half a file and two writers never share one. The new file gets `mode`
// (none: read and write for the owner only). Raises FileException
// "<failure> '<path>': <reason>" when it cannot be written, and then leaves
// the file as it was.
void ReplaceFile(const std::string& path, const TTextPieces& pieces, std::optional<mode_t> mode,
                 const std::string& failure);
void ReplaceFile(const std::string& path, std::string_view text, std::optional<mode_t> mode,
                 const std::string& failure);
