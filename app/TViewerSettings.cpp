#include "app/TViewerSettings.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/ConfigFolder.h"
#include "app/RegularFile.h"
#include "runtime/Exception.h"
#include "runtime/TextLines.h"

namespace {

// Far more than any settings file holds; a larger file is read in part.
constexpr std::size_t kLongestFile = 1 << 16;

constexpr const char* kOn = "on";
constexpr const char* kOff = "off";

[[noreturn]] void RaiseWriteError(const std::string& path, const std::string& reason) {
  throw FileException("Cannot write the settings '" + path + "': " + reason);
}

}  // namespace

std::string TViewerSettings::UserPath() { return ConfigFolder() + "settings"; }

void TViewerSettings::Read() {
  values_.clear();
  if (path_.empty()) {
    return;
  }
  const std::optional<std::string> text = ReadRegularFile(path_, kLongestFile);
  if (!text) {
    return;
  }
  for (const std::string& line : SplitLines(*text, TLineBreak::AnyNewline)) {
    if (const std::size_t equals = line.find('='); equals != std::string::npos && equals > 0) {
      values_[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
}

// Written beside the file and renamed over it, so that a failed write never
// leaves half a file.
void TViewerSettings::Write() const {
  if (path_.empty()) {
    return;
  }
  const std::filesystem::path path(path_);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (error) {
    RaiseWriteError(path_, error.message());
  }
  const std::string temporary = path_ + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& [name, value] : values_) {
      out << name << '=' << value << '\n';
    }
    out.flush();
    if (!out) {
      const std::string reason = std::strerror(errno);
      std::remove(temporary.c_str());
      RaiseWriteError(path_, reason);
    }
  }
  if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    std::remove(temporary.c_str());
    RaiseWriteError(path_, reason);
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

bool TViewerSettings::SetText(const std::string& name, const std::string& text) {
  if (text.find_first_of("\r\n") != std::string::npos) {
    return false;
  }
  return Set(name, text);
}

bool TViewerSettings::Set(const std::string& name, const std::string& value) {
  std::string& stored = values_[name];
  if (stored == value) {
    return false;
  }
  stored = value;
  return true;
}
