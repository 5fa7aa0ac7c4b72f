#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"

// The main window's panes and the loading of a log into one of them. The
// window itself, its controls and handlers are added around this core.
class TForm1 {
public:
  static constexpr int PaneCount = 4;

  TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The pane table: pane 0 is Chart1 at the top, pane 3 Chart4 at the
  // bottom. Raises EAssertionFailed for a pane index above 3.
  TChart& PaneChart(std::uint8_t pane);
  TChartSeries& PaneSeries(std::uint8_t pane);

  // Replaces the pane's curve and title by the log's. A file that cannot be
  // opened changes nothing; a sample that is not a number raises
  // EConvertError, keeping the points before it.
  void LoadLog(std::uint8_t pane, const std::string& fileName);

  // The file name the last confirmed Log dialog chose.
  std::string LastLogFileName;

  // Charts before series: the series, destroyed first, leave their charts.
  TChart Chart1;
  TChart Chart2;
  TChart Chart3;
  TChart Chart4;
  TLineSeries Series1;
  TLineSeries LineSeries1;
  TLineSeries LineSeries2;
  TLineSeries LineSeries3;

private:
  void ApplyStoredPaneSettings(TChart& chart, TLineSeries& series);
};
