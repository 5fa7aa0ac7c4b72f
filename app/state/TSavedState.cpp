#include "app/state/TSavedState.h"

#include <utility>

#include "runtime/Exception.h"

namespace {

std::string LastLogSetting(std::size_t pane) { return "last-log-" + std::to_string(pane); }

}  // namespace

// A file that is not read is said, and then not replaced either.
void TSavedState::Read() {
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
