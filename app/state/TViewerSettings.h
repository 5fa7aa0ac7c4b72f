#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The viewer's modes and preferences, remembered across runs in one file of
// "name=value" lines. A value's backslashes and line breaks are written as
// "\\", "\n" and "\r" (a backslash before any other character stands for
// itself). A write keeps every line it does not change as it was (names of
// another version, comments), and the settings this viewer did not change
// as the file holds them then, so that viewers running side by side keep
// each other's changes.
class TViewerSettings {
public:
  // Far more than any settings file holds; a larger file is neither read
  // nor replaced.
  static constexpr std::size_t LongestFile = std::size_t{1} << 20;

  // Kept in the file at `path`; an empty path keeps them for this run only.
  explicit TViewerSettings(std::string path = "") : path_(std::move(path)) {}

  // "settings" in the user's configuration folder.
  static std::string UserPath();

  const std::string& Path() const { return path_; }

  // The file's settings; a file that is missing or no regular file gives
  // none, so every setting keeps its default. A file larger than
  // LongestFile gives none too, and raises FileException saying so.
  void Read();
  // Replaces the file by one with the settings, through a temporary file in
  // the same folder, creating the folder; raises FileException naming the
  // file and the reason when it cannot be written, and then leaves the file
  // as it was. A file the user made read-only is not replaced.
  void Write();

  bool Flag(const std::string& name) const;
  // Whether the value changed.
  bool SetFlag(const std::string& name, bool on);
  // A whole number, or none when the file gives none that fits an int.
  std::optional<int> Number(const std::string& name) const;
  bool SetNumber(const std::string& name, int number);
  // A text, line breaks and all; "" when the file gives none.
  std::string Text(const std::string& name) const;
  // Whether the value changed.
  bool SetText(const std::string& name, const std::string& text);

  // A list of at most `capacity` texts, newest first, kept as "name-0",
  // "name-1"...
  std::vector<std::string> List(const std::string& name, std::size_t capacity) const;
  // Moves or adds the text to the front of the list; whether the list
  // changed. A write merges the list with the file's: the texts put first
  // here since the last write, newest first, then the file's ones not among
  // them, up to the capacity.
  bool PutFirst(const std::string& name, const std::string& text, std::size_t capacity);

private:
  struct TListChange {
    std::size_t Capacity = 0;
    std::vector<std::string> PutFirst;  // newest first
  };

  bool Set(const std::string& name, const std::string& value);
  void StoreList(const std::string& name, const std::vector<std::string>& texts, std::size_t capacity);
  void MergeLists(const std::map<std::string, std::string>& fileValues);

  std::string path_;
  std::map<std::string, std::string> values_;
  // The names set since the last write: a write takes every other value
  // from the file as it is then.
  std::set<std::string> changed_;
  std::map<std::string, TListChange> listChanges_;
};
