// What the time stamps of a 10M-sample log cost to keep, and to look up by
// time, for a regularly stamped log, one with jitter, and one stamped
// anyhow. The "bytes_per_point" counter says which kind costs what.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

#include "log/TStampTimes.h"

namespace {

constexpr std::size_t kSamples = 10'000'000;

// Each stamp a step on from the one before, plus up to Jitter either way,
// or plus anything from 0 to 2 Step ("anyhow").
struct TKind {
  const char* Name;
  double Step;
  double Jitter;
  int Decimals;
  bool Anyhow;
};

constexpr TKind kKinds[] = {
    {"regular", 0.01, 0, 2, false}, {"jitter", 0.01, 0.003, 3, false}, {"anyhow", 1000, 0, 5, true}};

TStampTimes Stamps(const TKind& kind) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> jitter(-kind.Jitter, kind.Jitter);
  std::uniform_real_distribution<double> step(0, 2 * kind.Step);
  TStampTimes times;
  double walked = 0;
  for (std::size_t i = 0; i < kSamples; ++i) {
    walked += step(random);
    const double seconds = kind.Anyhow ? walked : static_cast<double>(i) * kind.Step + jitter(random);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", kind.Decimals, seconds);
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
