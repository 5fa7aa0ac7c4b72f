#pragma once

#include <algorithm>
#include <functional>
#include <utility>

// Follows a line point by point and draws the segments that stay inside one
// pixel column as one vertical line per column, so a long log needs about
// two line calls per column instead of one per point. Only valid where
// drawing a pixel twice looks like drawing it once (a solid copy pen in one
// colour), as the joined lines overlap the segments between columns.
//
// Segments leave out their end pixel. Inside a column every pixel between
// the lowest and highest point visited is drawn, except the point the line
// is at now when no segment has covered it yet: the line reached it by
// leaving the visited range and has not moved on.
class TColumnSpans {
public:
  // Draws one line, end pixel excluded. A column covering top..bottom
  // arrives as (x, top) to (x, bottom + 1).
  using TLineSink = std::function<void(int x0, int y0, int x1, int y1)>;

  explicit TColumnSpans(TLineSink sink) : sink_(std::move(sink)) {}
  TColumnSpans(const TColumnSpans&) = delete;
  TColumnSpans& operator=(const TColumnSpans&) = delete;

  // The line starts at (x, y) without a segment leading there.
  void Start(int x, int y) {
    Flush();
    open_ = true;
    x_ = x;
    y_ = y;
    top_ = y;
    bottom_ = y;
    covered_ = false;
  }

  // Whether the line is in column x.
  bool InColumn(int x) const { return open_ && x == x_; }
  // The row the line is at.
  int Y() const { return y_; }

  // The line moves to y in its column: one segment, or none when y is the
  // pixel it is at. Without branches on the data: the direction of a log's
  // next step is a coin toss. Returns whether it moved.
  bool Step(int y) {
    const bool moved = y != y_;
    const bool visited = y >= top_ && y <= bottom_;
    covered_ = moved ? visited : covered_;
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y);
    y_ = y;
    return moved;
  }

  // The steps of a run of points in the column at once: the line passes the
  // rows low..high (none when low > high) and then moves to y, where it
  // stays; the same as Step through the points of the run.
  void StepRun(int low, int high, int y) {
    covered_ = y >= std::min(top_, low) && y <= std::max(bottom_, high);
    top_ = std::min({top_, low, y});
    bottom_ = std::max({bottom_, high, y});
    y_ = y;
  }

  // A segment to (x, y) in another column, which the line goes on in.
  void Cross(int x, int y) {
    const int fromX = x_;
    const int fromY = y_;
    Flush();
    sink_(fromX, fromY, x, y);
    Start(x, y);
  }

  // Draws the column being followed and stops following the line.
  void Flush() {
    if (!open_) {
      return;
    }
    open_ = false;
    int top = top_;
    int bottom = bottom_;
    if (!covered_ && y_ == top) {
      ++top;
    } else if (!covered_) {
      --bottom;
    }
    if (top <= bottom) {
      sink_(x_, top, x_, bottom + 1);
    }
  }

private:
  TLineSink sink_;
  bool open_ = false;
  int x_ = 0;
  int y_ = 0;
  // The pixels visited in the column, and whether a segment covers y_.
  int top_ = 0;
  int bottom_ = 0;
  bool covered_ = false;
};
