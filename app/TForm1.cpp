#include "app/TForm1.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/CursorReadout.h"
#include "app/PictureFile.h"
#include "app/ReportException.h"
#include "app/WindowSvg.h"
#include "chart/series/TValueStorage.h"
#include "gui/Application.h"
#include "gui/ContextMenu.h"
#include "gui/Keyboard.h"
#include "gui/TRasterCanvas.h"
#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"
#include "runtime/NumberFormat.h"
#include "runtime/ScopedRestore.h"

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

// What a message adds when a load ended early: the samples before stay.
std::string SamplesShown(const TChartSeries& series) {
  return "; the first " + std::to_string(series.PointCount()) + " samples are shown";
}

// A message's text without what SamplesShown added to it.
std::string WithoutSamplesShown(const std::string& message, const TChartSeries& series) {
  const std::string shown = SamplesShown(series);
  if (message.size() >= shown.size() && message.ends_with(shown)) {
    return message.substr(0, message.size() - shown.size());
  }
  return message;
}

TAxisRange RangeOf(const TChartAxis& axis) { return {axis.Minimum(), axis.Maximum()}; }

// The folder part of a file name, "" for a bare name.
std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) {
    return "";
  }
  return fileName.substr(0, slash == 0 ? 1 : slash);
}

// " 'a', 'b'": the file names from `first` on.
std::string QuotedList(const std::vector<std::string>& fileNames, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < fileNames.size(); ++i) {
    text += (i == first ? " '" : ", '") + fileNames[i] + "'";
  }
  return text;
}

// The panes' title colour, 0x00BBGGRR.
constexpr TColor kTitleColor = 0x404000;
// The depth axes' stored range; they are hidden in 2D.
constexpr double kDepthMinimum = -0.5299999999998777;
constexpr double kDepthMaximum = 0.4700000000001153;

constexpr const char* kCaption = "Kestrila Log viewer by Lumo";
// "*" rather than "*.*": here a file name need not have a dot.
constexpr const char* kLogFilter = "Kestrila log|*.csv|All files|*";

// The title is shown only once a sample is in.
void ShowTitle(TChart& chart, const TLoadResult& result) {
  if (result.SamplesAppended > 0 && result.Title) {
    chart.Title().SetText(*result.Title);
  }
}

// A load that ended before the end of the log is an error: the user learns
// that what is shown is only its beginning, and why.
void RaiseIfStopped(const TLoadResult& result, const std::string& fileName, const TChartSeries& series) {
  switch (result.End) {
    case TLoadEnd::EndOfFile: return;
    case TLoadEnd::BadLine: throw EConvertError(result.Message);
    case TLoadEnd::ReadError:
      throw FileException("Cannot read '" + fileName + "': " + std::strerror(result.Errno) + SamplesShown(series));
    case TLoadEnd::OutOfMemory:
      throw Exception("Out of memory while loading '" + fileName + "'" + SamplesShown(series));
    case TLoadEnd::TooManySamples:
      throw Exception("'" + fileName + "': the log has more samples than a pane can hold (" +
                      GroupedWholeNumber(TValueStorage<double>::MaxCount) + ")" + SamplesShown(series));
    case TLoadEnd::Cancelled: throw Exception("Loading '" + fileName + "' was cancelled" + SamplesShown(series));
  }
}

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
      dirDatFolder_(dirDatFolder) {
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
    ApplyStoredPaneSettings(this->*pane.Chart, this->*pane.Series);
  }
  OpenDialog1.Filter = kLogFilter;
  SaveDialog1.Filter = PictureFilter;
  SaveDialog1.DefaultExtension = "png";
  ConnectEvents();
  CenterOnScreen();
  FormCreate();
  UseSettings(settingsPath);
  RefreshOverlays();
}

void TForm1::UseSettings(const std::string& settingsPath) {
  settings_ = TViewerSettings(settingsPath);
  // A file that is not read is said, and then not replaced either.
  try {
    settings_.Read();
  } catch (const Exception&) {
    settingsErrorShown_ = true;
    ReportException(this);
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    PaneChart(pane).BottomAxis().SetVisible(SampleAxisShown());
  }
  AlignLockedPanes();
  ApplyStoredPlacement();
  StartFollowing();
}

// A size the file does not give, or one below the smallest, leaves the
// start size.
void TForm1::ApplyStoredPlacement() {
  const std::optional<int> width = settings_.Number(kWidthSetting);
  const std::optional<int> height = settings_.Number(kHeightSetting);
  if (!width || !height) {
    return;
  }
  ApplyPlacement({*width, *height, settings_.Flag(kMaximizedSetting)});
  CenterOnScreen();
}

// Kept when the window closes: a resize drag would write the size at every
// step.
void TForm1::StoreSession() {
  const TWindowPlacement placement = Placement();
  bool changed = StoreLastLogs();
  changed = settings_.SetNumber(kWidthSetting, placement.ClientWidth) || changed;
  changed = settings_.SetNumber(kHeightSetting, placement.ClientHeight) || changed;
  changed = settings_.SetFlag(kMaximizedSetting, placement.Maximized) || changed;
  if (changed) {
    WriteSettings();
  }
}

void TForm1::PlaceControls() {
  for (const TPlacement& p : Placements(Width(), Height())) {
    p.Item->SetBounds(p.Left, p.Top, p.Width, p.Height);
  }
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
  const int paneWidth = 728 + wider;
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
  Button1.OnClick = Reported(&TForm1::Button1Click);
  Button2.OnClick = Reported(&TForm1::Button2Click);
  Button3.OnClick = Reported(&TForm1::Button3Click);
  Button4.OnClick = Reported(&TForm1::Button4Click);
  ButtonColor1.OnClick = Reported(&TForm1::ButtonColor1Click);
  CheckBox1.OnClick = Reported(&TForm1::CheckBox1Click);
  CheckBox2.OnClick = Reported(&TForm1::CheckBox2Click);
  OpenDialog1.OnFolderChange = [this] { OpenDialog1FolderChange(); };
  OnClose = Reported(&TForm1::StoreSession);
  OnKeyDown = [this](int key, TShiftState shift) { RunReported([=, this] { FormKeyDown(key, shift); }); };
  OnResize = [this] { PlaceControls(); };
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    ConnectPaneEvents(pane);
  }
}

void TForm1::ConnectPaneEvents(std::uint8_t pane) {
  TChart& chart = PaneChart(pane);
  chart.OnMouseUp = [this, pane](TCustomChartPanel&, TMouseButton button, TShiftState, int x, int y) {
    RunReported([=, this] { ChartMouseUpAt(pane, button, x, y); });
  };
  chart.OnZoom = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { PaneZoomed(pane); }); };
  chart.OnScroll = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { PaneScrolled(pane); }); };
  chart.OnUndoZoom = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { ChartUndoZoom(pane); }); };
  chart.OnMouseMove = [this, pane](TCustomChartPanel&, TMouseButton, TShiftState shift, int x, int y) {
    RunReported([=, this] { ChartMouseMove(pane, shift, x, y); });
  };
  // A press may start a drag.
  chart.OnMouseDown = [this, pane](TCustomChartPanel&, TMouseButton button, TShiftState, int x, int y) {
    ChartMouseDown(pane, button, x, y);
  };
  chart.OnMouseLeave = [this](TCustomChartPanel&) { HideCursorReadout(); };
  const auto dropped = [this, pane](const std::vector<std::string>& fileNames) { OpenLogs(pane, fileNames); };
  chart.SetOnFilesDropped(dropped);
  PaneLogButton(pane).SetOnFilesDropped(dropped);
  PaneLogButton(pane).OnContextMenu = [this, pane](int x, int y) {
    RunReported([=, this] { ShowRecentLogs(pane, x, y); });
  };
  notes_[pane].Leading.OnFileChanged = [this, pane] { ShowPaneTip(pane); };
}

std::function<void()> TForm1::Reported(void (TForm1::*handler)()) {
  return [this, handler] { RunReported([this, handler] { (this->*handler)(); }); };
}

void TForm1::RunReported(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    ReportException(this);
  }
}

void TForm1::ChartMouseDown(std::uint8_t /*pane*/, TMouseButton button, int x, int y) {
  HideCursorReadout();
  rightPress_.reset();
  if (button == mbRight) {
    rightPress_ = TPoint{x, y};
  }
}

// A right click that did not move opens the menu; a right drag pans.
void TForm1::ChartMouseUpAt(std::uint8_t pane, TMouseButton button, int x, int y) {
  ChartMouseUp(pane, button);
  const bool inPlace = rightPress_ && rightPress_->X == x && rightPress_->Y == y;
  rightPress_.reset();
  if (button == mbRight && inPlace) {
    ShowPaneMenu(pane, x, y);
  }
}

// Only a drag that zooms its own pane is passed on. A plain click or a press
// that started no drag leaves an old rectangle in the record, which must not
// zoom the other panes again. Locked panes follow the pane's zoom itself,
// once it is made.
void TForm1::ChartMouseUp(std::uint8_t pane, TMouseButton button) {
  if (!Locked() && PaneChart(pane).ReleaseZooms(button)) {
    SyncZoom(pane);
  }
}

void TForm1::SyncZoom(std::uint8_t sourcePane) {
  const ScopedRestore<bool> sharing(sharing_, true);
  const TChartZoom& zoom = PaneChart(sourcePane).Zoom();
  const TRect rect{zoom.StartX, zoom.StartY, zoom.EndX, zoom.EndY};
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (pane != sourcePane) {
      PaneChart(pane).ZoomToRectangle(rect);
    }
  }
}

void TForm1::ChartUndoZoom(std::uint8_t pane) {
  ForgetZooms();
  for (std::uint8_t other = 0; other < PaneCount; ++other) {
    if (other != pane) {
      PaneChart(other).Axes().ResetToAutomatic();
    }
  }
  if (Locked()) {
    for (std::uint8_t other = 0; other < PaneCount; ++other) {
      PaneChart(other).EndZoom();
    }
    ShareCommonRange();
  }
}

// The pane the user zoomed or panned, locked or not, is the one the others
// line up on when they are locked again; the panes that only follow it are
// not.
void TForm1::PaneZoomed(std::uint8_t pane) {
  RememberZoom(pane);
  if (sharing_) {
    return;
  }
  lastSource_ = pane;
  if (Locked()) {
    ShareRangeOf(pane, true);
  }
}

void TForm1::PaneScrolled(std::uint8_t pane) {
  if (sharing_) {
    return;
  }
  lastSource_ = pane;
  if (Locked()) {
    ShareRangeOf(pane, false);
  }
}

// The source's range exactly, not one worked out again from pixels: the
// panes' plots differ in width. The other panes keep the values they show,
// as a zoom passed on in pixels does.
void TForm1::ShareRangeOf(std::uint8_t source, bool zoom) {
  const ScopedRestore<bool> sharing(sharing_, true);
  TChart& from = PaneChart(source);
  const TAxisRange top = RangeOf(from.TopAxis());
  const TAxisRange bottom = RangeOf(from.BottomAxis());
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = PaneChart(pane);
    if (pane == source) {
      continue;
    }
    if (zoom) {
      chart.ApplyZoomRanges(top, bottom, RangeOf(chart.LeftAxis()), RangeOf(chart.RightAxis()));
    } else {
      chart.TopAxis().SetAxisRange(top.Minimum, top.Maximum);
      chart.BottomAxis().SetAxisRange(bottom.Minimum, bottom.Maximum);
    }
  }
}

// Logs of different lengths then show the same sample numbers: a shorter
// log simply ends.
void TForm1::ShareCommonRange() {
  const std::optional<TAxisRange> common = AllLogsRange();
  // One sample has no range to share: its automatic scale widens it.
  if (!common || common->Minimum == common->Maximum) {
    return;
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    TChart& chart = PaneChart(pane);
    chart.TopAxis().SetAxisRange(common->Minimum, common->Maximum);
    chart.BottomAxis().SetAxisRange(common->Minimum, common->Maximum);
  }
}

std::optional<TAxisRange> TForm1::AllLogsRange() {
  std::optional<TAxisRange> common;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    const TChartSeries& series = PaneSeries(pane);
    if (series.PointCount() == 0) {
      continue;
    }
    const TAxisRange range{series.XValueAt(0), series.XValueAt(series.PointCount() - 1)};
    common =
        common ? TAxisRange{std::min(common->Minimum, range.Minimum), std::max(common->Maximum, range.Maximum)} : range;
  }
  return common;
}

std::optional<std::uint8_t> TForm1::ZoomedPane() {
  if (PaneChart(lastSource_).IsZoomed) {
    return lastSource_;
  }
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (PaneChart(pane).IsZoomed) {
      return pane;
    }
  }
  return std::nullopt;
}

void TForm1::AlignLockedPanes() {
  if (!Locked()) {
    return;
  }
  if (const std::optional<std::uint8_t> zoomed = ZoomedPane()) {
    ShareRangeOf(*zoomed, false);
  } else {
    ShareCommonRange();
  }
}

void TForm1::SetLocked(bool locked) {
  if (locked == Locked()) {
    return;
  }
  settings_.SetFlag(kLockedSetting, locked);
  if (locked) {
    AlignLockedPanes();
  } else {
    // The ranges shared at automatic scaling go; zooms stay.
    for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
      if (!PaneChart(pane).IsZoomed) {
        PaneChart(pane).Axes().ResetToAutomatic();
      }
    }
  }
  RefreshOverlays();
  WriteSettings();
}

void TForm1::SetSampleAxisShown(bool shown) {
  if (shown == SampleAxisShown()) {
    return;
  }
  settings_.SetFlag(kSampleAxisSetting, shown);
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    PaneChart(pane).BottomAxis().SetVisible(shown);
  }
  WriteSettings();
}

// A mode holds for this run even when it cannot be remembered; that is said
// once, not at every change. The modes take effect before they are written,
// so that the message does not leave one half switched.
void TForm1::WriteSettings() {
  try {
    settings_.Write();
  } catch (const Exception&) {
    if (!std::exchange(settingsErrorShown_, true)) {
      throw;
    }
  }
}

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

void TForm1::LogButtonClick(std::uint8_t pane) {
  if (!OpenDialog1.Execute(this)) {
    return;
  }
  OpenLog(pane, OpenDialog1.FileName);
}

void TForm1::OpenLog(std::uint8_t pane, const std::string& fileName) {
  LastLogFileName = fileName;
  std::exception_ptr failure;
  try {
    LoadLog(pane, fileName);
  } catch (Exception& error) {
    if (error.Details.empty()) {
      error.Details = "File: " + fileName;
    }
    failure = std::current_exception();
  }
  ShowPaneLogs();
  AlignLockedPanes();
  // A log that opened is a recent one, whatever stopped its load.
  if (paneLogs_[pane].FileName == fileName) {
    RunReported([&] { NoteRecentLog(fileName); });
  }
  if (failure) {
    std::rethrow_exception(failure);
  }
}

void TForm1::OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames) {
  std::vector<std::pair<std::uint8_t, std::string>> logs;
  std::size_t next = 0;
  for (std::uint8_t pane = firstPane; pane < PaneCount && next < fileNames.size(); ++pane, ++next) {
    logs.emplace_back(pane, fileNames[next]);
  }
  std::vector<std::exception_ptr> errors = OpenPaneLogs(logs);
  if (next < fileNames.size()) {
    errors.push_back(std::make_exception_ptr(Exception("No pane left for" + QuotedList(fileNames, next))));
  }
  ReportAll(errors);
}

// The messages wait until every log is in: a box open on the first failing
// log would hold up the others. Cancel keeps the logs loaded so far.
std::vector<std::exception_ptr> TForm1::OpenPaneLogs(const std::vector<std::pair<std::uint8_t, std::string>>& logs) {
  std::vector<std::string> fileNames;
  fileNames.reserve(logs.size());
  for (const auto& log : logs) {
    fileNames.push_back(log.second);
  }
  TBatchProgress progress(this, fileNames);
  const ScopedRestore<TBatchProgress*> batch(batch_, &progress);
  std::vector<std::exception_ptr> errors;
  std::size_t next = 0;
  for (; next < logs.size() && !progress.Cancelled(); ++next) {
    progress.StartLog(next);
    try {
      OpenLog(logs[next].first, logs[next].second);
    } catch (...) {
      errors.push_back(std::current_exception());
    }
  }
  if (next < logs.size()) {
    errors.push_back(std::make_exception_ptr(Exception("Not loaded after Cancel:" + QuotedList(fileNames, next))));
  }
  return errors;
}

void TForm1::ReportAll(const std::vector<std::exception_ptr>& errors) {
  for (const std::exception_ptr& error : errors) {
    RunReported([&error] { std::rethrow_exception(error); });
  }
}

const TForm1::TPaneLog& TForm1::PaneLog(std::uint8_t pane) const {
  PaneAt(pane);
  return paneLogs_[pane];
}

// Where the load stopped, for the pane's mark and tooltip and for the
// message's details.
void TForm1::NoteStoppedEarly(std::uint8_t pane, Exception& error) {
  const TChartSeries& series = PaneSeries(pane);
  TStop stop{std::nullopt, WithoutSamplesShown(error.Message(), series)};
  if (lastLoads_[pane].End == TLoadEnd::BadLine) {
    stop.Line = lastLoads_[pane].Next.Line;
  }
  error.Details = "File: " + paneLogs_[pane].FileName + "\n";
  if (stop.Line) {
    error.Details += "Stopped at line " + GroupedWholeNumber(*stop.Line) + "\n";
  }
  error.Details += "Samples kept: " + GroupedWholeNumber(series.PointCount());
  paneLogs_[pane].StoppedEarly = stop;
}

void TForm1::ShowPaneLogs() {
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    ShowPaneTip(pane);
  }
  RefreshOverlays();
}

void TForm1::ShowPaneTip(std::uint8_t pane) {
  const TPaneLog& log = paneLogs_[pane];
  std::string tip;
  if (!log.FileName.empty()) {
    const int count = PaneSeries(pane).PointCount();
    tip = log.FileName + "\n" + GroupedWholeNumber(count) + " samples";
    if (log.StoppedEarly) {
      const TStop& stop = *log.StoppedEarly;
      tip += "\nstopped " + (stop.Line ? "at line " + GroupedWholeNumber(*stop.Line) + ": " : std::string()) +
             stop.Reason + "; " + GroupedWholeNumber(count) + " samples shown";
    }
    if (notes_[pane].Leading.FileChanged()) {
      tip += "\nthe file changed since it was loaded: its time stamps are not shown";
    }
  }
  PaneLogButton(pane).SetToolTip(tip);
  PaneChart(pane).SetToolTip(tip);
}

void TForm1::FormKeyDown(int key, TShiftState shift) {
  const bool ctrl = (shift & (ssCtrl | ssAlt | ssShift)) == ssCtrl;
  if (key == VK_ESCAPE && shift == 0) {
    UndoAllZooms();
  } else if (key == 'C' && ctrl) {
    CopyPicture();
  } else if (key == 'S' && ctrl) {
    SavePicture();
  } else if (key == 'L' && shift == 0) {
    SetLocked(!Locked());
  } else if (key == 'X' && shift == 0) {
    SetSampleAxisShown(!SampleAxisShown());
  } else if (key == VK_F11 && shift == 0) {
    SetFullScreen(!FullScreen());
  } else if (!SessionKeyDown(key, shift)) {
    MeasureKeyDown(key, shift);
  }
}

// The markers of the menu go where it was opened. What needs samples is
// offered only on a pane that has them (a statistics mode that is on can
// still be switched off).
void TForm1::ShowPaneMenu(std::uint8_t pane, int x, int y) {
  const auto markAt = [this, pane, x](std::size_t marker) {
    ShowCursorReadout(pane, x);
    SetMarker(marker);
  };
  const bool samples = PaneSeries(pane).PointCount() > 0;
  const bool anyLog =
      std::any_of(paneLogs_.begin(), paneLogs_.end(), [](const TPaneLog& log) { return !log.FileName.empty(); });
  const std::vector<std::pair<TMenuEntry, std::function<void()>>> entries = {
      {{"Open log\u2026", "Ctrl+O"}, [this, pane] { LogButtonClick(pane); }},
      {{"Lock panes to the same samples", "L", true, Locked()}, [this] { SetLocked(!Locked()); }},
      {{"Show sample axis", "X", true, SampleAxisShown()}, [this] { SetSampleAxisShown(!SampleAxisShown()); }},
      {{"Set marker A", "A", false, false, samples}, [markAt] { markAt(0); }},
      {{"Set marker B", "B", false, false, samples}, [markAt] { markAt(1); }},
      {{"Clear markers", "Delete"}, [this] { ClearMarkers(); }},
      {{"Show statistics of the view", "S", true, statisticsShown_, samples || statisticsShown_},
       [this] { ToggleStatistics(); }},
      {{"Copy figures", "Ctrl+Shift+C", false, false, samples}, [this] { CopyFigures(); }},
      {{"Copy picture", "Ctrl+C"}, [this] { CopyPicture(); }},
      {{"Save picture\u2026", "Ctrl+S"}, [this] { SavePicture(); }},
      {{"Undo all zooms", "Escape"}, [this] { UndoAllZooms(); }},
      {{"Back one zoom", "Backspace"}, [this] { ZoomBack(); }},
      {{"Full screen", "F11", true, FullScreen()}, [this] { SetFullScreen(!FullScreen()); }},
      {{"Reload logs", "F5", false, false, anyLog}, [this] { ReloadLogs(); }},
      {{"Follow growing logs", "F", true, Following()}, [this] { SetFollowing(!Following()); }},
      {{"Reopen the last logs", "Ctrl+Shift+O"}, [this] { ReopenLastLogs(); }},
      {{"Close", "Ctrl+W"}, [this] { Close(); }},
  };
  std::vector<TMenuEntry> menu;
  menu.reserve(entries.size());
  for (const auto& entry : entries) {
    menu.push_back(entry.first);
  }
  if (const std::optional<std::size_t> chosen = ShowContextMenu(PaneChart(pane), x, y, menu)) {
    entries[*chosen].second();
  }
}

void TForm1::UndoAllZooms() {
  ForgetZooms();
  for (const TPane& pane : kPanes) {
    (this->*pane.Chart).EndZoom();
  }
  AlignLockedPanes();
}

void TForm1::CopyPicture() { CopyPictureToClipboard(); }

void TForm1::SavePicture() {
  SaveDialog1.InitialDir = FolderOf(LastLogFileName);
  std::vector<std::string> fileNames;
  for (const TPaneLog& log : paneLogs_) {
    fileNames.push_back(log.FileName);
  }
  SaveDialog1.FileName = SuggestedPictureName(fileNames);
  if (SaveDialog1.Execute(this)) {
    const TPictureFile picture = PictureFileFor(SaveDialog1.FileName);
    if (picture.Format == TPictureFormat::Svg) {
      SaveWindowSvg(*this, picture.FileName);
    } else {
      FormWindow::SavePicture(picture.FileName, picture.Format);
    }
  }
}

void TForm1::ButtonColor1Click() {
  for (TLineSeries* series : {&LineSeries1, &LineSeries2, &LineSeries3}) {
    series->SetSeriesColor(Series1.SeriesColor());
  }
}

void TForm1::CheckBox1Click() {
  if (CheckBox1.Checked()) {
    SetPanesPanning(PanningMode);
    CheckBox2.SetEnabled(true);
  } else {
    SetPanesPanning(pmNone);
    ResetPanesToAutomatic();
    // The check mark stays, so that scrolling comes back in the same mode.
    CheckBox2.SetEnabled(false);
  }
}

void TForm1::CheckBox2Click() {
  if (CheckBox2.Checked()) {
    PanningMode = pmBoth;
  } else {
    PanningMode = pmHorizontal;
    ResetPanesToAutomatic();
  }
  CheckBox1Click();
}

void TForm1::SetPanesPanning(TPanningMode mode) {
  for (const TPane& pane : kPanes) {
    (this->*pane.Chart).SetAllowPanning(mode);
  }
}

void TForm1::ResetPanesToAutomatic() {
  for (const TPane& pane : kPanes) {
    (this->*pane.Chart).Axes().ResetToAutomatic();
  }
  if (Locked()) {
    ShareCommonRange();
  }
}

// The dialog reports the folder just entered as its current file name.
void TForm1::OpenDialog1FolderChange() {
  OpenDialog1.SetInitialDir(OpenDialog1.FileName);
  TLastFolderFile(DirDatPath).Write(OpenDialog1.FileName);
}

void TForm1::ApplyStoredPaneSettings(TChart& chart, TLineSeries& series) {
  TChartLoading loading(chart);
  chart.Title().SetText("Parametr");
  chart.Title().Font.SetColor(kTitleColor);
  chart.SetMarginLeft(0);
  chart.SetMarginTop(1);
  chart.SetMarginRight(0);
  chart.SetMarginBottom(5);
  chart.SetView3D(false);
  chart.Zoom().SetAnimated(true);
  chart.Zoom().SetDirection(zdHorizontal);
  chart.SetAllowPanning(pmNone);
  // The left axis is configured although no series is on it, so it never shows.
  TChartAxis& left = chart.LeftAxis();
  left.SetAxisValuesFormat("#.##0.###");
  left.SetExactDateTime(false);
  left.Grid.SetStyle(psSolid);
  left.Grid.SetSmallDots(true);
  left.SetLabelsAlign(alOpposite);
  left.SetLabelsSeparation(5);
  left.SetTickInnerLength(1);
  chart.BottomAxis().SetVisible(false);
  for (TChartAxis* axis : {&chart.DepthAxis(), &chart.DepthTopAxis()}) {
    axis->SetAutomatic(false);
    axis->SetAutomaticMinimum(false);
    axis->SetAutomaticMaximum(false);
    axis->SetMinimum(kDepthMinimum);
    axis->SetMaximum(kDepthMaximum);
  }
  series.SetVertAxis(aRightAxis);
  series.Pointer().SetVisible(false);
  series.Pointer().SetStyle(psRectangle);
  series.Pointer().SetInflateMargins(true);
  series.XValues().SetOrder(loAscending);
  series.YValues().SetOrder(loNone);
  chart.SeriesList().Add(series);
}

TChart& TForm1::PaneChart(std::uint8_t pane) { return this->*PaneAt(pane).Chart; }

TChartSeries& TForm1::PaneSeries(std::uint8_t pane) { return PaneChart(pane).SeriesList()[0]; }

PushButton& TForm1::PaneLogButton(std::uint8_t pane) { return this->*PaneAt(pane).LogButton; }

// The file is opened before anything changes, so a log that cannot be
// opened leaves the pane as it was.
void TForm1::LoadLog(std::uint8_t pane, const std::string& fileName) {
  TChart& chart = PaneChart(pane);
  LogLoader loader(fileName, LoadOptions(pane));
  TChartSeries& series = chart.SeriesList()[0];
  series.ClearPoints();
  chart.EndZoom();
  paneLogs_[pane] = {fileName, std::nullopt};
  followed_[pane] = {};
  notes_[pane].Reset(fileName);
  zoomHistory_[pane].clear();
  ForgetMeasuresOf(pane);
  lastLoads_[pane] = LoadShowingProgress(loader, chart, fileName);
  NoteFollowedFile(pane);
  EndLoad(pane);
}

// The separator is read here, on the window's thread, once for the load.
// While following, a last line without its line end waits for it.
TLoadOptions TForm1::LoadOptions(std::uint8_t pane) {
  TLoadOptions options;
  options.DecimalSeparator = LocaleDecimalSeparator;
  options.Notes = &notes_[pane];
  options.TakeUnfinishedLine = !Following();
  return options;
}

void TForm1::EndLoad(std::uint8_t pane) {
  ShowTitle(PaneChart(pane), lastLoads_[pane]);
  try {
    RaiseIfStopped(lastLoads_[pane], paneLogs_[pane].FileName, PaneSeries(pane));
  } catch (Exception& error) {
    NoteStoppedEarly(pane, error);
    throw;
  }
}

const TLoadResult& TForm1::LastLoad(std::uint8_t pane) const {
  static_cast<void>(PaneAt(pane));  // raises for a pane that is not there
  return lastLoads_[pane];
}

// A log loaded on its own is a batch of one.
TLoadResult TForm1::LoadShowingProgress(LogLoader& loader, TChart& chart, const std::string& fileName) {
  const ScopedRestore<bool> loading(loading_, true);
  std::optional<TBatchProgress> single;
  TBatchProgress* progress = batch_;
  if (progress == nullptr) {
    progress = &single.emplace(this, std::vector<std::string>{fileName});
  }
  return loader.Load(chart.SeriesList()[0], clBlue, [&](const TLoadResult& sofar, double shareRead) {
    ShowTitle(chart, sofar);
    return progress->Report(shareRead);
  });
}
