#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

// The viewer's modes and preferences, remembered across runs in one file of
// "name=value" lines. Names it does not know are kept as they are, so an
// older viewer leaves a newer one's settings alone.
class TViewerSettings {
public:
  // Kept in the file at `path`; an empty path keeps them for this run only.
  explicit TViewerSettings(std::string path = "") : path_(std::move(path)) {}

  // "settings" in the user's configuration folder.
  static std::string UserPath();

  const std::string& Path() const { return path_; }

  // The file's settings; a file that is missing, unreadable or no regular
  // file gives none, so every setting keeps its default.
  void Read();
  // Replaces the file by the settings, creating its folder; raises
  // FileException naming the file and the reason when it cannot be written,
  // and leaves the file as it was then.
  void Write() const;

  bool Flag(const std::string& name) const;
  // Whether the value changed.
  bool SetFlag(const std::string& name, bool on);
  // A whole number, or none when the file gives none that fits an int.
  std::optional<int> Number(const std::string& name) const;
  bool SetNumber(const std::string& name, int number);
  // A text of one line; "" when the file gives none.
  std::string Text(const std::string& name) const;
  // Whether the value changed; a text with a line break is not kept.
  bool SetText(const std::string& name, const std::string& text);

private:
  bool Set(const std::string& name, const std::string& value);

  std::string path_;
  std::map<std::string, std::string> values_;
};
