// Loading generated logs of one and ten million lines through LoadLog. The
// logs are written once into the temporary folder and reused; they are never
// part of the repository.
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "app/LogGenerator.h"
#include "app/TForm1.h"

namespace {

namespace fs = std::filesystem;

std::string GeneratedLog(long lines) {
  const fs::path path = fs::temp_directory_path() / ("logviewer-bench-" + std::to_string(lines) + ".csv");
  if (!fs::exists(path)) {
    const std::string partial = path.string() + ".part";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    TLogGeneratorOptions options;
    options.Lines = lines;
    options.WordFraction = 0.01;
    const bool written = out != nullptr && WriteLog(out, options);
    if (out != nullptr) {
      std::fclose(out);
    }
    if (!written) {
      return {};
    }
    fs::rename(partial, path);
  }
  return path.string();
}

long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_LoadLog(benchmark::State& state) {
  const long lines = state.range(0);
  const std::string file = GeneratedLog(lines);
  if (file.empty()) {
    state.SkipWithError("cannot write the log");
    return;
  }
  TForm1 form;
  for (auto _ : state) {
    form.LoadLog(0, file);
  }
  if (form.Series1.PointCount() != lines) {
    state.SkipWithError("not every line was loaded");
  }
  // Y as a double per point: X is the point's index and every point has the
  // same colour, neither stored per point.
  const double pointBytes = static_cast<double>(lines) * 8;
  state.counters["points_MB"] = pointBytes / 1e6;
  state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentKilobytes()) * 1024 / 1e6;
  state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
  state.SetItemsProcessed(state.iterations() * lines);
}

BENCHMARK(BM_LoadLog)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
