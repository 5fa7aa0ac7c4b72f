#include "app/window/TForm1.h"

#include <sys/stat.h>

#include <string>
#include <utility>

#include "app/commands/TCommands.h"
#include "app/document/LogReference.h"
#include "app/state/TLastFolderFile.h"
#include "app/view/Legend.h"
#include "app/view/LogNames.h"
#include "app/view/PaneColors.h"
#include "app/view/WordMarks.h"
#include "app/window/ColumnPicker.h"
#include "app/window/PaneAppearance.h"
#include "app/window/ReportException.h"
#include "app/window/TBatchProgress.h"
#include "gui/Application.h"
#include "gui/ContextMenu.h"
#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"

namespace {

struct TPane {
  TChart TForm1::*Chart;
  TLineSeries TForm1::*Series;
  PushButton TForm1::*LogButton;
};

constexpr std::array<TPane, TForm1::PaneCount> kPanes = {{
    {&TForm1::Chart1, &TForm1::Series1, &TForm1::Button1},
    {&TForm1::Chart2, &TForm1::LineSeries1, &TForm1::Button2},
    {&TForm1::Chart3, &TForm1::LineSeries2, &TForm1::Button3},
    {&TForm1::Chart4, &TForm1::LineSeries3, &TForm1::Button4},
}};

const TPane& PaneAt(std::uint8_t pane) {
  if (pane >= kPanes.size()) {
    throw EAssertionFailed("Pane index " + std::to_string(pane) + " out of range (0 to 3).");
  }
  return kPanes[pane];
}

constexpr TShiftState kAnyButton = ssLeft | ssRight | ssMiddle;

bool Exists(const std::string& fileName) {
  struct stat status {};
  return stat(fileName.c_str(), &status) == 0;
}

constexpr const char* kCaption = "Kestrila Log viewer by Lumo";
// "*" rather than "*.*": here a file name need not have a dot.
constexpr const char* kLogFilter = "Kestrila log|*.csv|All files|*";
// Between the panes and the value table, and the table and the right edge.
constexpr int kLegendGap = 8;
constexpr const char* kFollowingText = "following";

}  // namespace

TForm1::TForm1() : TForm1(TLastFolderFile::FolderFor(ExecutableFileName()), TViewerSettings::UserPath()) {}

TForm1::TForm1(const std::string& dirDatFolder, const std::string& settingsPath)
    : Chart1(this),
      Chart2(this),
      Chart3(this),
      Chart4(this),
      ButtonColor1(this),
      Button1(this),
      Button2(this),
      Button3(this),
      Button4(this),
      CheckBox1(this),
      CheckBox2(this),
      Legend(this),
      dirDatFolder_(dirDatFolder),
      document_(Charts(), state_),
      coordinator_(Charts(), state_),
      measures_(Charts(), document_, state_, coordinator_),
      overlays_(Charts(), document_, measures_) {
  SetCaption(kCaption);
  // On a screen too small for the start size the window starts at the room
  // the screen has, which is then its smallest size too.
  const TSize start = FittedSize({ClientWidth, ClientHeight}, ClientRoomOnScreen());
  SetMinimumClientSize(start.Width, start.Height);
  SetClientSize(start.Width, start.Height);
  SetFont(TControlFont{});
  SetUpControls();
  PlaceControls();
  for (const TPane& pane : kPanes) {
    ApplyPaneAppearance(this->*pane.Chart, this->*pane.Series);
  }
  OpenDialog1.Filter = kLogFilter;
  OffsetDialog.Caption = "Shift this log in time";
  OffsetDialog.Label = "Seconds to shift the log by (negative: earlier):";
  coordinator_.PaneTimes = [this](std::uint8_t pane) {
    return TPaneTimes{&document_.Notes(pane).Times, document_.PaneLog(pane).Offset};
  };
  overlays_.ModeTexts = [this] { return ModeTexts(); };
  ConnectEvents();
  ConnectDocument();
  CenterOnScreen();
  FormCreate();
  UseSettings(settingsPath);
}

std::array<TChart*, TForm1::PaneCount> TForm1::Charts() { return {&Chart1, &Chart2, &Chart3, &Chart4}; }

// A file that is not read is said, and then not replaced either. A size
// the file does not give, or one below the smallest, leaves the start size.
void TForm1::UseSettings(const std::string& settingsPath) {
  state_ = TSavedState(settingsPath);
  RunReported([this] { state_.Read(); });
  coordinator_.ShowSampleAxis(state_.SampleAxisShown());
  coordinator_.Align();
  if (const std::optional<TWindowPlacement> placement = state_.Placement()) {
    ApplyPlacement(*placement);
    CenterOnScreen();
  }
  ShowPaneColors();
  PlaceControls();
  StartFollowing();
  RefreshOverlays();
}

void TForm1::StoreSession() { state_.StoreSession(document_.References(), Placement()); }

void TForm1::PlaceControls() {
  for (const TPlacement& p : Placements(Width(), Height())) {
    p.Item->SetBounds(p.Left, p.Top, p.Width, p.Height);
  }
  PlaceLegend(Width(), Height());
}

int TForm1::LegendRoom() const { return state_.LegendShown() ? TLegendPanel::PanelWidth + kLegendGap : 0; }

// From the top pane's top to the bottom pane's bottom.
void TForm1::PlaceLegend(int clientWidth, int clientHeight) {
  const int top = 8;
  const int bottom = 545 + clientHeight - ClientHeight;
  Legend.SetBounds(clientWidth - kLegendGap - TLegendPanel::PanelWidth, top, TLegendPanel::PanelWidth, bottom - top);
  Legend.SetVisible(state_.LegendShown());
}

// At the start size the described places. A larger client area widens
// every pane and shares the extra height among them, the last pane taking
// the remainder; the Log buttons stay at their panes' top left, the check
// boxes at their distance to the bottom edge and the colour button at its
// distance to the bottom and right edges. A smaller one, on a small screen,
// takes the missing pixels from the panes alike.
std::array<TForm1::TPlacement, 11> TForm1::Placements(int clientWidth, int clientHeight) {
  const int wider = clientWidth - ClientWidth;
  const int taller = clientHeight - ClientHeight;
  const int share = taller / PaneCount;
  const int lastShare = taller - (PaneCount - 1) * share;
  const int paneWidth = 728 + wider - LegendRoom();
  return {{
      {&Chart1, 58, 8, paneWidth, 129 + share},
      {&ButtonColor1, 680 + wider, 552 + taller, 108, 25},
      {&Button1, 8, 8, 42, 25},
      {&Button2, 8, 144 + share, 42, 25},
      {&Button3, 8, 280 + 2 * share, 42, 25},
      {&Button4, 8, 416 + 3 * share, 42, 25},
      {&Chart2, 56, 144 + share, paneWidth, 129 + share},
      {&Chart3, 56, 279 + 2 * share, paneWidth, 129 + share},
      {&Chart4, 56, 416 + 3 * share, paneWidth, 129 + lastShare},
      {&CheckBox1, 8, 560 + taller, 177, 17},
      {&CheckBox2, 216, 560 + taller, 73, 17},
  }};
}

// The tab order is the placements' order.
void TForm1::SetUpControls() {
  const std::array<TPlacement, 11> placements = Placements(ClientWidth, ClientHeight);
  for (std::size_t i = 1; i < placements.size(); ++i) {
    placements[i - 1].Item->SetTabSuccessor(*placements[i].Item);
  }
  ButtonColor1.SetCaption("Color lines");
  for (const TPane& pane : kPanes) {
    (this->*pane.LogButton).SetCaption("Log");
  }
  CheckBox1.SetCaption("Enable scroll (SINGLY-Horizontal)");
  CheckBox2.SetCaption("Scroll both");
  CheckBox2.SetEnabled(false);
}

void TForm1::ConnectEvents() {
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    PaneLogButton(pane).OnClick = [this, pane] { RunReported([this, pane] { OpenLogDialog(pane); }); };
    ConnectPaneEvents(pane);
  }
  // The colour chosen is the one colour of every curve again.
  ButtonColor1.OnClick = [this] {
    RunReported([this] {
      ButtonColor1Click();
      oneColor_ = Series1.SeriesColor();
      SetDistinctColors(false);
    });
  };
  Legend.Rows = [this] { return LegendRows(Charts(), document_, measures_); };
  CheckBox1.OnClick = [this] { RunReported([this] { CheckBox1Click(); }); };
  CheckBox2.OnClick = [this] { RunReported([this] { CheckBox2Click(); }); };
  OpenDialog1.OnFolderChange = [this] { OpenDialog1FolderChange(); };
  OnClose = [this] { RunReported([this] { StoreSession(); }); };
  OnKeyDown = [this](int key, TShiftState shift) { RunReported([=, this] { FormKeyDown(key, shift); }); };
  OnResize = [this] { PlaceControls(); };
}

void TForm1::ConnectPaneEvents(std::uint8_t pane) {
  TChart& chart = PaneChart(pane);
  chart.OnMouseUp = [this, pane](TCustomChartPanel&, TMouseButton button, TShiftState, int x, int y) {
    RunReported([=, this] { ChartMouseUp(pane, button, x, y); });
  };
  chart.OnZoom = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { coordinator_.Zoomed(pane); }); };
  chart.OnScroll = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { coordinator_.Scrolled(pane); }); };
  chart.OnUndoZoom = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { coordinator_.UndoneZoom(pane); }); };
  chart.OnMouseMove = [this, pane](TCustomChartPanel&, TMouseButton, TShiftState shift, int x, int y) {
    RunReported([=, this] { ChartMouseMove(pane, shift, x, y); });
  };
  // A press may start a drag.
  chart.OnMouseDown = [this, pane](TCustomChartPanel&, TMouseButton button, TShiftState shift, int x, int y) {
    ChartMouseDown(pane, button, shift, x, y);
  };
  chart.OnMouseLeave = [this](TCustomChartPanel&) { HideCursorReadout(); };
  // The overlays and the value table read every pane's last layout: a pane
  // laid out anew has the others show theirs again, as the platform may
  // have painted them before it; locked, the panes' plot edges follow.
  chart.OnAfterDraw = [this, pane](TCustomChartPanel&) {
    for (std::uint8_t other = 0; other < PaneCount; ++other) {
      if (other != pane && PaneChart(other).HasOverlay()) {
        PaneChart(other).Invalidate();
      }
    }
    Legend.Invalidate();
    ShareEdgesOncePainted();
  };
  chart.OnGetAxisLabel = [this, pane](const TChartAxis& axis, double value, std::string& text) {
    if (&axis == &PaneChart(pane).TopAxis() && document_.PaneLog(pane).ClockStamps) {
      text = ClockLabel(value, text, LocaleDecimalSeparator);
    }
  };
  PaneSeries(pane).OnAfterDrawValues = [this, pane](TChartSeries& series) {
    if (state_.WordsAsMarks()) {
      TChart& drawn = PaneChart(pane);
      DrawWordMarks(drawn.Surface(), series, document_.Notes(pane).Words, drawn.PlotRect);
    }
  };
  chart.OnMouseWheel = [this, pane](TCustomChartPanel&, bool up, TShiftState shift, int, int y) {
    if ((shift & ssCtrl) != 0) {
      coordinator_.ZoomValues(pane, y, up);
    }
  };
  const auto dropped = [this, pane](const std::vector<std::string>& fileNames) { OpenLogs(pane, fileNames); };
  chart.SetOnFilesDropped(dropped);
  PaneLogButton(pane).SetOnFilesDropped(dropped);
  PaneLogButton(pane).OnContextMenu = [this, pane](int x, int y) {
    RunReported([=, this] { ShowRecentLogs(pane, x, y); });
  };
  document_.Notes(pane).Leading.OnFileChanged = [this, pane] { ShowPaneTip(pane); };
}

// What is measured or zoomed on a pane's old log goes with it; a batch
// shows each log as it is in.
void TForm1::ConnectDocument() {
  document_.MakeProgress = [this](const std::vector<std::string>& fileNames) {
    return std::make_unique<TBatchProgress>(this, fileNames);
  };
  document_.ChooseColumns = [this](std::uint8_t pane, const TColumnShape& shape, std::size_t offered) {
    return AskColumns(*this, pane, shape, offered);
  };
  document_.OnLogReplaced = [this](std::uint8_t pane) {
    coordinator_.ForgetViews(pane);
    measures_.Forget(pane);
  };
  // Loaded points are stored as points of the curve: words shown as marks
  // become gaps as they come.
  document_.OnLogOpened = [this] {
    for (std::uint8_t pane = 0; pane < PaneCount && state_.WordsAsMarks(); ++pane) {
      ShowWordMarks(pane);
    }
    ShowPaneLogs();
    coordinator_.Align();
  };
  document_.OnSamplesAppended = [this](std::uint8_t pane, int before) {
    if (state_.WordsAsMarks()) {
      ShowWordMarks(pane, static_cast<std::size_t>(before));
    }
    coordinator_.FollowSamples(pane, before);
  };
  document_.OnFollowedFilesChanged = [this] {
    if (watcher_ && state_.Following()) {
      WatchFollowedFiles();
    }
  };
}

void TForm1::RunReported(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    ReportException(this);
  }
}

void TForm1::ShowErrors(const TLogErrors& errors) {
  for (const TLogError& error : errors) {
    ReportLogError(this, error);
  }
}

void TForm1::ChartMouseDown(std::uint8_t pane, TMouseButton button, TShiftState shift, int x, int y) {
  HideCursorReadout();
  coordinator_.MousePressed(pane, button, shift);
  if (button == mbLeft && (shift & ssAlt) != 0 && coordinator_.TimeLocked() && PaneSeries(pane).PointCount() > 0) {
    coordinator_.BeginTimeShift(pane, x, document_.PaneLog(pane).Offset);
  }
  rightPress_.reset();
  if (button == mbRight) {
    rightPress_ = TPoint{x, y};
  }
}

// A right click that did not move opens the menu; a right drag pans.
void TForm1::ChartMouseUp(std::uint8_t pane, TMouseButton button, int x, int y) {
  if (const auto shifted = coordinator_.TimeShiftTo(x); shifted && coordinator_.EndTimeShift()) {
    SetLogOffset(shifted->first, shifted->second);
  }
  coordinator_.MouseReleased(pane, button);
  const bool inPlace = rightPress_ && rightPress_->X == x && rightPress_->Y == y;
  rightPress_.reset();
  if (button == mbRight && inPlace) {
    ShowPaneMenu(pane, x, y);
  }
}

// A zoom band drawn over the picture follows the drag.
void TForm1::ChartMouseMove(std::uint8_t pane, TShiftState shift, int x, int y) {
  if (const auto shifted = coordinator_.TimeShiftTo(x)) {
    document_.SetOffset(shifted->first, shifted->second);
    coordinator_.TimesChanged();
  }
  if ((shift & kAnyButton) == 0 && PaneChart(pane).PlotRect.ContainsInclusive({x, y})) {
    ShowCursorReadout(pane, x);
  } else {
    HideCursorReadout();
  }
  if (PaneChart(pane).Zoom().DragActive) {
    RefreshOverlays();
  }
}

void TForm1::ShowCursorReadout(std::uint8_t pane, int column) {
  measures_.ShowReadout(pane, column);
  RefreshOverlays();
}

void TForm1::HideCursorReadout() {
  if (measures_.HideReadout()) {
    RefreshOverlays();
  }
}

void TForm1::RefreshOverlays() {
  overlays_.Refresh();
  Legend.Invalidate();
}

void TForm1::FormKeyDown(int key, TShiftState shift) {
  if (const TCommand* command = CommandForKey(key, shift); command != nullptr && EnabledForKey(*command, *this)) {
    RunCommand(*command, {std::nullopt, 0, key, shift});
  }
}

void TForm1::ShowPaneMenu(std::uint8_t pane, int x, int y) {
  std::vector<const TCommand*> shown;
  std::vector<TMenuEntry> menu;
  for (const TCommand& command : Commands()) {
    if (command.Label != nullptr) {
      shown.push_back(&command);
      menu.push_back({command.Label, command.KeyName, command.Checked != nullptr,
                      command.Checked != nullptr && command.Checked(*this),
                      command.Enabled == nullptr || command.Enabled(*this, pane)});
    }
  }
  if (const std::optional<std::size_t> chosen = ShowContextMenu(PaneChart(pane), x, y, menu)) {
    RunCommand(*shown[*chosen], {pane, x, 0, 0});
  }
}

// The overlays follow whatever a command changed.
void TForm1::RunCommand(const TCommand& command, const TCommandPlace& place) {
  command.Run(*this, place);
  RefreshOverlays();
}

std::uint8_t TForm1::PaneForNewLog() const { return measures_.ReadoutPane().value_or(document_.FirstEmptyPane()); }

void TForm1::ZoomByKey(bool in) {
  const std::optional<TCursorReadout> source = measures_.SourceReadout();
  if (source && source->Samples) {
    coordinator_.ZoomAbout(*measures_.ReadoutPane(), source->Column, source->Samples->First, in);
  }
}

// ---- Logs ----

void TForm1::OpenLogDialog(std::uint8_t pane) {
  if (OpenDialog1.Execute(this)) {
    OpenLog(pane, OpenDialog1.FileName);
  }
}

void TForm1::OpenLog(std::uint8_t pane, const std::string& fileName) { ShowErrors(document_.Open(pane, fileName)); }

void TForm1::OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames) {
  ShowErrors(document_.OpenLogs(firstPane, fileNames));
}

void TForm1::ReloadLogs() { ShowErrors(document_.ReloadAll()); }

void TForm1::ReopenLastLogs() { ShowErrors(document_.ReopenLast()); }

void TForm1::ShowRecentLogs(std::uint8_t pane, int x, int y) {
  const std::vector<std::string> logs = state_.RecentLogs();
  std::vector<TMenuEntry> entries;
  entries.reserve(logs.size());
  for (const std::string& log : logs) {
    entries.push_back({log, "", false, false, Exists(ParseLogReference(log).FileName)});
  }
  if (entries.empty()) {
    entries.push_back({"No recent logs", "", false, false, false});
  }
  if (const std::optional<std::size_t> chosen = ShowContextMenu(PaneLogButton(pane), x, y, entries)) {
    OpenLog(pane, logs.at(*chosen));
  }
}

void TForm1::ShowPaneLogs() {
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    ShowPaneTip(pane);
  }
  const std::array<std::string, PaneCount> logs = document_.FileNames();
  SetCaption(WindowTitle({logs.begin(), logs.end()}, kCaption));
  RefreshOverlays();
}

void TForm1::ShowPaneTip(std::uint8_t pane) {
  const std::string tip = document_.Tip(pane);
  PaneLogButton(pane).SetToolTip(tip);
  PaneChart(pane).SetToolTip(tip);
}

// ---- Modes ----

// A mode takes effect before it is written, so that a settings file that
// cannot be written is said with the mode already in force.
void TForm1::SwitchMode(bool on, bool (TSavedState::*mode)() const, void (TSavedState::*set)(bool),
                        const std::function<void()>& apply) {
  if (on != (state_.*mode)()) {
    (state_.*set)(on);
    if (apply) {
      apply();
    }
    state_.Write();
  }
}

void TForm1::SetLockMode(TLockMode mode) {
  if (mode == state_.LockMode()) {
    return;
  }
  state_.SetLockMode(mode);
  coordinator_.LockChanged();
  RefreshOverlays();
  state_.Write();
}

void TForm1::NextLockMode() {
  switch (coordinator_.Mode()) {
    case TLockMode::Time: SetLockMode(TLockMode::Samples); break;
    case TLockMode::Samples: SetLockMode(TLockMode::PixelColumns); break;
    case TLockMode::PixelColumns:
      SetLockMode(coordinator_.TimeAvailable() ? TLockMode::Time : TLockMode::Samples);
      break;
  }
}

void TForm1::SetLogOffset(std::uint8_t pane, double seconds) {
  document_.SetOffset(pane, seconds);
  coordinator_.TimesChanged();
  RefreshOverlays();
  document_.RememberOffset(pane);
}

// Painting again from the paint would be dropped: the plots are lined up
// from the message loop, and a change paints them once more.
void TForm1::ShareEdgesOncePainted() {
  if (std::exchange(edgesQueued_, true)) {
    return;
  }
  RunOncePainted([this] {
    edgesQueued_ = false;
    coordinator_.ShareEdges();
  });
}

std::vector<std::string> TForm1::ModeTexts() const {
  std::vector<std::string> texts;
  switch (coordinator_.Mode()) {
    case TLockMode::Time: texts.emplace_back("locked by time"); break;
    case TLockMode::Samples: texts.emplace_back("locked by samples"); break;
    case TLockMode::PixelColumns: break;
  }
  if (state_.Following()) {
    texts.emplace_back(kFollowingText);
  }
  return texts;
}

void TForm1::SetSampleAxisShown(bool shown) {
  SwitchMode(shown, &TSavedState::SampleAxisShown, &TSavedState::SetSampleAxisShown,
             [this, shown] { coordinator_.ShowSampleAxis(shown); });
}

void TForm1::SetFitValues(bool on) {
  SwitchMode(on, &TSavedState::FitValues, &TSavedState::SetFitValues, [this] {
    coordinator_.FitChanged();
    RefreshOverlays();
  });
}

void TForm1::SetPlainPicture(bool on) { SwitchMode(on, &TSavedState::PlainPicture, &TSavedState::SetPlainPicture); }

// Applies to the next load, reload or follow step: the logs shown stay
// as they were loaded.
void TForm1::SetSkipBadLines(bool on) { SwitchMode(on, &TSavedState::SkipBadLines, &TSavedState::SetSkipBadLines); }

void TForm1::SetWordsAsMarks(bool on) {
  SwitchMode(on, &TSavedState::WordsAsMarks, &TSavedState::SetWordsAsMarks, [this] {
    for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
      ShowWordMarks(pane);
      PaneChart(pane).RequestRepaint();
    }
    coordinator_.Align();
  });
}

void TForm1::SetLegendShown(bool on) {
  SwitchMode(on, &TSavedState::LegendShown, &TSavedState::SetLegendShown, [this] { PlaceControls(); });
}

// The one colour is kept for when the panes' own colours go again.
void TForm1::SetDistinctColors(bool on) {
  if (on && !state_.DistinctColors()) {
    oneColor_ = Series1.SeriesColor();
  }
  SwitchMode(on, &TSavedState::DistinctColors, &TSavedState::SetDistinctColors, [this] { ShowPaneColors(); });
}

void TForm1::ShowPaneColors() {
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    PaneSeries(pane).SetSeriesColor(state_.DistinctColors() ? kDistinctPaneColors[pane] : oneColor_);
  }
  // The button shows the top pane's colour but does not watch it.
  ButtonColor1.Invalidate();
}

void TForm1::ShowWordMarks(std::uint8_t pane, std::size_t first) {
  ShowWordsAsMarks(PaneSeries(pane), document_.Notes(pane).Words, state_.WordsAsMarks(), TLogDocument::PointColor,
                   first);
}

void TForm1::SetFollowing(bool on) {
  if (on == state_.Following()) {
    return;
  }
  state_.SetFollowing(on);
  if (on) {
    StartFollowing();
  } else if (watcher_) {
    // Kept: the switch may come from within one of its notifications.
    watcher_->Watch({});
  }
  RefreshOverlays();
  state_.Write();
}

void TForm1::StartFollowing() {
  if (!state_.Following()) {
    return;
  }
  if (!watcher_) {
    watcher_ = std::make_unique<FileWatcher>();
    watcher_->OnChange = [this] { RunReported([this] { FollowLogs(); }); };
  }
  const TLogErrors errors = document_.StartFollowing();
  WatchFollowedFiles();
  ShowErrors(errors);
  FollowLogs();
}

void TForm1::WatchFollowedFiles() { watcher_->Watch(document_.FollowedFiles()); }

// The messages wait until every pane had its step, as when opening logs.
void TForm1::FollowLogs() {
  bool changed = false;
  const TLogErrors errors = document_.FollowStep(changed);
  if (changed) {
    if (watcher_) {
      WatchFollowedFiles();
    }
    ShowPaneLogs();
    coordinator_.Align();
  }
  ShowErrors(errors);
}

// ---- The widgets' own handlers ----

void TForm1::FormCreate() {
  Series1.SetSeriesColor(clBlue);
  for (TLineSeries* series : {&LineSeries1, &LineSeries2, &LineSeries3}) {
    series->SetSeriesColor(Series1.SeriesColor());
  }
  ButtonColor1.LinkProperty(&Series1, "SeriesColor");
  PanningMode = pmHorizontal;
  // Panning, once switched on, takes the right button; zooming keeps the left.
  for (const TPane& pane : kPanes) {
    (this->*pane.Chart).SetScrollMouseButton(mbRight);
  }
  DirDatPath = TLastFolderFile::PathIn(dirDatFolder_);
  if (const auto folder = TLastFolderFile(DirDatPath).Read()) {
    OpenDialog1.SetInitialDir(*folder);
  }
}

void TForm1::ButtonColor1Click() {
  for (TLineSeries* series : {&LineSeries1, &LineSeries2, &LineSeries3}) {
    series->SetSeriesColor(Series1.SeriesColor());
  }
}

void TForm1::CheckBox1Click() {
  if (CheckBox1.Checked()) {
    coordinator_.SetPanning(PanningMode);
    CheckBox2.SetEnabled(true);
  } else {
    coordinator_.SetPanning(pmNone);
    coordinator_.ResetToAutomatic();
    // The check mark stays, so that scrolling comes back in the same mode.
    CheckBox2.SetEnabled(false);
  }
}

void TForm1::CheckBox2Click() {
  if (CheckBox2.Checked()) {
    PanningMode = pmBoth;
  } else {
    PanningMode = pmHorizontal;
    coordinator_.ResetToAutomatic();
  }
  CheckBox1Click();
}

// The dialog reports the folder just entered as its current file name.
void TForm1::OpenDialog1FolderChange() {
  OpenDialog1.SetInitialDir(OpenDialog1.FileName);
  TLastFolderFile(DirDatPath).Write(OpenDialog1.FileName);
}

TChart& TForm1::PaneChart(std::uint8_t pane) const { return const_cast<TForm1*>(this)->*PaneAt(pane).Chart; }

TChartSeries& TForm1::PaneSeries(std::uint8_t pane) const { return PaneChart(pane).SeriesList()[0]; }

PushButton& TForm1::PaneLogButton(std::uint8_t pane) { return this->*PaneAt(pane).LogButton; }
