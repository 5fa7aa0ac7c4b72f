// What the window keeps from run to run besides its modes: the recent logs
// and the logs in the panes, and the keys that open, reload and close.
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "app/TForm1.h"
#include "gui/ContextMenu.h"
#include "gui/Keyboard.h"

namespace {

constexpr const char* kRecentList = "recent";
std::string LastLogSetting(std::uint8_t pane) { return "last-log-" + std::to_string(pane); }

bool Exists(const std::string& fileName) {
  struct stat status {};
  return stat(fileName.c_str(), &status) == 0;
}

}  // namespace

std::vector<std::string> TForm1::RecentLogs() const { return settings_.List(kRecentList, RecentLogCount); }

// Newest first; a log opened again moves to the front.
void TForm1::NoteRecentLog(const std::string& fileName) {
  if (settings_.PutFirst(kRecentList, fileName, RecentLogCount)) {
    WriteSettings();
  }
}

void TForm1::ShowRecentLogs(std::uint8_t pane, int x, int y) {
  const std::vector<std::string> logs = RecentLogs();
  std::vector<TMenuEntry> entries;
  entries.reserve(logs.size());
  for (const std::string& log : logs) {
    entries.push_back({log, "", false, false, Exists(log)});
  }
  if (entries.empty()) {
    entries.push_back({"No recent logs", "", false, false, false});
  }
  if (const std::optional<std::size_t> chosen = ShowContextMenu(PaneLogButton(pane), x, y, entries)) {
    OpenLog(pane, logs.at(*chosen));
  }
}

void TForm1::ReloadLogs() {
  std::vector<std::pair<std::uint8_t, std::string>> logs;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (!paneLogs_[pane].FileName.empty()) {
      logs.emplace_back(pane, paneLogs_[pane].FileName);
    }
  }
  ReportAll(OpenPaneLogs(logs));
}

void TForm1::ReopenLastLogs() {
  std::vector<std::pair<std::uint8_t, std::string>> logs;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (std::string log = settings_.Text(LastLogSetting(pane)); !log.empty()) {
      logs.emplace_back(pane, std::move(log));
    }
  }
  ReportAll(OpenPaneLogs(logs));
}

bool TForm1::StoreLastLogs() {
  bool changed = false;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    changed = settings_.SetText(LastLogSetting(pane), paneLogs_[pane].FileName) || changed;
  }
  return changed;
}

void TForm1::OpenLogOfPaneUnderMouse() {
  std::uint8_t pane = 0;
  if (readoutAt_) {
    pane = readoutAt_->Pane;
  } else {
    const auto empty =
        std::find_if(paneLogs_.begin(), paneLogs_.end(), [](const TPaneLog& log) { return log.FileName.empty(); });
    pane = empty == paneLogs_.end() ? 0 : static_cast<std::uint8_t>(empty - paneLogs_.begin());
  }
  LogButtonClick(pane);
}

// The keys that open, reload and close; false for any other key.
bool TForm1::SessionKeyDown(int key, TShiftState shift) {
  if (key == VK_F5 && shift == 0) {
    ReloadLogs();
  } else if (key == 'F' && shift == 0) {
    SetFollowing(!Following());
  } else if (key == 'O' && shift == ssCtrl) {
    OpenLogOfPaneUnderMouse();
  } else if (key == 'O' && shift == (ssCtrl | ssShift)) {
    ReopenLastLogs();
  } else if ((key == 'Q' || key == 'W') && shift == ssCtrl) {
    Close();
  } else {
    return false;
  }
  return true;
}
