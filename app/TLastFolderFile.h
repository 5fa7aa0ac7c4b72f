#pragma once

#include <optional>
#include <string>
#include <utility>

// The file "dir.dat" that remembers the folder last entered in the file
// dialog across runs: one path, no line end.
class TLastFolderFile {
public:
  explicit TLastFolderFile(std::string path) : path_(std::move(path)) {}

  // The file's path in `folder`, which ends with "/" (or is empty for the
  // current folder).
  static std::string PathIn(const std::string& folder);
  // The folder part of a program path: up to and including its last "/".
  static std::string FolderOf(const std::string& programPath);

  // The remembered folder: the whole first line without its line end; none
  // when the file is missing, unreadable or holds no text.
  std::optional<std::string> Read() const;
  // Replaces the file's content by `folder`; a file that cannot be written
  // is left as it is, silently.
  void Write(const std::string& folder) const;

private:
  std::string path_;
};
