#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "gui/Geometry.h"
#include "gui/TPen.h"

// A 32-bit pixel array addressed by row: Bits[y * Stride + x].
struct TPixelBuffer {
  std::uint32_t* Bits = nullptr;
  int Stride = 0;
};

// The on/off pattern of a one-pixel pen, counted in pixels along the line.
// Its phase carries over from one line to the next, so a dashed polyline
// keeps its rhythm at the corners.
class TLinePattern {
public:
  static TLinePattern ForPen(const TPen& pen);

  bool IsSolid() const { return period_ == 0; }
  // The alternating on and off lengths, starting with on; none when solid.
  std::span<const int> OnOffRuns() const { return {runs_.data(), static_cast<std::size_t>(runCount_)}; }
  // Where in the period the pixel `step` pixels after the current phase
  // falls, for a pattern that is not solid.
  int PositionAt(std::int64_t step) const;
  void Advance(std::int64_t steps);
  void Restart() { phase_ = 0; }

private:
  static constexpr int MaxRuns = 6;
  std::array<int, MaxRuns> runs_{};  // alternating on and off lengths
  int runCount_ = 0;
  int period_ = 0;
  int phase_ = 0;
};

// Draws the one-pixel line from `from` towards `to`, leaving out the end
// pixel, with `mode` applied to every pixel drawn. Pixels outside `clip`
// (right and bottom exclusive, already inside the buffer) are not touched;
// the walk starts at the clip edge, so lines far outside cost nothing.
void DrawThinLine(TPixelBuffer buffer, const TRect& clip, TPoint from, TPoint to, std::uint32_t pixel, TPenMode mode,
                  TLinePattern& pattern);
