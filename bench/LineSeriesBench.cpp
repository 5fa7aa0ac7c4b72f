// A line series of a long log drawn into one pane's plot through
// DrawAllPoints, at full range and zoomed to 1% of it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "tests/support/ChartFixture.h"

namespace {

// A random walk loaded as the log loader does: one AppendValue per sample,
// every point stored blue. Fixed seed.
struct LoadedPane : TLineSeriesPane {
  explicit LoadedPane(int count) {
    Series.SetSeriesColor(clBlue);
    std::uint32_t state = 12345;
    double y = 0;
    for (int i = 0; i < count; ++i) {
      state = state * 1664525u + 1013904223u;
      y += static_cast<double>(state >> 8) / (1u << 24) - 0.5;
      Series.AppendValue(y, "", clBlue);
    }
    Chart.LeftAxis().SetAxisRange(Series.MinimumY(), Series.MaximumY());
  }

  void ShowPercent(double percent) {
    const double last = Series.PointCount() - 1;
    Chart.BottomAxis().SetAxisRange(0, last * percent / 100);
    LayOutAxes();
  }
};

void DrawSeries(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const double percent = static_cast<double>(state.range(1));
  static std::unique_ptr<LoadedPane> pane;
  if (!pane || pane->Series.PointCount() != count) {
    pane = std::make_unique<LoadedPane>(count);
  }
  pane->ShowPercent(percent);
  TPaneSurface drawing;
  drawing.ClipToPlot(pane->Plot);
  for (auto _ : state) {
    pane->Series.ComputeVisibleRange(pane->Plot);
    pane->Series.DrawAllPoints(drawing.Surface, pane->Plot);
    benchmark::ClobberMemory();
  }
  const double visible = pane->Series.LastVisible - pane->Series.FirstVisible + 1;
  state.counters["visible_points"] = visible;
  // Seconds per visible point; printed with an SI prefix ("24.1n" is 24.1 ns).
  state.counters["per_point"] =
      benchmark::Counter(visible, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

// Points in the log, percent of the log shown.
BENCHMARK(DrawSeries)
    ->ArgNames({"points", "percent"})
    ->Args({1'000'000, 100})
    ->Args({1'000'000, 1})
    ->Args({10'000'000, 100})
    ->Args({10'000'000, 1})
    ->Unit(benchmark::kMillisecond);
