#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "runtime/NumberFormat.h"

namespace {

// Axis-like values over many magnitudes, with and without fractions.
std::vector<double> VariedValues(std::size_t count) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-6, 12);
  std::vector<double> values(count);
  for (double& value : values) {
    value = mantissa(random) * std::pow(10.0, exponent(random));
  }
  return values;
}

void BM_FormatNumberAxisPattern(benchmark::State& state) {
  const std::vector<double> values = VariedValues(1'000'000);
  for (auto _ : state) {
    for (double value : values) {
      benchmark::DoNotOptimize(FormatNumber("#,##0.###", value));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_FormatNumberAxisPattern)->Unit(benchmark::kMillisecond);

void BM_GeneralNumberText(benchmark::State& state) {
  const std::vector<double> values = VariedValues(1'000'000);
  for (auto _ : state) {
    for (double value : values) {
      benchmark::DoNotOptimize(GeneralNumberText(value));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_GeneralNumberText)->Unit(benchmark::kMillisecond);

}  // namespace
