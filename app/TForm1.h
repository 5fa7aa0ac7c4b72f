#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CursorReadout.h"
#include "app/LogLoader.h"
#include "app/StretchStatistics.h"
#include "app/TBatchProgress.h"
#include "app/TLastFolderFile.h"
#include "app/TViewerSettings.h"
#include "chart/controls/TButtonColor.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/FileWatcher.h"
#include "gui/FormWindow.h"
#include "gui/PushButton.h"

class Exception;

// The viewer's only window: four stacked chart panes with a Log button each,
// the colour button and the two scrolling check boxes. Whatever escapes one
// of its event handlers is shown as an error message and the window carries
// on. It starts at, and cannot be made smaller than, ClientWidth x
// ClientHeight, or the screen's available area where that is smaller; at
// another size the controls follow the edges they belong to. The size and
// maximised state to remember are FormWindow's Placement, brought back
// with ApplyPlacement, and reported by OnPlacementChange.
class TForm1 : public FormWindow {
public:
  static constexpr int PaneCount = 4;
  static constexpr int ClientWidth = 794;
  static constexpr int ClientHeight = 584;

  // The window with "dir.dat" beside the running program and the user's
  // settings file.
  TForm1();
  // The window with "dir.dat" in `dirDatFolder` (ending with "/") and its
  // modes remembered in the settings file at `settingsPath` (none: for
  // this run only).
  explicit TForm1(const std::string& dirDatFolder, const std::string& settingsPath = "");

  // The log a pane shows and, when its load stopped before the end of the
  // file, where and why.
  struct TStop {
    std::optional<long long> Line;  // the bad line's number, the header being line 1
    std::string Reason;
  };
  struct TPaneLog {
    std::string FileName;
    std::optional<TStop> StoppedEarly;
  };
  const TPaneLog& PaneLog(std::uint8_t pane) const;
  // Which of the pane's points were sensor words, and their leading fields.
  const TLogNotes& PaneNotes(std::uint8_t pane) const { return notes_.at(pane); }
  // Takes the modes, window size and logs to remember from the settings
  // file at `settingsPath` (none: this run only) from now on.
  void UseSettings(const std::string& settingsPath);

  // The pane table: pane 0 is Chart1 at the top with Button1 beside it,
  // pane 3 Chart4 at the bottom with Button4. Raises EAssertionFailed for a
  // pane index above 3.
  TChart& PaneChart(std::uint8_t pane);
  TChartSeries& PaneSeries(std::uint8_t pane);
  PushButton& PaneLogButton(std::uint8_t pane);

  // Replaces the pane's curve and title by the log's. A file that cannot be
  // opened, or is no regular file, raises FileException and changes nothing;
  // a sample that is not a number raises EConvertError and a read error
  // FileException, both keeping the points before them.
  void LoadLog(std::uint8_t pane, const std::string& fileName);
  // How the pane's last load ended (nothing loaded yet: an empty result).
  const TLoadResult& LastLoad(std::uint8_t pane) const;
  // Loads the logs into the pane and the ones below it, in order, as the
  // Log buttons do; each failing log is reported and the others still load.
  // Logs beyond the last pane are named in a message.
  void OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames);

  // Event handlers.
  void FormCreate();
  void Button1Click() { LogButtonClick(0); }
  void Button2Click() { LogButtonClick(1); }
  void Button3Click() { LogButtonClick(2); }
  void Button4Click() { LogButtonClick(3); }
  void ButtonColor1Click();
  void CheckBox1Click();
  void CheckBox2Click();
  void OpenDialog1FolderChange();
  void Chart1MouseUp(TMouseButton button) { ChartMouseUp(0, button); }
  void Chart2MouseUp(TMouseButton button) { ChartMouseUp(1, button); }
  void Chart3MouseUp(TMouseButton button) { ChartMouseUp(2, button); }
  void Chart4MouseUp(TMouseButton button) { ChartMouseUp(3, button); }
  void Chart1UndoZoom() { ChartUndoZoom(0); }
  void Chart2UndoZoom() { ChartUndoZoom(1); }
  void Chart3UndoZoom() { ChartUndoZoom(2); }
  void Chart4UndoZoom() { ChartUndoZoom(3); }
  // Zooms the other panes to the pixel rectangle the source pane's drag left.
  void SyncZoom(std::uint8_t sourcePane);
  // Ctrl+C copies the window's picture, Ctrl+S saves it, Escape undoes the
  // zoom of every pane, L locks the panes to the same samples, X shows the
  // sample axis, F11 switches full screen on and off.
  void FormKeyDown(int key, TShiftState shift);
  // The panes' context menu, at (x, y) of the pane.
  void ShowPaneMenu(std::uint8_t pane, int x, int y);

  // While locked, a zoom or pan of one pane gives every pane its horizontal
  // range in sample numbers, and the readout stands at the same sample in
  // every pane.
  bool Locked() const { return settings_.Flag(kLockedSetting); }
  void SetLocked(bool locked);
  // The bottom axis with the sample numbers.
  bool SampleAxisShown() const { return settings_.Flag(kSampleAxisSetting); }
  void SetSampleAxisShown(bool shown);
  // The readout of the pane as shown now, or none.
  std::optional<TCursorReadout> ShownReadout(std::uint8_t pane);

  // Markers A (0) and B (1): sample numbers, drawn in every pane, set from
  // the readout of a pane and gone when that pane gets another log.
  struct TMarker {
    std::uint8_t Pane = 0;
    double Sample = 0;
  };
  const std::array<std::optional<TMarker>, 2>& Markers() const { return markers_; }
  void SetMarker(std::size_t marker);
  void ClearMarkers();
  // The figures of a pane's samples between the markers, or with S of its
  // visible range; none while neither is asked for.
  struct TPaneStatistics {
    TStretchStatistics Figures;
    std::optional<double> AtA;
    std::optional<double> AtB;
    // Between the markers, the difference of the leading fields (time
    // stamps) of the stretch's last and first sample, when the log has them.
    std::optional<std::string> DeltaLeading;
  };
  std::optional<TPaneStatistics> PaneStatistics(std::uint8_t pane);
  void ToggleStatistics();
  // Tab-separated, one row a pane: title, file, N, min, max, mean, A, B.
  std::string FiguresText();
  void CopyFigures();
  void StepReadout(int key, TShiftState shift);
  // + and -: the pane under the mouse zoomed in or out by 2 about the readout.
  void ZoomByKey(bool in);
  // Backspace: every pane one zoom back.
  void ZoomBack();

  // The logs opened last, newest first, at most RecentLogCount.
  static constexpr std::size_t RecentLogCount = 10;
  std::vector<std::string> RecentLogs() const;
  // A right click on a pane's Log button: the recent logs, missing ones
  // greyed; the one chosen loads into the pane.
  void ShowRecentLogs(std::uint8_t pane, int x, int y);
  // F5: every pane's log loaded again from its file; a pane whose file is
  // gone keeps what it shows and says so.
  void ReloadLogs();
  // The logs that were in the panes when the window last closed.
  void ReopenLastLogs();
  // F: the samples appended to the panes' logs are read and shown as they
  // come. A pane whose log stops at a bad line, or is deleted, is no longer
  // followed; a log that shrinks or is replaced loads again.
  bool Following() const { return settings_.Flag(kFollowSetting); }
  void SetFollowing(bool on);
  // What the logs gained since the last step, as a change notification
  // brings it in.
  void FollowLogs();
  // Ctrl+O: the Log dialog of the pane under the mouse, else of the first
  // empty pane.
  void OpenLogOfPaneUnderMouse();
  // With no button held, the mouse over a pane's plot area shows the cursor
  // readout in every pane at that pixel column; anything else hides it.
  void ChartMouseMove(std::uint8_t pane, TShiftState shift, int x, int y);
  void ShowCursorReadout(std::uint8_t pane, int column);
  void HideCursorReadout();
  void CopyPicture();
  void SavePicture();
  // Every pane back to automatic scaling, with nothing left to undo.
  void UndoAllZooms();

  // How long a followed log may be missing before it counts as deleted: a
  // rotation renames it and makes it again at once, with change notices
  // in between.
  std::chrono::milliseconds FollowedMissingGrace{1000};
  // The file name of the last log opened (Log dialog, command line or drop).
  std::string LastLogFileName;
  // What the panes may pan while scrolling is switched on: horizontally, or
  // both ways while "Scroll both" is checked.
  TPanningMode PanningMode = pmHorizontal;
  // Where the last folder of the file dialog is remembered.
  std::string DirDatPath;

  // Charts before series: the series, destroyed first, leave their charts.
  TChart Chart1;
  TChart Chart2;
  TChart Chart3;
  TChart Chart4;
  TLineSeries Series1;
  TLineSeries LineSeries1;
  TLineSeries LineSeries2;
  TLineSeries LineSeries3;
  TButtonColor ButtonColor1;
  PushButton Button1;
  PushButton Button2;
  PushButton Button3;
  PushButton Button4;
  CheckBox CheckBox1;
  CheckBox CheckBox2;
  FileOpenDialog OpenDialog1;
  FileSaveDialog SaveDialog1;

private:
  static constexpr const char* kLockedSetting = "lock-to-samples";
  static constexpr const char* kSampleAxisSetting = "sample-axis";
  static constexpr const char* kFollowSetting = "follow";
  static constexpr const char* kWidthSetting = "window-width";
  static constexpr const char* kHeightSetting = "window-height";
  static constexpr const char* kMaximizedSetting = "window-maximized";

  struct TPlacement {
    Control* Item;
    int Left;
    int Top;
    int Width;
    int Height;
  };
  // Every control's bounds at that client size, in tab order.
  std::array<TPlacement, 11> Placements(int clientWidth, int clientHeight);
  void PlaceControls();
  void SetUpControls();
  void ApplyStoredPlacement();
  // The window's size and the panes' logs, when the window closes.
  void StoreSession();
  bool StoreLastLogs();
  void NoteRecentLog(const std::string& fileName);
  std::vector<std::exception_ptr> OpenPaneLogs(const std::vector<std::pair<std::uint8_t, std::string>>& logs);
  void ReportAll(const std::vector<std::exception_ptr>& errors);
  bool SessionKeyDown(int key, TShiftState shift);
  void ConnectEvents();
  void ApplyStoredPaneSettings(TChart& chart, TLineSeries& series);
  void ConnectPaneEvents(std::uint8_t pane);
  void LogButtonClick(std::uint8_t pane);
  // The load with its progress shown, the title following the samples.
  TLoadResult LoadShowingProgress(LogLoader& loader, TChart& chart, const std::string& fileName);
  void OpenLog(std::uint8_t pane, const std::string& fileName);
  TLoadOptions LoadOptions(std::uint8_t pane);
  // The title once a sample is in; a load that stopped early raises.
  void EndLoad(std::uint8_t pane);
  void StartFollowing();
  void NoteFollowedFile(std::uint8_t pane);
  bool FollowPane(std::uint8_t pane);
  void ContinuePaneLog(std::uint8_t pane, LogLoader& loader);
  void MoveViewWithSamples(std::uint8_t pane, int pointsBefore);
  void WatchFollowedFiles();
  void ChartMouseUp(std::uint8_t pane, TMouseButton button);
  void ChartUndoZoom(std::uint8_t pane);
  void ChartMouseDown(std::uint8_t pane, TMouseButton button, int x, int y);
  void ChartMouseUpAt(std::uint8_t pane, TMouseButton button, int x, int y);
  void PaneZoomed(std::uint8_t pane);
  void PaneScrolled(std::uint8_t pane);
  // While locked: every pane gets the pane's horizontal range, or when no
  // pane is zoomed the range from the first to the last sample of all.
  void ShareRangeOf(std::uint8_t source, bool zoom);
  void ShareCommonRange();
  // From the first to the last sample of all the panes' logs.
  std::optional<TAxisRange> AllLogsRange();
  void AlignLockedPanes();
  std::optional<std::uint8_t> ZoomedPane();
  void WriteSettings();
  void NoteStoppedEarly(std::uint8_t pane, Exception& error);
  void ShowPaneLogs();
  void ShowPaneTip(std::uint8_t pane);
  // Every pane's overlay: its mark when its load stopped early, a hint
  // while it has no samples, the markers, the statistics and the readout.
  void RefreshOverlays();
  void DrawOverlay(std::uint8_t pane, TRasterCanvas& canvas);
  std::optional<TCursorReadout> SourceReadout();
  std::optional<double> ReadoutSample();
  // The markers set on the pane and its kept statistics: its log changed.
  void ForgetMeasuresOf(std::uint8_t pane);
  std::optional<TSampleSpan> StatisticsSpan(std::uint8_t pane);
  std::optional<std::string> MarkedLeadingDifference(std::uint8_t pane, const TColumnSamples& stretch) const;
  std::vector<std::string> StatisticsLines(std::uint8_t pane, const TPaneStatistics& statistics);
  void DrawStatistics(std::uint8_t pane, TRasterCanvas& canvas, const TPaneStatistics& statistics);
  void RememberZoom(std::uint8_t pane);
  void ForgetZooms();
  bool MeasureKeyDown(int key, TShiftState shift);
  void SetPanesPanning(TPanningMode mode);
  // Ends every zoom and pan of every pane.
  void ResetPanesToAutomatic();
  // The handler as the platform calls it: errors end up in a message box.
  std::function<void()> Reported(void (TForm1::*handler)());
  void RunReported(const std::function<void()>& handler);

  std::string dirDatFolder_;
  TViewerSettings settings_;
  bool settingsErrorShown_ = false;
  std::array<TPaneLog, PaneCount> paneLogs_;
  // Passing a zoom or pan on, which zooms and pans the other panes.
  bool sharing_ = false;
  std::uint8_t lastSource_ = 0;
  // The pane and column the mouse shows the readout at, and the sample the
  // keys moved it to since.
  struct TReadoutPlace {
    std::uint8_t Pane = 0;
    int Column = 0;
    std::optional<int> Sample;
  };
  std::optional<TReadoutPlace> readoutAt_;
  std::array<std::optional<TMarker>, 2> markers_;
  bool statisticsShown_ = false;
  struct TStatisticsCache {
    int First = 0;
    int Last = 0;
    int PointCount = 0;
    TStretchStatistics Figures;
    std::optional<std::string> DeltaLeading;
  };
  std::array<std::optional<TStatisticsCache>, PaneCount> statisticsCache_;
  std::array<TBlockSums, PaneCount> blockSums_;
  // The views each pane zoomed through, the current one last.
  struct TZoomView {
    TAxisRange Top;
    TAxisRange Bottom;
    TAxisRange Left;
    TAxisRange Right;
  };
  std::array<std::vector<TZoomView>, PaneCount> zoomHistory_;
  // The right press that may open the context menu when released in place.
  std::optional<TPoint> rightPress_;
  std::array<TLoadResult, PaneCount> lastLoads_;
  std::array<TLogNotes, PaneCount> notes_;
  // The progress of the logs being opened together, if any.
  TBatchProgress* batch_ = nullptr;
  // Whether each pane's log is followed, and since when its file is
  // missing, if it is.
  struct TFollowedFile {
    bool Active = false;
    std::optional<std::chrono::steady_clock::time_point> MissingSince;
  };
  std::array<TFollowedFile, PaneCount> followed_;
  std::unique_ptr<FileWatcher> watcher_;
  // A load or a follow step runs: its progress lets events in, and a follow
  // step asked for meanwhile waits for the next notification or poll.
  bool loading_ = false;
};
