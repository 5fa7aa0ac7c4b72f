#pragma once

#include <algorithm>
#include <functional>
#include <utility>

// Joins consecutive one-pixel line segments that stay inside one pixel
// column into one vertical run, so a long log needs about one line call per
// column instead of one per point. Only valid where drawing a pixel twice
// looks like drawing it once (a solid copy pen in one colour): the runs are
// drawn as lines in no particular order relative to the other segments.
//
// Segments leave out their end pixel, so a vertical segment from y0 to y1
// covers y0 up to one pixel short of y1; the pixels the run covers are the
// union of those, which stays one interval while each new segment touches or
// overlaps it.
class TColumnSpans {
public:
  // Called with the lines to draw: a run of column x covering top..bottom
  // arrives as (x, top) to (x, bottom + 1); every other segment unchanged.
  using TLineSink = std::function<void(int x0, int y0, int x1, int y1)>;

  explicit TColumnSpans(TLineSink sink) : sink_(std::move(sink)) {}
  TColumnSpans(const TColumnSpans&) = delete;
  TColumnSpans& operator=(const TColumnSpans&) = delete;

  // A segment of at least one pixel, end pixel excluded.
  void Add(int x0, int y0, int x1, int y1) {
    if (x0 != x1) {
      sink_(x0, y0, x1, y1);
      return;
    }
    const int top = y1 > y0 ? y0 : y1 + 1;
    const int bottom = y1 > y0 ? y1 - 1 : y0;
    if (open_ && x0 == x_ && top <= bottom_ + 1 && bottom + 1 >= top_) {
      top_ = std::min(top_, top);
      bottom_ = std::max(bottom_, bottom);
      return;
    }
    Flush();
    open_ = true;
    x_ = x0;
    top_ = top;
    bottom_ = bottom;
  }

  // Draws the run being collected; call once after the last segment.
  void Flush() {
    if (!open_) return;
    open_ = false;
    sink_(x_, top_, x_, bottom_ + 1);
  }

private:
  TLineSink sink_;
  bool open_ = false;
  int x_ = 0;
  int top_ = 0;
  int bottom_ = 0;
};
