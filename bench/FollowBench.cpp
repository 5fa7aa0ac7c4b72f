// Following four growing logs: each gains 10,000 lines a second, written in
// 100 appends of 100 lines, and the window's follow step runs after every
// round of appends, as the change notifications run it. The time reported
// is the process's CPU time of the follow steps (with the statistics of the
// view brought up to date, as its overlay asks at every paint) for one
// second of growth: 50 ms is 5% of one core. The logs already loaded are
// 1M or 10M lines long, to show that a step costs the same either way.
#include <time.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/window/TForm1.h"
#include "gui/Application.h"
#include "gui/DialogScript.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRoundsPerSecond = 100;
constexpr int kLinesPerRound = 100;

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One round's lines: what a diagnostic tool writes, a value and a time.
std::string RoundLines() {
  std::string lines;
  for (int i = 0; i < kLinesPerRound; ++i) {
    lines += std::to_string(i * 10) + "," + std::to_string(i % 37) + ".25\n";
  }
  return lines;
}

std::string WrittenLog(int pane, long lines) {
  const fs::path path = fs::temp_directory_path() / ("logviewer-follow-bench-" + std::to_string(pane) + ".csv");
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    return {};
  }
  std::fputs("t,Signal\n", out);
  const std::string round = RoundLines();
  bool written = true;
  for (long line = 0; written && line < lines; line += kLinesPerRound) {
    written = std::fwrite(round.data(), 1, round.size(), out) == round.size();
  }
  return std::fclose(out) == 0 && written ? path.string() : std::string();
}

bool Append(const std::string& file, const std::string& bytes) {
  std::FILE* out = std::fopen(file.c_str(), "ab");
  const bool written = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return out != nullptr && std::fclose(out) == 0 && written;
}

void BM_FollowFourGrowingLogs(benchmark::State& state) {
  const DialogScript script;
  const fs::path folder = fs::temp_directory_path() / "logviewer-follow-bench";
  TForm1 form(folder.string() + "/");
  std::vector<std::string> files;
  for (int pane = 0; pane < TForm1::PaneCount; ++pane) {
    files.push_back(WrittenLog(pane, state.range(0)));
    if (files.back().empty()) {
      state.SkipWithError("cannot write the logs");
      return;
    }
  }
  form.OpenLogs(0, files);
  form.SetFollowing(true);
  form.FormKeyDown('S', 0);
  // The first figures of a view sum the whole log once; following only
  // extends them.
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    form.PaneChart(pane).Refresh();
    benchmark::DoNotOptimize(form.Measures().PaneStatistics(pane));
  }
  const std::string round = RoundLines();
  double followCpu = 0;
  double statisticsCpu = 0;
  for (auto _ : state) {
    double cpu = 0;
    for (int k = 0; k < kRoundsPerSecond; ++k) {
      for (const std::string& file : files) {
        if (!Append(file, round)) {
          state.SkipWithError("cannot append to the logs");
          return;
        }
      }
      double start = ProcessSeconds();
      form.FollowLogs();
      const double follow = ProcessSeconds() - start;
      // The paint, timed by WindowBench, brings the automatic axes to the new
      // samples; the statistics of the view it asks for are timed here.
      for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
        form.PaneChart(pane).Refresh();
      }
      start = ProcessSeconds();
      for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
        benchmark::DoNotOptimize(form.Measures().PaneStatistics(pane));
      }
      const double statistics = ProcessSeconds() - start;
      followCpu += follow;
      statisticsCpu += statistics;
      cpu += follow + statistics;
    }
    state.SetIterationTime(cpu);
  }
  if (!script.Messages.empty()) {
    state.SkipWithError(script.Messages[0].Text.c_str());
  }
  state.counters["loaded_lines"] = static_cast<double>(state.range(0));
  // Milliseconds a second of growth, of the two parts.
  const double iterations = static_cast<double>(state.iterations());
  state.counters["follow_ms"] = followCpu * 1e3 / iterations;
  state.counters["statistics_ms"] = statisticsCpu * 1e3 / iterations;
  for (const std::string& file : files) {
    fs::remove(file);
  }
}

// From a line's end being written to its sample being in the pane, through
// the file system's notification and the window's event handling: the
// real time of one appended line.
void BM_FollowLatency(benchmark::State& state) {
  const DialogScript script;
  const fs::path folder = fs::temp_directory_path() / "logviewer-follow-bench";
  TForm1 form(folder.string() + "/");
  const std::string file = WrittenLog(0, kLinesPerRound);
  if (file.empty()) {
    state.SkipWithError("cannot write the log");
    return;
  }
  form.OpenLogs(0, {file});
  form.SetFollowing(true);
  const TChartSeries& series = form.PaneSeries(0);
  for (auto _ : state) {
    const int before = series.PointCount();
    if (!Append(file, "1,2.5\n")) {
      state.SkipWithError("cannot append to the log");
      return;
    }
    while (series.PointCount() == before) {
      ProcessPendingEvents();
    }
  }
  fs::remove(file);
}

}  // namespace

BENCHMARK(BM_FollowLatency)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FollowFourGrowingLogs)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
