#include "app/state/TViewerSettings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "app/state/ConfigFolder.h"
#include "app/state/ReplaceFile.h"
#include "log/RegularFile.h"
#include "runtime/Exception.h"

namespace {

constexpr const char* kOn = "on";
constexpr const char* kOff = "off";
constexpr const char* kTooLarge = "the file is larger than 1 MiB, far more than settings hold";
static_assert(TViewerSettings::LongestFile == 1 << 20, "the message names the limit");

constexpr const char* kWriteFailure = "Cannot write the settings";

[[noreturn]] void RaiseWriteError(const std::string& path, const std::string& reason) {
  throw FileException(std::string(kWriteFailure) + " '" + path + "': " + reason);
}

std::string Escaped(std::string_view value) {
  std::string out;
  for (const char c : value) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The lines as they are, each without its LF; a CR before it stays.
std::vector<std::string> FileLines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::optional<std::string> NameOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || equals == 0) {
    return std::nullopt;
  }
  return std::string(line.substr(0, equals));
}

// A later line of the same name wins, as it always has; a CR LF line end
// (a file edited elsewhere) is no part of the value.
std::map<std::string, std::string> ValuesOf(const std::vector<std::string>& lines) {
  std::map<std::string, std::string> values;
  for (std::string_view line : lines) {
    if (const std::optional<std::string> name = NameOf(line)) {
      if (line.ends_with('\r')) {
        line.remove_suffix(1);
      }
      values[*name] = Unescaped(line.substr(name->size() + 1));
    }
  }
  return values;
}

// The whole file; none when it is missing or no regular file. `failure`
// begins the message of a file too large.
std::optional<std::string> SettingsFileText(const std::string& path, const std::string& failure) {
  std::optional<std::string> text = ReadRegularFile(path, TViewerSettings::LongestFile + 1);
  if (text && text->size() > TViewerSettings::LongestFile) {
    throw FileException(failure + " the settings '" + path + "': " + kTooLarge);
  }
  return text;
}

std::string ListEntry(const std::string& name, std::size_t k) { return name + "-" + std::to_string(k); }

std::vector<std::string> ListIn(const std::map<std::string, std::string>& values, const std::string& name,
                                std::size_t capacity) {
  std::vector<std::string> texts;
  for (std::size_t k = 0; k < capacity; ++k) {
    if (const auto found = values.find(ListEntry(name, k)); found != values.end() && !found->second.empty()) {
      texts.push_back(found->second);
    }
  }
  return texts;
}

// The folder of the file, held locked while one viewer reads, merges and
// replaces the file, so that a second one merges with the first one's.
class TFolderLock {
public:
  TFolderLock(const std::string& folder, const std::string& path)
      : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) {
      RaiseWriteError(path, std::strerror(errno));
    }
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        const std::string reason = std::strerror(errno);
        close(fd_);
        RaiseWriteError(path, reason);
      }
    }
  }
  ~TFolderLock() { close(fd_); }
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  // Makes the rename last.
  void Sync(const std::string& path) const {
    if (fsync(fd_) != 0) {
      RaiseWriteError(path, std::strerror(errno));
    }
  }

private:
  int fd_;
};

}  // namespace

std::string TViewerSettings::UserPath() { return ConfigFolder() + "settings"; }

void TViewerSettings::Read() {
  values_.clear();
  changed_.clear();
  listChanges_.clear();
  if (path_.empty()) {
    return;
  }
  if (const std::optional<std::string> text = SettingsFileText(path_, "Cannot read")) {
    values_ = ValuesOf(FileLines(*text));
  }
}

void TViewerSettings::Write() {
  if (path_.empty()) {
    return;
  }
  const std::filesystem::path path(path_);
  const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    RaiseWriteError(path_, error.message());
  }
  const TFolderLock lock(folder, path_);
  const std::optional<mode_t> mode = WritableFileMode(path_, kWriteFailure);
  const std::vector<std::string> lines = FileLines(SettingsFileText(path_, "Cannot write").value_or(""));
  MergeLists(ValuesOf(lines));
  std::string text;
  std::set<std::string> written;
  for (const std::string& line : lines) {
    const std::optional<std::string> name = NameOf(line);
    if (!name || !changed_.contains(*name)) {
      text += line + '\n';
    } else if (written.insert(*name).second) {
      text += *name + '=' + Escaped(values_[*name]) + '\n';
    }  // a later copy of a changed name would win over it when read
  }
  for (const std::string& name : changed_) {
    if (!written.contains(name)) {
      text += name + '=' + Escaped(values_[name]) + '\n';
    }
  }
  ReplaceFile(path_, text, mode, kWriteFailure);
  lock.Sync(path_);
  changed_.clear();
  listChanges_.clear();
}

void TViewerSettings::MergeLists(const std::map<std::string, std::string>& fileValues) {
  for (const auto& [name, change] : listChanges_) {
    std::vector<std::string> merged = change.PutFirst;
    for (std::string& text : ListIn(fileValues, name, change.Capacity)) {
      if (std::find(merged.begin(), merged.end(), text) == merged.end()) {
        merged.push_back(std::move(text));
      }
    }
    StoreList(name, merged, change.Capacity);
    // Written whole, whatever this viewer held, so that no entry of the
    // file's order is left between them.
    for (std::size_t k = 0; k < change.Capacity; ++k) {
      changed_.insert(ListEntry(name, k));
    }
  }
}

bool TViewerSettings::Flag(const std::string& name) const {
  const auto found = values_.find(name);
  return found != values_.end() && found->second == kOn;
}

bool TViewerSettings::SetFlag(const std::string& name, bool on) { return Set(name, on ? kOn : kOff); }

std::optional<int> TViewerSettings::Number(const std::string& name) const {
  const auto found = values_.find(name);
  if (found == values_.end()) {
    return std::nullopt;
  }
  const std::string& text = found->second;
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return number;
}

bool TViewerSettings::SetNumber(const std::string& name, int number) { return Set(name, std::to_string(number)); }

std::string TViewerSettings::Text(const std::string& name) const {
  const auto found = values_.find(name);
  return found == values_.end() ? "" : found->second;
}

bool TViewerSettings::SetText(const std::string& name, const std::string& text) { return Set(name, text); }

std::vector<std::string> TViewerSettings::List(const std::string& name, std::size_t capacity) const {
  return ListIn(values_, name, capacity);
}

bool TViewerSettings::PutFirst(const std::string& name, const std::string& text, std::size_t capacity) {
  TListChange& change = listChanges_[name];
  change.Capacity = capacity;
  std::erase(change.PutFirst, text);
  change.PutFirst.insert(change.PutFirst.begin(), text);
  std::vector<std::string> texts = List(name, capacity);
  const bool changed = texts.empty() || texts.front() != text;
  std::erase(texts, text);
  texts.insert(texts.begin(), text);
  StoreList(name, texts, capacity);
  return changed;
}

// Every entry up to the capacity, an empty one where the list is shorter,
// so that a shorter list leaves none of a longer one behind.
void TViewerSettings::StoreList(const std::string& name, const std::vector<std::string>& texts, std::size_t capacity) {
  for (std::size_t k = 0; k < capacity; ++k) {
    Set(ListEntry(name, k), k < texts.size() ? texts[k] : "");
  }
}

bool TViewerSettings::Set(const std::string& name, const std::string& value) {
  std::string& stored = values_[name];
  if (stored == value) {
    return false;
  }
  stored = value;
  changed_.insert(name);
  return true;
}
