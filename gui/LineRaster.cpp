#include "gui/LineRaster.h"

#include <algorithm>
#include <cstdlib>

#include "gui/RasterOp.h"

namespace {

// GCC's 128-bit integer, an extension that the pedantic warnings accept when marked.
__extension__ typedef __int128 Int128;

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
      if (pen.UserDotPeriod > 1) {
        return {{1, pen.UserDotPeriod - 1}, 2};
      }
      return {};
    default: return {};
  }
}

int Sign(std::int64_t value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }

// Visits the pixels of the line from `from` to `to` (end excluded) that lie
// inside `clip`, calling plot(step, pixel) with the pixel's index along the
// line. Step i is at major offset i and minor offset round(i * dMinor /
// dMajor), halves rounded away from the start. The walk begins at the first
// step inside the clip on the major axis and stops once the minor axis has
// left the clip, so its cost is bounded by the clip's size.
template <typename Plot>
void WalkLine(TPixelBuffer buffer, const TRect& clip, TPoint from, TPoint to, Plot plot) {
  const std::int64_t dx = std::int64_t{to.X} - from.X;
  const std::int64_t dy = std::int64_t{to.Y} - from.Y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t dMajor = std::llabs(xMajor ? dx : dy);
  const std::int64_t dMinor = std::llabs(xMajor ? dy : dx);
  if (dMajor == 0) {
    return;
  }
  const int majorStep = Sign(xMajor ? dx : dy);
  const int minorStep = Sign(xMajor ? dy : dx);
  const std::int64_t major0 = xMajor ? from.X : from.Y;
  const std::int64_t minor0 = xMajor ? from.Y : from.X;
  const std::int64_t majorLo = xMajor ? clip.Left : clip.Top;
  const std::int64_t majorHi = (xMajor ? clip.Right : clip.Bottom) - std::int64_t{1};
  const std::int64_t minorLo = xMajor ? clip.Top : clip.Left;
  const std::int64_t minorHi = (xMajor ? clip.Bottom : clip.Right) - std::int64_t{1};

  const std::int64_t first = std::max<std::int64_t>(0, majorStep > 0 ? majorLo - major0 : major0 - majorHi);
  const std::int64_t last = std::min<std::int64_t>(dMajor - 1, majorStep > 0 ? majorHi - major0 : major0 - majorLo);
  if (first > last) {
    return;
  }

  const std::int64_t twiceMajor = 2 * dMajor;
  const std::int64_t twiceMinor = 2 * dMinor;
  std::int64_t offset = 0;
  std::int64_t remainder = dMajor;
  if (first > 0) {
    // The product can exceed 64 bits for lines that start far off the raster.
    const Int128 start = static_cast<Int128>(2 * first) * dMinor + dMajor;
    offset = static_cast<std::int64_t>(start / twiceMajor);
    remainder = static_cast<std::int64_t>(start % twiceMajor);
  }
  const std::int64_t stride = buffer.Stride;
  auto address = [&](std::int64_t major, std::int64_t minor) {
    return buffer.Bits + (xMajor ? minor * stride + major : major * stride + minor);
  };

  const std::int64_t minor1 = minor0 + minorStep * dMinor;
  if (std::min(minor0, minor1) >= minorLo && std::max(minor0, minor1) <= minorHi) {
    // The whole line is inside on the minor axis: walk a pointer.
    const std::int64_t majorStride = xMajor ? majorStep : majorStep * stride;
    const std::int64_t minorStride = xMajor ? minorStep * stride : minorStep;
    std::uint32_t* pixel = address(major0 + majorStep * first, minor0 + minorStep * offset);
    for (std::int64_t step = first; step <= last; ++step) {
      plot(step, *pixel);
      pixel += majorStride;
      remainder += twiceMinor;
      const bool carry = remainder >= twiceMajor;
      remainder -= carry ? twiceMajor : 0;
      pixel += carry ? minorStride : 0;
    }
    return;
  }
  for (std::int64_t step = first; step <= last; ++step) {
    const std::int64_t minor = minor0 + minorStep * offset;
    if (minor >= minorLo && minor <= minorHi) {
      plot(step, *address(major0 + majorStep * step, minor));
    } else if ((minor > minorHi && minorStep >= 0) || (minor < minorLo && minorStep <= 0)) {
      break;
    }
    remainder += twiceMinor;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      ++offset;
    }
  }
}

// Picks a or b without a branch: segment directions are random, so a
// branch on them would be mispredicted half the time.
std::int64_t Select(bool condition, std::int64_t a, std::int64_t b) {
  const std::int64_t mask = -static_cast<std::int64_t>(condition);
  return (a & mask) | (b & ~mask);
}

// The common case of a short series segment: both ends inside the clip, so
// every pixel is, and a pointer walks the line with no clip arithmetic and
// no branch but the loop's. Same steps as WalkLine.
template <typename Plot>
void WalkInside(TPixelBuffer buffer, TPoint from, TPoint to, Plot plot) {
  const std::int64_t dx = to.X - from.X;
  const std::int64_t dy = to.Y - from.Y;
  const std::int64_t absDx = std::llabs(dx);
  const std::int64_t absDy = std::llabs(dy);
  const std::int64_t xStride = (dx >> 63) | 1;
  const std::int64_t yStride = ((dy >> 63) | 1) * buffer.Stride;
  const bool xMajor = absDx >= absDy;
  const std::int64_t dMajor = Select(xMajor, absDx, absDy);
  const std::int64_t twiceMinor = 2 * Select(xMajor, absDy, absDx);
  const std::int64_t twiceMajor = 2 * dMajor;
  const std::int64_t majorStride = Select(xMajor, xStride, yStride);
  const std::int64_t minorStride = Select(xMajor, yStride, xStride);
  std::uint32_t* pixel = buffer.Bits + std::int64_t{from.Y} * buffer.Stride + from.X;
  std::int64_t remainder = dMajor;
  for (std::int64_t step = 0; step < dMajor; ++step) {
    plot(step, *pixel);
    remainder += twiceMinor;
    const std::int64_t carry = -static_cast<std::int64_t>(remainder >= twiceMajor);
    remainder -= twiceMajor & carry;
    pixel += majorStride + (minorStride & carry);
  }
}

// Draws with WalkInside when it applies, else with WalkLine.
template <typename Plot>
void Walk(TPixelBuffer buffer, const TRect& clip, TPoint from, TPoint to, Plot plot) {
  if (clip.Contains(from) && clip.Contains(to)) {
    WalkInside(buffer, from, to, plot);
  } else {
    WalkLine(buffer, clip, from, to, plot);
  }
}

}  // namespace

TLinePattern TLinePattern::ForPen(const TPen& pen) {
  const Runs runs = RunsOfPen(pen);
  TLinePattern pattern;
  pattern.runs_ = runs.Lengths;
  pattern.runCount_ = runs.Count;
  for (std::size_t i = 0; i < static_cast<std::size_t>(runs.Count); ++i) {
    pattern.period_ += runs.Lengths[i];
  }
  return pattern;
}

int TLinePattern::PositionAt(std::int64_t step) const { return static_cast<int>((phase_ + step % period_) % period_); }

void TLinePattern::Advance(std::int64_t steps) {
  if (IsSolid()) {
    return;
  }
  phase_ = static_cast<int>((phase_ + steps % period_) % period_);
}

namespace {

// A vertical line, the most common one of a long log's columns, has no
// minor steps to track: the same pixels as WalkInside, in a plain loop.
void DrawSolidInside(TPixelBuffer buffer, TPoint from, TPoint to, std::uint32_t pixel) {
  if (from.X != to.X) {
    WalkInside(buffer, from, to, [pixel](std::int64_t, std::uint32_t& target) { target = pixel; });
    return;
  }
  const std::int64_t stride = to.Y > from.Y ? buffer.Stride : -std::int64_t{buffer.Stride};
  std::uint32_t* target = buffer.Bits + std::int64_t{from.Y} * buffer.Stride + from.X;
  for (int step = std::abs(to.Y - from.Y); step > 0; --step) {
    *target = pixel;
    target += stride;
  }
}

// The pattern followed along a walk: the steps come one after the other,
// so the place in the pattern moves on by one rather than being found
// from the start each time.
class TPatternCursor {
public:
  explicit TPatternCursor(const TLinePattern& pattern) : pattern_(pattern), runs_(pattern.OnOffRuns()) {}

  bool IsOn(std::int64_t step) {
    if (step != next_) {
      Seek(step);
    }
    const bool on = run_ % 2 == 0;
    next_ = step + 1;
    if (++offset_ == runs_[run_]) {
      offset_ = 0;
      run_ = (run_ + 1) % runs_.size();
    }
    return on;
  }

private:
  void Seek(std::int64_t step) {
    run_ = 0;
    int position = pattern_.PositionAt(step);
    while (position >= runs_[run_]) {
      position -= runs_[run_];
      ++run_;
    }
    offset_ = position;
  }

  const TLinePattern& pattern_;
  std::span<const int> runs_;
  std::int64_t next_ = -1;
  std::size_t run_ = 0;
  int offset_ = 0;
};

// Kept out of line, so that the common case above runs without this set-up.
[[gnu::noinline]] void DrawClippedOrStyled(TPixelBuffer buffer, const TRect& clip, TPoint from, TPoint to,
                                           std::uint32_t pixel, TPenMode mode, TLinePattern& pattern) {
  if (pattern.IsSolid() && mode == pmCopy) {
    WalkLine(buffer, clip, from, to, [pixel](std::int64_t, std::uint32_t& target) { target = pixel; });
    return;
  }
  if (mode != pmNop && pattern.IsSolid()) {
    Walk(buffer, clip, from, to,
         [&](std::int64_t, std::uint32_t& target) { target = ApplyRasterOp(mode, pixel, target); });
  } else if (mode != pmNop) {
    TPatternCursor cursor(pattern);
    Walk(buffer, clip, from, to, [&](std::int64_t step, std::uint32_t& target) {
      if (cursor.IsOn(step)) {
        target = ApplyRasterOp(mode, pixel, target);
      }
    });
  }
  pattern.Advance(std::max(std::llabs(std::int64_t{to.X} - from.X), std::llabs(std::int64_t{to.Y} - from.Y)));
}

}  // namespace

void DrawThinLine(TPixelBuffer buffer, const TRect& clip, TPoint from, TPoint to, std::uint32_t pixel, TPenMode mode,
                  TLinePattern& pattern) {
  if (pattern.IsSolid() && mode == pmCopy && clip.Contains(from) && clip.Contains(to)) {
    DrawSolidInside(buffer, from, to, pixel);
  } else {
    DrawClippedOrStyled(buffer, clip, from, to, pixel, mode, pattern);
  }
}
