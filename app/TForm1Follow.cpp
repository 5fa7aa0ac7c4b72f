// Following growing logs: what a log gains is read from where its last read
// ended and appended to its pane, so a step costs what the new lines cost,
// however long the log has grown.
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <utility>

#include "app/TForm1.h"
#include "runtime/Exception.h"
#include "runtime/ScopedRestore.h"

namespace {

// Whether the file is there; raises FileException when it cannot be looked
// at, which ends following it.
bool FollowedFileExists(const std::string& fileName) {
  struct stat status {};
  if (stat(fileName.c_str(), &status) == 0) {
    return true;
  }
  const int error = errno;
  if (error == ENOENT) {
    return false;
  }
  FileException failure("Cannot follow '" + fileName + "': " + std::strerror(error));
  failure.Details = "File: " + fileName;
  throw failure;
}

[[noreturn]] void RaiseDeleted(const std::string& fileName) {
  FileException failure("'" + fileName + "' was deleted; the pane no longer follows it");
  failure.Details = "File: " + fileName;
  throw failure;
}

// Whether the last byte read ends a line: a load that took a last line
// without its line end stops past it, where a follow cannot continue.
bool AtLineStart(const TLoadedFile& read) {
  return read.Tail.empty() || read.Tail.back() == '\n' || read.Tail.back() == '\r';
}

// The continuation's result added to the load's: where the next one starts
// and how the log ended.
void Continue(TLoadResult& load, const TLoadResult& more) {
  load.End = more.End;
  load.SamplesAppended += more.SamplesAppended;
  if (more.Title) {
    load.Title = more.Title;
  }
  load.Next = more.Next;
  load.Message = more.Message;
  load.Errno = more.Errno;
  load.File = more.File;
}

}  // namespace

void TForm1::SetFollowing(bool on) {
  if (on == Following()) {
    return;
  }
  settings_.SetFlag(kFollowSetting, on);
  if (on) {
    StartFollowing();
  } else if (watcher_) {
    // Kept: the switch may come from within one of its notifications.
    watcher_->Watch({});
  }
  WriteSettings();
}

// A pane whose load took a last line without its line end loads again
// without it, so that the rest of the line is not taken for a sample.
void TForm1::StartFollowing() {
  if (!Following()) {
    return;
  }
  if (!watcher_) {
    watcher_ = std::make_unique<FileWatcher>();
    watcher_->OnChange = [this] { RunReported([this] { FollowLogs(); }); };
  }
  std::vector<std::pair<std::uint8_t, std::string>> unfinished;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (followed_[pane].Active && !AtLineStart(lastLoads_[pane].File)) {
      unfinished.emplace_back(pane, paneLogs_[pane].FileName);
    }
  }
  std::vector<std::exception_ptr> errors = OpenPaneLogs(unfinished);
  WatchFollowedFiles();
  ReportAll(errors);
  FollowLogs();
}

// Only a log read to its end is followed: one that stopped says why.
void TForm1::NoteFollowedFile(std::uint8_t pane) {
  followed_[pane] = {lastLoads_[pane].End == TLoadEnd::EndOfFile, std::nullopt};
  if (watcher_ && Following()) {
    WatchFollowedFiles();
  }
}

void TForm1::WatchFollowedFiles() {
  std::vector<std::string> fileNames;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (followed_[pane].Active) {
      fileNames.push_back(paneLogs_[pane].FileName);
    }
  }
  watcher_->Watch(fileNames);
}

// The messages wait until every pane had its step, as when opening logs.
void TForm1::FollowLogs() {
  if (!Following() || loading_) {
    return;
  }
  std::vector<std::exception_ptr> errors;
  bool changed = false;
  {
    const ScopedRestore<bool> stepping(loading_, true);
    for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
      try {
        changed = FollowPane(pane) || changed;
      } catch (...) {
        changed = true;
        errors.push_back(std::current_exception());
      }
    }
  }
  if (changed) {
    WatchFollowedFiles();
    ShowPaneLogs();
    AlignLockedPanes();
  }
  ReportAll(errors);
}

// Whether the pane changed. Only the file the pane's log was read from,
// with the bytes read unchanged, is continued; any other file of its name
// loads again from its start. A file missing for longer than the grace
// was deleted. Any error ends following the pane.
bool TForm1::FollowPane(std::uint8_t pane) {
  TFollowedFile& followed = followed_[pane];
  if (!followed.Active) {
    return false;
  }
  const std::string& fileName = paneLogs_[pane].FileName;
  // Until the step succeeds: a failing step is reported once, not at every
  // notification after it.
  const auto missingSince = std::exchange(followed, {}).MissingSince;
  if (!FollowedFileExists(fileName)) {
    const auto now = std::chrono::steady_clock::now();
    if (missingSince && now - *missingSince >= FollowedMissingGrace) {
      RaiseDeleted(fileName);
    }
    followed = {true, missingSince.value_or(now)};
    return false;
  }
  TLoadOptions options = LoadOptions(pane);
  options.Start = lastLoads_[pane].Next;
  LogLoader loader(fileName, options);
  switch (loader.Compare(lastLoads_[pane].File)) {
    case TFileState::Unchanged: followed.Active = true; return false;
    case TFileState::Grown: ContinuePaneLog(pane, loader); return true;
    case TFileState::Other: break;
  }
  OpenLog(pane, fileName);
  return true;
}

void TForm1::ContinuePaneLog(std::uint8_t pane, LogLoader& loader) {
  TChartSeries& series = PaneSeries(pane);
  const int before = series.PointCount();
  const TLoadResult more = loader.Load(series, clBlue, {});
  Continue(lastLoads_[pane], more);
  followed_[pane].Active = more.End == TLoadEnd::EndOfFile;
  MoveViewWithSamples(pane, before);
  EndLoad(pane);
}

// A pane at automatic scaling takes in the new samples by itself; a view
// that ended at the last sample moves on with the log, keeping its width;
// a view of an earlier stretch stays.
void TForm1::MoveViewWithSamples(std::uint8_t pane, int pointsBefore) {
  TChart& chart = PaneChart(pane);
  const TChartSeries& series = PaneSeries(pane);
  if (pointsBefore == 0 || series.PointCount() == pointsBefore || chart.BottomAxis().Automatic()) {
    return;
  }
  const double lastBefore = series.XValueAt(pointsBefore - 1);
  if (chart.BottomAxis().Maximum() < lastBefore) {
    return;
  }
  const double shift = series.XValueAt(series.PointCount() - 1) - lastBefore;
  for (TChartAxis* axis : {&chart.TopAxis(), &chart.BottomAxis()}) {
    axis->SetAxisRange(axis->Minimum() + shift, axis->Maximum() + shift);
  }
}
