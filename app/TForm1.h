#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/TLastFolderFile.h"
#include "chart/controls/TButtonColor.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/FormWindow.h"
#include "gui/PushButton.h"

class TLogLineReader;

// The viewer's only window: four stacked chart panes with a Log button each,
// the colour button and the two scrolling check boxes. Whatever escapes one
// of its event handlers is shown as an error message and the window carries
// on.
class TForm1 : public FormWindow {
public:
  static constexpr int PaneCount = 4;
  static constexpr int ClientWidth = 794;
  static constexpr int ClientHeight = 584;

  // The window with "dir.dat" beside the running program.
  TForm1();
  // The window with "dir.dat" in `dirDatFolder` (ending with "/").
  explicit TForm1(const std::string& dirDatFolder);

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
  // zoom of every pane.
  void FormKeyDown(int key, TShiftState shift);
  // With no button held, the mouse over a pane's plot area shows the cursor
  // readout in every pane at that pixel column; anything else hides it.
  void ChartMouseMove(std::uint8_t pane, TShiftState shift, int x, int y);
  void ShowCursorReadout(int column);
  void HideCursorReadout();
  void CopyPicture();
  void SavePicture();
  // Every pane back to automatic scaling, with nothing left to undo.
  void UndoAllZooms();

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
  void PlaceControls();
  void ConnectEvents();
  void ApplyStoredPaneSettings(TChart& chart, TLineSeries& series);
  void ConnectPaneEvents(std::uint8_t pane);
  void LogButtonClick(std::uint8_t pane);
  // The log's samples after its header, run by run, into the chart's series.
  void AppendSamples(TLogLineReader& reader, TChart& chart, const std::string& title, const std::string& fileName);
  void OpenLog(std::uint8_t pane, const std::string& fileName);
  void ChartMouseUp(std::uint8_t pane, TMouseButton button);
  void ChartUndoZoom(std::uint8_t pane);
  void SetPanesPanning(TPanningMode mode);
  // Ends every zoom and pan of every pane.
  void ResetPanesToAutomatic();
  // The handler as the platform calls it: errors end up in a message box.
  std::function<void()> Reported(void (TForm1::*handler)());
  void RunReported(const std::function<void()>& handler);

  std::string dirDatFolder_;
};
