// The animated zoom of the viewer: 8 steps, that is 7 synchronous repaints
// and the final one, on panes of one million samples each; the four-pane
// case is a zoom the other panes follow (28 animation repaints in all).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/Application.h"

namespace {

constexpr int SampleCount = 1'000'000;

struct BenchPane {
  BenchPane() {
    chart.SetView3D(false);
    chart.SetMarginLeft(0);
    chart.SetMarginTop(1);
    chart.SetMarginRight(0);
    chart.SetMarginBottom(5);
    chart.BottomAxis().SetVisible(false);
    chart.Zoom().SetAnimated(true);
    chart.Zoom().SetDirection(zdHorizontal);
    series.SetVertAxis(aRightAxis);
    chart.SeriesList().Add(series);
    for (int i = 0; i < SampleCount; ++i) series.AppendValue(std::sin(i * 0.001) * 100, "", clBlue);
    chart.SetBounds(0, 0, 728, 129);
  }

  TLineSeries series;
  TChart chart;
};

void AnimatedZoom(benchmark::State& state, int paneCount) {
  EnsureApplication();
  std::vector<std::unique_ptr<BenchPane>> panes;
  panes.reserve(paneCount);
  for (int i = 0; i < paneCount; ++i) panes.push_back(std::make_unique<BenchPane>());
  const TRect band{200, panes[0]->chart.PlotRect.Top, 500, panes[0]->chart.PlotRect.Bottom};
  for (auto _ : state) {
    state.PauseTiming();
    for (auto& pane : panes) {
      pane->chart.Axes().ResetToAutomatic();
      pane->chart.Refresh();
    }
    state.ResumeTiming();
    for (auto& pane : panes) {
      pane->chart.ZoomToRectangle(band);
      pane->chart.Refresh();
    }
  }
  long paints = 0;
  for (auto& pane : panes) paints += pane->chart.PaintCount();
  state.counters["paints_per_zoom"] = static_cast<double>(paints) / static_cast<double>(state.iterations()) - paneCount;
}

}  // namespace

BENCHMARK_CAPTURE(AnimatedZoom, OnePane, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnimatedZoom, FourPanes, 4)->Unit(benchmark::kMillisecond);
