#pragma once

#include <optional>
#include <string>
#include <utility>

// The file "dir.dat" that remembers the folder last entered in the file
// dialog across runs: one path, no line end.
class TLastFolderFile {
public:
  // The longest path the system carries; more of the file is never read.
  static constexpr std::size_t LongestPath = 4096;

  explicit TLastFolderFile(std::string path) : path_(std::move(path)) {}

  // The file's path in `folder`, which ends with "/" (or is empty for the
  // current folder).
  static std::string PathIn(const std::string& folder);
  // The folder part of a program path: up to and including its last "/".
  static std::string FolderOf(const std::string& programPath);
  // Where a program keeps the file: beside itself when its folder can be
  // written and it is not installed under a prefix (its desktop entry in
  // PREFIX/share/applications beside PREFIX/bin), else in ConfigFolder(),
  // which is created then. An installed program run by root thus never
  // writes into the program folder.
  static std::string FolderFor(const std::string& programPath);

  // The remembered folder: the first line without its line end, read from
  // at most LongestPath bytes of a regular file; none when the file is
  // missing, unreadable, no regular file or holds no text.
  std::optional<std::string> Read() const;
  // Replaces the file's content by `folder`; a file that cannot be written,
  // or is no regular file, is left as it is, silently.
  void Write(const std::string& folder) const;

private:
  std::string path_;
};
