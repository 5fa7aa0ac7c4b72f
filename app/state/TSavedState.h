#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/state/TViewerSettings.h"
#include "gui/FormWindow.h"

// What the viewer keeps from run to run in its settings file: the modes,
// the recent logs, the logs in the panes when the window closed, and the
// window's size. A mode holds for this run even when it cannot be
// remembered; a file that cannot be read or written is said once, not at
// every change.
class TSavedState {
public:
  static constexpr std::size_t RecentLogCount = 10;
  static constexpr std::size_t PaneCount = 4;
  using TPaneFiles = std::array<std::string, PaneCount>;

  // Kept in the file at `path`; an empty path keeps them for this run only.
  explicit TSavedState(std::string path = "") : settings_(std::move(path)) {}

  // The file's settings; raises FileException when it cannot be read, and
  // then leaves it as it is.
  void Read();
  // Raises FileException the first time the file cannot be written (or was
  // not read); later failures are not said again.
  void Write();

  // While locked, a zoom or pan of one pane gives every pane its
  // horizontal range in sample numbers.
  bool Locked() const { return settings_.Flag(kLocked); }
  bool SampleAxisShown() const { return settings_.Flag(kSampleAxis); }
  bool Following() const { return settings_.Flag(kFollow); }
  // The value axes span the samples shown rather than the whole logs.
  bool FitValues() const { return settings_.Flag(kFitValues); }
  // Copied and saved pictures are the window's alone: no markers,
  // statistics or caption.
  bool PlainPicture() const { return settings_.Flag(kPlainPicture); }
  // Sensor words are marks along the pane's bottom, not points of the curve.
  bool WordsAsMarks() const { return settings_.Flag(kWordsAsMarks); }
  // A log's bad lines become gaps rather than stop its load.
  bool SkipBadLines() const { return settings_.Flag(kSkipBadLines); }
  // The value table beside the panes is shown.
  bool LegendShown() const { return settings_.Flag(kLegend); }
  // Each pane's curve has a colour of its own rather than the one colour.
  bool DistinctColors() const { return settings_.Flag(kDistinctColors); }
  // The mode is kept at once; Write remembers it, so that a mode takes
  // effect before a failing write is said.
  void SetLocked(bool on) { settings_.SetFlag(kLocked, on); }
  void SetSampleAxisShown(bool on) { settings_.SetFlag(kSampleAxis, on); }
  void SetFollowing(bool on) { settings_.SetFlag(kFollow, on); }
  void SetFitValues(bool on) { settings_.SetFlag(kFitValues, on); }
  void SetPlainPicture(bool on) { settings_.SetFlag(kPlainPicture, on); }
  void SetWordsAsMarks(bool on) { settings_.SetFlag(kWordsAsMarks, on); }
  void SetSkipBadLines(bool on) { settings_.SetFlag(kSkipBadLines, on); }
  void SetLegendShown(bool on) { settings_.SetFlag(kLegend, on); }
  void SetDistinctColors(bool on) { settings_.SetFlag(kDistinctColors, on); }

  // Newest first, at most RecentLogCount.
  std::vector<std::string> RecentLogs() const;
  // Moves or adds the log to the front, written at once.
  void NoteRecentLog(const std::string& fileName);

  // The logs in the panes when the window last closed ("" for none).
  TPaneFiles LastLogs() const;
  // The size to start at, when the file gives one.
  std::optional<TWindowPlacement> Placement() const;
  // The window closes: its logs and size, written when they changed.
  void StoreSession(const TPaneFiles& logs, const TWindowPlacement& placement);

private:
  static constexpr const char* kLocked = "lock-to-samples";
  static constexpr const char* kSampleAxis = "sample-axis";
  static constexpr const char* kFollow = "follow";
  static constexpr const char* kFitValues = "fit-values";
  static constexpr const char* kPlainPicture = "plain-picture";
  static constexpr const char* kSkipBadLines = "skip-bad-lines";
  static constexpr const char* kWordsAsMarks = "words-as-marks";
  static constexpr const char* kLegend = "legend";
  static constexpr const char* kDistinctColors = "distinct-colours";
  static constexpr const char* kWidth = "window-width";
  static constexpr const char* kHeight = "window-height";
  static constexpr const char* kMaximized = "window-maximized";
  static constexpr const char* kRecentList = "recent";

  TViewerSettings settings_;
  bool errorSaid_ = false;
};
