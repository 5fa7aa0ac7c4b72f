// The viewer's window at the size of a 4K screen (3840 x 2100 client pixels,
// as maximised under a task bar), four panes of ten million points each: a
// full repaint of the four, an animated zoom on one that the others follow
// plus its undo, and a resize step to a window 10% wider, repainted. The
// start size is measured beside it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "gui/Application.h"

namespace {

constexpr int kPoints = 10'000'000;

// A folder of its own for the window's dir.dat.
std::string TempFolder() {
  std::string pattern = "/tmp/window-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::abort();
  }
  return pattern + "/";
}

struct BenchWindow {
  BenchWindow(int width, int height) : form(TempFolder()) {
    std::vector<double> values(kPoints);
    for (int i = 0; i < kPoints; ++i) {
      values[static_cast<std::size_t>(i)] = std::sin(i * 0.0001) * 100 + (i % 7);
    }
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.PaneSeries(pane).AppendValues(values, clBlue);
    }
    form.SetClientSize(width, height);
    RepaintPanes();
  }

  void RepaintPanes() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.PaneChart(pane).Repaint();
    }
  }

  void Drag(int x0, int x1) {
    TChart& chart = form.Chart2;
    const int y = chart.PlotCenterY;
    chart.MouseDown(mbLeft, ssLeft, x0, y);
    chart.MouseMove(ssLeft, x1, y);
    chart.MouseUp(mbLeft, 0, x1, y);
  }

  TForm1 form;
};

// One window for all cases of a size: ten million points take a while to make.
BenchWindow& WindowOfSize(int width, int height) {
  EnsureApplication();
  static std::unique_ptr<BenchWindow> window;
  if (!window) {
    window = std::make_unique<BenchWindow>(width, height);
  }
  window->form.SetClientSize(width, height);
  window->RepaintPanes();
  return *window;
}

void FullRepaint(benchmark::State& state) {
  BenchWindow& window = WindowOfSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      window.form.PaneChart(pane).Refresh();
    }
  }
}

void ZoomAndUndo(benchmark::State& state) {
  BenchWindow& window = WindowOfSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const int width = window.form.Chart2.PlotWidth;
  for (auto _ : state) {
    window.Drag(width / 4, width / 2);
    window.RepaintPanes();
    window.Drag(width / 2, width / 4);
    window.RepaintPanes();
  }
}

// Every step makes the window 10% wider than the start of the step, or
// narrows it back.
void ResizeStep(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  BenchWindow& window = WindowOfSize(width, height);
  bool wide = false;
  for (auto _ : state) {
    wide = !wide;
    window.form.SetClientSize(wide ? width + width / 10 : width, height);
    window.RepaintPanes();
  }
}

}  // namespace

BENCHMARK(FullRepaint)->Args({794, 584})->Args({3840, 2100})->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomAndUndo)->Args({794, 584})->Args({3840, 2100})->Unit(benchmark::kMillisecond);
BENCHMARK(ResizeStep)->Args({794, 584})->Args({3840, 2100})->Unit(benchmark::kMillisecond);
