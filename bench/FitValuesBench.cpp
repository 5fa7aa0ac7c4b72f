// Fitting the value axes to the view: four 10M-point panes 3840 pixels wide,
// locked, each fit after the view moved to a stretch not fitted before, so
// nothing is reused but the series' own summaries.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>

#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "chart/series/TLineSeries.h"
#include "gui/Application.h"

namespace {

constexpr int kSamples = 10'000'000;

struct FourPanes {
  FourPanes() {
    EnsureApplication();
    for (std::size_t pane = 0; pane < charts.size(); ++pane) {
      charts[pane].SeriesList().Add(series[pane]);
      series[pane].SetVertAxis(aRightAxis);
      for (int i = 0; i < kSamples; ++i) {
        series[pane].AppendValue(std::sin(i * 0.0001 * static_cast<double>(pane + 1)) * 100, "", clBlue);
      }
      charts[pane].SetBounds(0, 0, 3840, 400);
      charts[pane].Refresh();
    }
    state.SetLocked(true);
    state.SetFitValues(true);
  }

  std::array<TChart, 4> charts;
  std::array<TLineSeries, 4> series;
  TSavedState state;
  TPaneCoordinator coordinator{{&charts[0], &charts[1], &charts[2], &charts[3]}, state};
};

void FitValuesFourPanes(benchmark::State& state) {
  FourPanes panes;
  double start = 0;
  for (auto _ : state) {
    state.PauseTiming();
    start = std::fmod(start + 1'234'567, kSamples / 2.0);
    for (TChart& chart : panes.charts) {
      chart.BottomAxis().SetAxisRange(start, start + kSamples / 3.0);
    }
    state.ResumeTiming();
    panes.coordinator.FitChanged();
  }
  // 1 when the panes were fitted, not left automatic.
  state.counters["fitted"] = panes.charts[0].RightAxis().Automatic() ? 0 : 1;
}

}  // namespace

BENCHMARK(FitValuesFourPanes)->Unit(benchmark::kMillisecond);
