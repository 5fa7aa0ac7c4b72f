// What the time stamps of a 10M-sample log cost to keep, and to look up by
// time, for a regularly stamped log, one with jitter, and one stamped
// anyhow. The "bytes_per_point" counter says which kind costs what.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

#include "log/TStampTimes.h"

namespace {

constexpr std::size_t kSamples = 10'000'000;

struct TKind {
  const char* Name;
  double Step;
  double Jitter;
  int Decimals;
};

constexpr TKind kKinds[] = {{"regular", 0.01, 0, 2}, {"jitter", 0.01, 0.003, 3}, {"anyhow", 10000, 9000, 6}};

TStampTimes Stamps(const TKind& kind) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> jitter(-kind.Jitter, kind.Jitter);
  TStampTimes times;
  for (std::size_t i = 0; i < kSamples; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", kind.Decimals, static_cast<double>(i) * kind.Step + jitter(random));
    times.Append(ParseStamp(text));
  }
  return times;
}

void StampTimesNearest(benchmark::State& state) {
  const TKind& kind = kKinds[state.range(0)];
  const TStampTimes times = Stamps(kind);
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> seconds(0, static_cast<double>(kSamples) * kind.Step);
  for (auto _ : state) {
    benchmark::DoNotOptimize(times.NearestSample(seconds(random)));
  }
  state.SetLabel(kind.Name);
  state.counters["bytes_per_point"] = static_cast<double>(times.BytesUsed()) / kSamples;
}

}  // namespace

BENCHMARK(StampTimesNearest)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
