#include "app/TForm1.h"

#include "app/LogSample.h"
#include "app/TLogLineReader.h"
#include "runtime/Exception.h"

namespace {

struct TPane {
  TChart TForm1::*Chart;
  TLineSeries TForm1::*Series;
};

constexpr std::array<TPane, TForm1::PaneCount> kPanes = {{
    {&TForm1::Chart1, &TForm1::Series1},
    {&TForm1::Chart2, &TForm1::LineSeries1},
    {&TForm1::Chart3, &TForm1::LineSeries2},
    {&TForm1::Chart4, &TForm1::LineSeries3},
}};

const TPane& PaneAt(std::uint8_t pane) {
  if (pane >= kPanes.size()) {
    throw EAssertionFailed("Pane index " + std::to_string(pane) + " out of range (0 to 3).");
  }
  return kPanes[pane];
}

// The depth axes' stored range; they are hidden in 2D.
constexpr double kDepthMinimum = -0.5299999999998777;
constexpr double kDepthMaximum = 0.4700000000001153;

}  // namespace

TForm1::TForm1() {
  for (const TPane& pane : kPanes) {
    ApplyStoredPaneSettings(this->*pane.Chart, this->*pane.Series);
  }
  Series1.SetSeriesColor(clBlue);
  for (TLineSeries* series : {&LineSeries1, &LineSeries2, &LineSeries3}) {
    series->SetSeriesColor(Series1.SeriesColor());
  }
}

void TForm1::ApplyStoredPaneSettings(TChart& chart, TLineSeries& series) {
  TChartLoading loading(chart);
  chart.Title().SetText("Parametr");
  chart.BottomAxis().SetVisible(false);
  for (TChartAxis* axis : {&chart.DepthAxis(), &chart.DepthTopAxis()}) {
    axis->SetAutomatic(false);
    axis->SetAutomaticMinimum(false);
    axis->SetAutomaticMaximum(false);
    axis->SetMinimum(kDepthMinimum);
    axis->SetMaximum(kDepthMaximum);
  }
  series.SetVertAxis(aRightAxis);
  chart.SeriesList().Add(series);
}

TChart& TForm1::PaneChart(std::uint8_t pane) { return this->*PaneAt(pane).Chart; }

TChartSeries& TForm1::PaneSeries(std::uint8_t pane) { return PaneChart(pane).SeriesList()[0]; }

void TForm1::LoadLog(std::uint8_t pane, const std::string& fileName) {
  TChart& chart = PaneChart(pane);
  TLogLineReader reader(fileName);
  if (!reader.IsOpen()) {
    return;
  }
  TChartSeries& series = chart.SeriesList()[0];
  series.ClearPoints();
  chart.Axes().ResetToAutomatic();
  TLogLine line;
  if (!reader.NextLine(line)) {
    return;
  }
  const std::string title(HeaderTitle(line.Text));
  // The title is shown only once a sample is in; setting it again with the
  // same text would change nothing.
  bool titleShown = false;
  while (reader.NextLine(line)) {
    series.AppendValue(LogLineValue(line), "", clBlue);
    if (!titleShown) {
      chart.Title().SetText(title);
      titleShown = true;
    }
  }
}
