// One million short segments into a pane-sized picture, each preceded by
// ApplyChartPen as the line series does for every segment it draws.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "chart/canvas/TChartPen.h"
#include "tests/support/ChartFixture.h"

namespace {

constexpr int SegmentCount = 1'000'000;

struct Segment {
  int X0, Y0, X1, Y1;
};

// A polyline as a line series draws it: each segment starts where the last
// one ended and is 1 to 5 pixels long; x runs rightwards and wraps, y wanders
// and turns back at the edges. Fixed seed.
std::vector<Segment> MakeSegments() {
  std::uint32_t state = 12345;
  auto next = [&state](int range) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
  };
  std::vector<Segment> segments;
  segments.reserve(SegmentCount);
  int x = 0;
  int y = kPaneHeight / 2;
  while (segments.size() < SegmentCount) {
    const int dx = next(6);
    int dy = next(11) - 5;
    if (y + dy < 0 || y + dy >= kPaneHeight) {
      dy = -dy;
    }
    if (dx == 0 && dy == 0) {
      continue;
    }
    if (x + dx >= kPaneWidth) {
      x = 0;
    }
    segments.push_back({x, y, x + dx, y + dy});
    x += dx;
    y += dy;
  }
  return segments;
}

void LineSegments(benchmark::State& state) {
  const std::vector<Segment> segments = MakeSegments();
  TPaneSurface drawing;
  TBufferedCanvas3D& surface = drawing.Surface;
  surface.ClipCube(kPaneBounds, 0, 0);
  TChartPen linePen;
  for (auto _ : state) {
    for (const Segment& s : segments) {
      surface.ApplyChartPen(linePen, clBlue);
      surface.LineSegment(s.X0, s.Y0, s.X1, s.Y1);
    }
    benchmark::ClobberMemory();
  }
  // Seconds per segment; printed with an SI prefix ("24.1n" is 24.1 ns).
  state.counters["per_segment"] = benchmark::Counter(
      static_cast<double>(SegmentCount), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(LineSegments)->Unit(benchmark::kMillisecond);
