#include "app/state/TSavedState.h"

#include <array>
#include <string>
#include <utility>

#include "log/TStampTimes.h"
#include "runtime/Exception.h"
#include "runtime/NumberFormat.h"

namespace {

std::string LastLogSetting(std::size_t pane) { return "last-log-" + std::to_string(pane); }

// A file name holds any byte but a line break, which the settings escape;
// an "=" would end the setting's name, so the name carries it as "%3D"
// (and "%" as "%25").
std::string OffsetSetting(const std::string& fileName) {
  std::string name = "log-offset-";
  for (const char c : fileName) {
    name += c == '=' ? std::string("%3D") : c == '%' ? std::string("%25") : std::string(1, c);
  }
  return name;
}

constexpr std::array<std::pair<TLockMode, const char*>, 3> kLockWords{
    {{TLockMode::Time, "time"}, {TLockMode::Samples, "samples"}, {TLockMode::PixelColumns, "pixels"}}};

}  // namespace

// A file that is not read is said, and then not replaced either.
// The user's own settings lock by time where the logs allow; a state kept
// for this run only (the snapshot tool's, the tests') stays as first built.
void TSavedState::Read() {
  if (!settings_.Path().empty()) {
    defaultLock_ = TLockMode::Time;
  }
  try {
    settings_.Read();
  } catch (const Exception&) {
    errorSaid_ = true;
    throw;
  }
}

void TSavedState::Write() {
  try {
    settings_.Write();
  } catch (const Exception&) {
    if (!std::exchange(errorSaid_, true)) {
      throw;
    }
  }
}

TLockMode TSavedState::LockMode() const {
  const std::string word = settings_.Text(kLockMode);
  for (const auto& [mode, name] : kLockWords) {
    if (word == name) {
      return mode;
    }
  }
  if (!settings_.Text(kLockedToSamples).empty()) {
    return settings_.Flag(kLockedToSamples) ? TLockMode::Samples : TLockMode::PixelColumns;
  }
  return defaultLock_;
}

void TSavedState::SetLockMode(TLockMode mode) {
  for (const auto& [each, name] : kLockWords) {
    if (each == mode) {
      settings_.SetText(kLockMode, name);
    }
  }
}

double TSavedState::LogOffset(const std::string& fileName) const {
  // Written with "." whatever the locale, and read back exactly.
  const std::optional<TStamp> offset = ParseStamp(settings_.Text(OffsetSetting(fileName)));
  return offset ? StampSeconds(*offset) : 0;
}

void TSavedState::SetLogOffset(const std::string& fileName, double seconds) {
  if (settings_.SetText(OffsetSetting(fileName), seconds == 0 ? "" : ShortestNumberText(seconds, '.'))) {
    Write();
  }
}

std::vector<std::string> TSavedState::RecentLogs() const { return settings_.List(kRecentList, RecentLogCount); }

void TSavedState::NoteRecentLog(const std::string& fileName) {
  if (settings_.PutFirst(kRecentList, fileName, RecentLogCount)) {
    Write();
  }
}

TSavedState::TPaneFiles TSavedState::LastLogs() const {
  TPaneFiles logs;
  for (std::size_t pane = 0; pane < PaneCount; ++pane) {
    logs[pane] = settings_.Text(LastLogSetting(pane));
  }
  return logs;
}

// A size the file does not give leaves the start size.
std::optional<TWindowPlacement> TSavedState::Placement() const {
  const std::optional<int> width = settings_.Number(kWidth);
  const std::optional<int> height = settings_.Number(kHeight);
  if (!width || !height) {
    return std::nullopt;
  }
  return TWindowPlacement{*width, *height, settings_.Flag(kMaximized)};
}

// Kept when the window closes: a resize drag would write the size at every
// step.
void TSavedState::StoreSession(const TPaneFiles& logs, const TWindowPlacement& placement) {
  bool changed = false;
  for (std::size_t pane = 0; pane < PaneCount; ++pane) {
    changed = settings_.SetText(LastLogSetting(pane), logs[pane]) || changed;
  }
  changed = settings_.SetNumber(kWidth, placement.ClientWidth) || changed;
  changed = settings_.SetNumber(kHeight, placement.ClientHeight) || changed;
  changed = settings_.SetFlag(kMaximized, placement.Maximized) || changed;
  if (changed) {
    Write();
  }
}
