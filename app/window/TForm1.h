#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/document/TLogDocument.h"
#include "app/measure/TMeasurements.h"
#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "app/window/TLegendPanel.h"
#include "app/window/TPaneOverlays.h"
#include "app/window/WindowPicture.h"
#include "chart/controls/TButtonColor.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/FileWatcher.h"
#include "gui/FormWindow.h"
#include "gui/PushButton.h"

struct TCommand;
struct TCommandPlace;

// The viewer's only window: four stacked chart panes with a Log button each,
// the colour button and the two scrolling check boxes. It holds the
// widgets, lays them out and wires them to the panes' document, the
// coordinator of their views and the measurements; whatever escapes one of
// its event handlers is shown as an error message and the window carries
// on. It starts at, and cannot be made smaller than, ClientWidth x
// ClientHeight, or the screen's available area where that is smaller; at
// another size the controls follow the edges they belong to.
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

  // Takes the modes, window size and logs to remember from the settings
  // file at `settingsPath` (none: this run only) from now on.
  void UseSettings(const std::string& settingsPath);

  // The pane table: pane 0 is Chart1 at the top with Button1 beside it,
  // pane 3 Chart4 at the bottom with Button4. Raises EAssertionFailed for a
  // pane index above 3.
  TChart& PaneChart(std::uint8_t pane) const;
  TChartSeries& PaneSeries(std::uint8_t pane) const;
  PushButton& PaneLogButton(std::uint8_t pane);
  std::array<TChart*, PaneCount> Charts();

  TLogDocument& Document() { return document_; }
  const TLogDocument& Document() const { return document_; }
  TPaneCoordinator& Coordinator() { return coordinator_; }
  const TPaneCoordinator& Coordinator() const { return coordinator_; }
  TMeasurements& Measures() { return measures_; }
  const TMeasurements& Measures() const { return measures_; }
  const TSavedState& State() const { return state_; }

  // Loads the logs into the pane and the ones below it, in order, as the
  // Log buttons do; each failing log is reported and the others still load.
  // Logs beyond the last pane are named in a message.
  void OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames);
  // The Log dialog of the pane.
  void OpenLogDialog(std::uint8_t pane);
  // The pane under the mouse, else the first empty one.
  std::uint8_t PaneForNewLog() const;
  void ReloadLogs();
  void ReopenLastLogs();
  // A right click on a pane's Log button: the recent logs, missing ones
  // greyed; the one chosen loads into the pane.
  void ShowRecentLogs(std::uint8_t pane, int x, int y);

  // The modes: they take effect, then they are remembered.
  void SetLocked(bool locked);
  void SetSampleAxisShown(bool shown);
  void SetFollowing(bool on);
  void SetFitValues(bool on);
  void SetPlainPicture(bool on);
  void SetSkipBadLines(bool on);
  void SetWordsAsMarks(bool on);
  // The value table docked at the right edge, the panes giving it room.
  void SetLegendShown(bool on);
  // A colour a pane, or the one colour of "Color lines" for all.
  void SetDistinctColors(bool on);
  // What the followed logs gained since the last step, as a change
  // notification brings it in.
  void FollowLogs();

  // Every key of the command table, whatever has the focus.
  void FormKeyDown(int key, TShiftState shift);
  // The panes' context menu, at (x, y) of the pane.
  void ShowPaneMenu(std::uint8_t pane, int x, int y);
  // With no button held, the mouse over a pane's plot area shows the cursor
  // readout in every pane at that pixel column; anything else hides it.
  void ChartMouseMove(std::uint8_t pane, TShiftState shift, int x, int y);
  void ShowCursorReadout(std::uint8_t pane, int column);
  void HideCursorReadout();
  void RefreshOverlays();
  // + and -: the pane under the mouse zoomed in or out by 2 about the readout.
  void ZoomByKey(bool in);
  TPaneOverlays& Overlays() { return overlays_; }

  // Event handlers.
  void FormCreate();
  void ButtonColor1Click();
  void CheckBox1Click();
  void CheckBox2Click();
  void OpenDialog1FolderChange();

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
  TLegendPanel Legend;
  FileOpenDialog OpenDialog1;
  FileSaveDialog SaveDialog1;
  TextInputDialog ValueRangeDialog;

private:
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
  // Shown or hidden as the mode says, at the right edge beside the panes.
  void PlaceLegend(int clientWidth, int clientHeight);
  // The panes' legend room: its width and the gap before it, 0 while hidden.
  int LegendRoom() const;
  void ShowPaneColors();
  void SetUpControls();
  void ConnectEvents();
  void ConnectPaneEvents(std::uint8_t pane);
  void ConnectDocument();
  void ChartMouseDown(std::uint8_t pane, TMouseButton button, TShiftState shift, int x, int y);
  void ChartMouseUp(std::uint8_t pane, TMouseButton button, int x, int y);
  void RunCommand(const TCommand& command, const TCommandPlace& place);
  void OpenLog(std::uint8_t pane, const std::string& fileName);
  void StartFollowing();
  void WatchFollowedFiles();
  void ShowPaneLogs();
  void ShowPaneTip(std::uint8_t pane);
  // The pane's word points from `first` on shown as the mode says.
  void ShowWordMarks(std::uint8_t pane, std::size_t first = 0);
  void StoreSession();
  void ShowErrors(const TLogErrors& errors);
  void SwitchMode(bool on, bool (TSavedState::*mode)() const, void (TSavedState::*set)(bool),
                  const std::function<void()>& apply = {});
  // The handler as the platform calls it: errors end up in a message box.
  void RunReported(const std::function<void()>& handler);

  std::string dirDatFolder_;
  TSavedState state_;
  TLogDocument document_;
  TPaneCoordinator coordinator_;
  TMeasurements measures_;
  TPaneOverlays overlays_;
  // The right press that may open the context menu when released in place.
  std::optional<TPoint> rightPress_;
  std::unique_ptr<FileWatcher> watcher_;
  // The colour "Color lines" gave all curves, back when the panes' own
  // colours are switched off.
  TColor oneColor_ = clBlue;
};
