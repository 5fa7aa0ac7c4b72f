#include "app/TForm1.h"

#include <cstring>
#include <new>
#include <span>
#include <string>

#include "app/CursorReadout.h"
#include "app/LogSample.h"
#include "app/ReportException.h"
#include "app/TLogLineReader.h"
#include "gui/Application.h"
#include "gui/Keyboard.h"
#include "runtime/Exception.h"

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

constexpr TShiftState kAnyButton = ssLeft | ssRight | ssMiddle;
constexpr const char* kPictureFilter = "PNG picture|*.png";

// The folder part of a file name, "" for a bare name.
std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) {
    return "";
  }
  return fileName.substr(0, slash == 0 ? 1 : slash);
}

std::string LeftOutMessage(const std::vector<std::string>& fileNames, std::size_t firstLeftOut) {
  std::string text = "No pane left for";
  for (std::size_t i = firstLeftOut; i < fileNames.size(); ++i) {
    text += (i == firstLeftOut ? " '" : ", '") + fileNames[i] + "'";
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

// A read error is no end of the log: the user learns that what is shown is
// only its beginning.
void RaiseIfReadFailed(const TLogLineReader& reader, const std::string& fileName, const TChartSeries& series) {
  if (reader.ReadError() != 0) {
    throw FileException("Cannot read '" + fileName + "': " + std::strerror(reader.ReadError()) + SamplesShown(series));
  }
}

struct TPlacement {
  Control* Item;
  int Left;
  int Top;
  int Width;
  int Height;
};

}  // namespace

TForm1::TForm1() : TForm1(TLastFolderFile::FolderFor(ExecutableFileName())) {}

TForm1::TForm1(const std::string& dirDatFolder)
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
  SetClientSize(ClientWidth, ClientHeight);
  SetFont(TControlFont{});
  PlaceControls();
  for (const TPane& pane : kPanes) {
    ApplyStoredPaneSettings(this->*pane.Chart, this->*pane.Series);
  }
  OpenDialog1.Filter = kLogFilter;
  SaveDialog1.Filter = kPictureFilter;
  SaveDialog1.DefaultExtension = "png";
  ConnectEvents();
  CenterOnScreen();
  FormCreate();
}

// The table is in tab order.
void TForm1::PlaceControls() {
  const std::array<TPlacement, 11> placements = {{
      {&Chart1, 58, 8, 728, 129},
      {&ButtonColor1, 680, 552, 108, 25},
      {&Button1, 8, 8, 42, 25},
      {&Button2, 8, 144, 42, 25},
      {&Button3, 8, 280, 42, 25},
      {&Button4, 8, 416, 42, 25},
      {&Chart2, 56, 144, 728, 129},
      {&Chart3, 56, 279, 728, 129},
      {&Chart4, 56, 416, 728, 129},
      {&CheckBox1, 8, 560, 177, 17},
      {&CheckBox2, 216, 560, 73, 17},
  }};
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const TPlacement& p = placements[i];
    p.Item->SetBounds(p.Left, p.Top, p.Width, p.Height);
    if (i > 0) {
      placements[i - 1].Item->SetTabSuccessor(*p.Item);
    }
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
  OnKeyDown = [this](int key, TShiftState shift) { RunReported([=, this] { FormKeyDown(key, shift); }); };
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    ConnectPaneEvents(pane);
  }
}

void TForm1::ConnectPaneEvents(std::uint8_t pane) {
  TChart& chart = PaneChart(pane);
  chart.OnMouseUp = [this, pane](TCustomChartPanel&, TMouseButton button, TShiftState, int, int) {
    RunReported([this, pane, button] { ChartMouseUp(pane, button); });
  };
  chart.OnUndoZoom = [this, pane](TCustomChartPanel&) { RunReported([this, pane] { ChartUndoZoom(pane); }); };
  chart.OnMouseMove = [this, pane](TCustomChartPanel&, TMouseButton, TShiftState shift, int x, int y) {
    RunReported([=, this] { ChartMouseMove(pane, shift, x, y); });
  };
  // A press may start a drag.
  chart.OnMouseDown = [this](TCustomChartPanel&, TMouseButton, TShiftState, int, int) { HideCursorReadout(); };
  chart.OnMouseLeave = [this](TCustomChartPanel&) { HideCursorReadout(); };
  const auto dropped = [this, pane](const std::vector<std::string>& fileNames) { OpenLogs(pane, fileNames); };
  chart.SetOnFilesDropped(dropped);
  PaneLogButton(pane).SetOnFilesDropped(dropped);
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

// Only a drag that zooms its own pane is passed on. A plain click or a press
// that started no drag leaves an old rectangle in the record, which must not
// zoom the other panes again.
void TForm1::ChartMouseUp(std::uint8_t pane, TMouseButton button) {
  if (PaneChart(pane).ReleaseZooms(button)) {
    SyncZoom(pane);
  }
}

void TForm1::SyncZoom(std::uint8_t sourcePane) {
  const TChartZoom& zoom = PaneChart(sourcePane).Zoom();
  const TRect rect{zoom.StartX, zoom.StartY, zoom.EndX, zoom.EndY};
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (pane != sourcePane) {
      PaneChart(pane).ZoomToRectangle(rect);
    }
  }
}

void TForm1::ChartUndoZoom(std::uint8_t pane) {
  for (std::uint8_t other = 0; other < PaneCount; ++other) {
    if (other != pane) {
      PaneChart(other).Axes().ResetToAutomatic();
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
  LoadLog(pane, fileName);
}

void TForm1::OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames) {
  std::size_t next = 0;
  for (std::uint8_t pane = firstPane; pane < PaneCount && next < fileNames.size(); ++pane, ++next) {
    RunReported([&] { OpenLog(pane, fileNames[next]); });
  }
  if (next < fileNames.size()) {
    RunReported([&] { throw Exception(LeftOutMessage(fileNames, next)); });
  }
}

void TForm1::FormKeyDown(int key, TShiftState shift) {
  const bool ctrl = (shift & (ssCtrl | ssAlt | ssShift)) == ssCtrl;
  if (key == VK_ESCAPE && shift == 0) {
    UndoAllZooms();
  } else if (key == 'C' && ctrl) {
    CopyPicture();
  } else if (key == 'S' && ctrl) {
    SavePicture();
  }
}

void TForm1::UndoAllZooms() {
  for (const TPane& pane : kPanes) {
    (this->*pane.Chart).EndZoom();
  }
}

void TForm1::CopyPicture() { CopyPictureToClipboard(); }

void TForm1::SavePicture() {
  SaveDialog1.InitialDir = FolderOf(LastLogFileName);
  if (SaveDialog1.Execute(this)) {
    SavePicturePng(SaveDialog1.FileName);
  }
}

void TForm1::ChartMouseMove(std::uint8_t pane, TShiftState shift, int x, int y) {
  if ((shift & kAnyButton) == 0 && PaneChart(pane).PlotRect.ContainsInclusive({x, y})) {
    ShowCursorReadout(x);
  } else {
    HideCursorReadout();
  }
}

// Worked out at every paint of the window, so that the readout follows a new
// log, zoom or scroll under a mouse that stays where it is.
void TForm1::ShowCursorReadout(int column) {
  for (const TPane& pane : kPanes) {
    TChart& chart = this->*pane.Chart;
    chart.SetOverlay([&chart, column](TRasterCanvas& canvas) {
      if (const std::optional<TCursorReadout> readout = PaneReadout(chart, column)) {
        DrawCursorReadout(canvas, *readout);
      }
    });
  }
}

void TForm1::HideCursorReadout() {
  for (const TPane& pane : kPanes) {
    (this->*pane.Chart).ClearOverlay();
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

void TForm1::LoadLog(std::uint8_t pane, const std::string& fileName) {
  TChart& chart = PaneChart(pane);
  TLogLineReader reader(fileName);
  TChartSeries& series = chart.SeriesList()[0];
  series.ClearPoints();
  chart.EndZoom();
  TLogLine header;
  if (!reader.NextLine(header)) {
    RaiseIfReadFailed(reader, fileName, series);
    return;
  }
  const std::string title(HeaderTitle(header.Text));
  // Running out of memory anywhere in the load keeps the samples appended so
  // far, as a bad line does, and says so.
  try {
    AppendSamples(reader, chart, title, fileName);
  } catch (const std::bad_alloc&) {
    throw Exception("Out of memory while loading '" + fileName + "'" + SamplesShown(series));
  }
  RaiseIfReadFailed(reader, fileName, series);
}

void TForm1::AppendSamples(TLogLineReader& reader, TChart& chart, const std::string& title,
                           const std::string& fileName) {
  TChartSeries& series = chart.SeriesList()[0];
  TLogSamples samples;
  const TLogSamples::TTake append = [&series](std::span<const double> values) { series.AppendValues(values, clBlue); };
  std::string_view run = reader.RestOfRun();
  ProgressDialog progress(this, "Loading " + fileName + "...");
  do {
    const std::exception_ptr error = samples.Convert(run, append);
    // The title is shown only once a sample is in.
    if (series.PointCount() > 0) {
      chart.Title().SetText(title);
    }
    if (error) {
      std::rethrow_exception(error);
    }
    if (progress.Report(reader.ShareRead())) {
      throw Exception("Loading '" + fileName + "' was cancelled" + SamplesShown(series));
    }
  } while (reader.Blocks().Next(run));
}
