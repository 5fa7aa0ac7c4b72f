// The animated zoom of the viewer: 8 steps, that is 7 synchronous repaints
// and the final one, on panes of one million samples each; the four-pane
// case is a zoom the other panes follow (28 animation repaints in all). The
// ten-million case is a zoom and an undo of four panes, as the viewer does
// for a drag to the right and one back.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/Application.h"

namespace {

struct BenchPane {
  explicit BenchPane(int sampleCount) {
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
    for (int i = 0; i < sampleCount; ++i) {
      series.AppendValue(std::sin(i * 0.001) * 100, "", clBlue);
    }
    chart.SetBounds(0, 0, 728, 129);
  }

  TLineSeries series;
  TChart chart;
};

std::vector<std::unique_ptr<BenchPane>> MakePanes(int paneCount, int sampleCount) {
  EnsureApplication();
  std::vector<std::unique_ptr<BenchPane>> panes;
  panes.reserve(static_cast<std::size_t>(paneCount));
  for (int i = 0; i < paneCount; ++i) {
    panes.push_back(std::make_unique<BenchPane>(sampleCount));
  }
  for (auto& pane : panes) {
    pane->chart.Refresh();
  }
  return panes;
}

TRect Band(const BenchPane& pane) { return {200, pane.chart.PlotRect.Top, 500, pane.chart.PlotRect.Bottom}; }

void AnimatedZoom(benchmark::State& state, int paneCount) {
  const auto panes = MakePanes(paneCount, 1'000'000);
  const TRect band = Band(*panes[0]);
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
  for (auto& pane : panes) {
    paints += pane->chart.PaintCount();
  }
  state.counters["paints_per_zoom"] = static_cast<double>(paints) / static_cast<double>(state.iterations()) - paneCount;
}

void ZoomAndUndoTenMillion(benchmark::State& state) {
  const auto panes = MakePanes(4, 10'000'000);
  const TRect band = Band(*panes[0]);
  for (auto _ : state) {
    for (auto& pane : panes) {
      pane->chart.ZoomToRectangle(band);
      pane->chart.Refresh();
    }
    for (auto& pane : panes) {
      pane->chart.UndoZoom();
      pane->chart.Refresh();
    }
  }
}

}  // namespace

BENCHMARK_CAPTURE(AnimatedZoom, OnePane, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnimatedZoom, FourPanes, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomAndUndoTenMillion)->Unit(benchmark::kMillisecond);
