// Loading generated logs of one and ten million lines through LoadLog, and
// four ten-million-line logs one after the other: into the panes, and as
// the command line opens them, from the window shown to the first complete
// picture. The logs are written once into the temporary folder and reused;
// they are never part of the repository.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/window/TForm1.h"
#include "gui/Application.h"
#include "log/LogGenerator.h"

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

// The process's resident memory now, from the second field of statm (pages).
double ResidentBytes() {
  long pages = 0;
  long resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
      resident = 0;
    }
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

void BM_LoadLog(benchmark::State& state) {
  const long lines = state.range(0);
  const std::string file = GeneratedLog(lines);
  if (file.empty()) {
    state.SkipWithError("cannot write the log");
    return;
  }
  TForm1 form;
  // What the first load leaves resident: the values, their summaries and
  // the notes (words, leading fields), beside what the load freed again.
  const double before = ResidentBytes();
  form.Document().Load(0, file);
  const double loaded = ResidentBytes() - before;
  for (auto _ : state) {
    form.Document().Load(0, file);
  }
  if (form.Series1.PointCount() != lines) {
    state.SkipWithError("not every line was loaded");
  }
  const auto points = static_cast<double>(lines);
  const TLogNotes& notes = form.Document().Notes(0);
  state.counters["resident_B_per_point"] = loaded / points;
  state.counters["notes_B_per_point"] =
      static_cast<double>(notes.Words.BytesUsed() + notes.Leading.BytesUsed()) / points;
  state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentKilobytes()) * 1024 / 1e6;
  state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
  state.SetItemsProcessed(state.iterations() * lines);
}

// The processor time of every thread of the process, in seconds.
double ProcessSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// How many cores the loads kept busy on average.
class CoresBusy {
public:
  explicit CoresBusy(benchmark::State& state) : state_(state), start_(ProcessSeconds()), wallStart_(Clock::now()) {}
  ~CoresBusy() {
    const std::chrono::duration<double> wall = Clock::now() - wallStart_;
    state_.counters["cores"] = (ProcessSeconds() - start_) / wall.count();
  }
  CoresBusy(const CoresBusy&) = delete;
  CoresBusy& operator=(const CoresBusy&) = delete;

private:
  using Clock = std::chrono::steady_clock;
  benchmark::State& state_;
  double start_;
  Clock::time_point wallStart_;
};

std::vector<std::string> FourLogs(const std::string& file) { return {file, file, file, file}; }

void BM_LoadFourLogs(benchmark::State& state) {
  const std::string file = GeneratedLog(state.range(0));
  if (file.empty()) {
    state.SkipWithError("cannot write the log");
    return;
  }
  TForm1 form;
  const CoresBusy cores(state);
  for (auto _ : state) {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.Document().Load(pane, file);
    }
  }
}

// As the program does with logs named on the command line: the window is
// shown, and once painted it loads them; the time ends when every pane's
// picture shows its log.
void BM_CommandLineToPicture(benchmark::State& state) {
  const std::string file = GeneratedLog(state.range(0));
  if (file.empty()) {
    state.SkipWithError("cannot write the log");
    return;
  }
  EnsureApplication();
  std::optional<TForm1> form;
  const CoresBusy cores(state);
  for (auto _ : state) {
    state.PauseTiming();
    form.reset();
    form.emplace();
    state.ResumeTiming();
    bool loaded = false;
    form->Show();
    form->RunOncePainted([&] {
      form->OpenLogs(0, FourLogs(file));
      loaded = true;
    });
    while (!loaded) {
      ProcessPendingEvents();
    }
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form->PaneChart(pane).Repaint();
    }
  }
}

BENCHMARK(BM_LoadLog)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
// A hundred million lines (1.5 GB): twice is enough to see the time and what stays resident.
BENCHMARK(BM_LoadLog)->Arg(100'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

BENCHMARK(BM_LoadFourLogs)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CommandLineToPicture)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
