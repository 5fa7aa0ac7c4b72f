#include "gui/LineRaster.h"

#include <algorithm>
#include <cstdlib>

#include "gui/RasterOp.h"

namespace {

struct Runs {
  std::array<int, 6> Lengths{};
  int Count = 0;
};

// The cosmetic patterns of a one-pixel pen, on and off lengths in pixels.
Runs RunsOfPen(const TPen& pen) {
  switch (pen.Style) {
    case psDash: return {{18, 6}, 2};
    case psDot: return {{3, 3}, 2};
    case psDashDot: return {{9, 6, 3, 6}, 4};
    case psDashDotDot: return {{9, 3, 3, 3, 3, 3}, 6};
    case psAlternate: return {{1, 1}, 2};
    case psUserStyle:
      if (pen.UserDotPeriod > 1) return {{1, pen.UserDotPeriod - 1}, 2};
      return {};
    default: return {};
  }
}

int Sign(std::int64_t value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }

// Visits the pixels of the line from `from` to `to` (end excluded) that lie
// inside `clip`, calling plot(step, x, y) with the pixel's index along the
// line. Step i is at major offset i and minor offset round(i * dMinor /
// dMajor), halves rounded away from the start. The walk begins at the first
// step inside the clip on the major axis and stops once the minor axis has
// left the clip, so its cost is bounded by the clip's size.
template <typename Plot>
void WalkLine(const TRect& clip, TPoint from, TPoint to, Plot plot) {
  const std::int64_t dx = std::int64_t{to.X} - from.X;
  const std::int64_t dy = std::int64_t{to.Y} - from.Y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t dMajor = std::llabs(xMajor ? dx : dy);
  const std::int64_t dMinor = std::llabs(xMajor ? dy : dx);
  if (dMajor == 0) return;
  const int majorStep = Sign(xMajor ? dx : dy);
  const int minorStep = Sign(xMajor ? dy : dx);
  const std::int64_t major0 = xMajor ? from.X : from.Y;
  const std::int64_t minor0 = xMajor ? from.Y : from.X;
  const std::int64_t majorLo = xMajor ? clip.Left : clip.Top;
  const std::int64_t majorHi = (xMajor ? clip.Right : clip.Bottom) - std::int64_t{1};
  const std::int64_t minorLo = xMajor ? clip.Top : clip.Left;
  const std::int64_t minorHi = (xMajor ? clip.Bottom : clip.Right) - std::int64_t{1};

  const std::int64_t first =
      std::max<std::int64_t>(0, majorStep > 0 ? majorLo - major0 : major0 - majorHi);
  const std::int64_t last =
      std::min<std::int64_t>(dMajor - 1, majorStep > 0 ? majorHi - major0 : major0 - majorLo);
  if (first > last) return;

  // The products can exceed 64 bits for lines that start far off the raster.
  const std::int64_t twiceMajor = 2 * dMajor;
  const __int128 start = static_cast<__int128>(2 * first) * dMinor + dMajor;
  std::int64_t offset = static_cast<std::int64_t>(start / twiceMajor);
  std::int64_t remainder = static_cast<std::int64_t>(start % twiceMajor);

  for (std::int64_t step = first; step <= last; ++step) {
    const std::int64_t minor = minor0 + minorStep * offset;
    if (minor >= minorLo && minor <= minorHi) {
      const std::int64_t major = major0 + majorStep * step;
      if (xMajor) {
        plot(step, major, minor);
      } else {
        plot(step, minor, major);
      }
    } else if ((minor > minorHi && minorStep >= 0) || (minor < minorLo && minorStep <= 0)) {
      break;
    }
    remainder += 2 * dMinor;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      ++offset;
    }
  }
}

}  // namespace

TLinePattern TLinePattern::ForPen(const TPen& pen) {
  const Runs runs = RunsOfPen(pen);
  TLinePattern pattern;
  pattern.runs_ = runs.Lengths;
  pattern.runCount_ = runs.Count;
  for (int i = 0; i < runs.Count; ++i) pattern.period_ += runs.Lengths[i];
  return pattern;
}

bool TLinePattern::IsOn(std::int64_t step) const {
  if (IsSolid()) return true;
  std::int64_t position = (phase_ + step % period_) % period_;
  for (int i = 0; i < runCount_; ++i) {
    if (position < runs_[i]) return i % 2 == 0;
    position -= runs_[i];
  }
  return false;
}

void TLinePattern::Advance(std::int64_t steps) {
  if (IsSolid()) return;
  phase_ = static_cast<int>((phase_ + steps % period_) % period_);
}

void DrawThinLine(TPixelBuffer buffer, const TRect& clip, TPoint from, TPoint to,
                  std::uint32_t pixel, TPenMode mode, TLinePattern& pattern) {
  auto at = [&buffer](std::int64_t x, std::int64_t y) -> std::uint32_t& {
    return buffer.Bits[y * buffer.Stride + x];
  };
  if (pattern.IsSolid() && mode == pmCopy) {
    WalkLine(clip, from, to, [&](std::int64_t, std::int64_t x, std::int64_t y) { at(x, y) = pixel; });
  } else if (mode != pmNop) {
    WalkLine(clip, from, to, [&](std::int64_t step, std::int64_t x, std::int64_t y) {
      if (!pattern.IsOn(step)) return;
      std::uint32_t& target = at(x, y);
      target = ApplyRasterOp(mode, pixel, target);
    });
  }
  pattern.Advance(std::max(std::llabs(std::int64_t{to.X} - from.X),
                           std::llabs(std::int64_t{to.Y} - from.Y)));
}
