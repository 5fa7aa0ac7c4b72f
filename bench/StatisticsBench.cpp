// The figures of a stretch (extremes from the summary, the mean from block
// sums) for four panes of ten million samples each, over nearly the whole
// log, as the statistics of a full view or markers near both ends ask.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/measure/StretchStatistics.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/Application.h"

namespace {

constexpr int kPanes = 4;
constexpr int kSamples = 10'000'000;

struct BenchSeries {
  BenchSeries() {
    std::vector<double> values(kSamples);
    for (int i = 0; i < kSamples; ++i) {
      values[static_cast<std::size_t>(i)] = std::sin(i * 0.001) * 100;
    }
    chart.SeriesList().Add(series);
    series.AppendValues(values, clBlue);
    series.YValues().Summary();
  }
  TChart chart;
  TLineSeries series;
};

// Arg 0: the first figures after a load, which sum every block; arg 1: a
// stretch that moved, with the block sums kept.
void FourPaneStatistics(benchmark::State& state) {
  EnsureApplication();
  std::vector<std::unique_ptr<BenchSeries>> panes;
  panes.reserve(kPanes);
  for (int i = 0; i < kPanes; ++i) {
    panes.push_back(std::make_unique<BenchSeries>());
  }
  std::vector<TBlockSums> sums(kPanes);
  const bool kept = state.range(0) != 0;
  int first = 1;
  for (auto _ : state) {
    for (std::size_t i = 0; i < kPanes; ++i) {
      if (!kept) {
        sums[i].Clear();
      }
      benchmark::DoNotOptimize(StretchStatistics(panes[i]->series.YValues(), first, kSamples - 2, sums[i]));
    }
    first = first % 1000 + 1;
  }
}

}  // namespace

BENCHMARK(FourPaneStatistics)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
