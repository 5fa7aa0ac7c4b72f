#pragma once

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>

#include "chart/axes/TAxisScale.h"
#include "chart/series/TChartValueList.h"
#include "chart/series/TColumnSpans.h"
#include "gui/Geometry.h"

// Whether `scale` maps the values from `low` to `high` to pixels in their
// order (or all to one pixel), so that the pixels of the extremes of a run of
// values are the extremes of its pixels.
bool MapsInOrder(const TAxisScale& scale, double low, double high);

// A long run of points in one pixel column, followed from a summary of their
// values rather than point by point, with the same result: a column of a
// long log costs a few dozen look-ups instead of a visit to every point.
// Given by the drawing loop: the pixel mappings, the pixel shift and the
// direction the points are drawn in. Only for points of which none is null,
// whose X values are ascending and mapped in order and whose Y values are
// stored.
template <class TMapX, class TMapY>
class TColumnRuns {
public:
  // Shorter runs are followed point by point: there a visit costs less.
  static constexpr int MinimumRun = 64;

  struct TRun {
    int Y;                // where the line ends
    bool Moved;           // whether any point of the run drew a segment
    bool LastPointMoved;  // whether the last one did
  };

  TColumnRuns(const TChartValueList& x, const TChartValueList& y, const TAxisScale& vertical, TMapX mapX, TMapY mapY,
              TPoint shift, int step)
      : x_(x),
        yValues_(y.StoredValues()),
        summary_(y.Summary()),
        vertical_(vertical),
        everyFiniteInOrder_(!vertical.Logarithmic && MapsInOrder(vertical, 0, 0)),
        mapX_(mapX),
        mapY_(mapY),
        shift_(shift),
        step_(step) {}

  // The last point in column `column`, from `entry` on in drawing order and
  // before `end`; `entry` itself when the run is short.
  int RunEnd(int entry, int end, int column) const {
    const long long probe = entry + static_cast<long long>(step_) * MinimumRun;
    if (!Before(probe, end) || PixelX(static_cast<int>(probe)) != column) {
      return entry;
    }
    // Galloping, then halving: the points of a column are consecutive.
    long long inside = probe;
    long long outside = end;
    for (long long distance = 2LL * MinimumRun; Before(entry + step_ * distance, end); distance *= 2) {
      const long long next = entry + step_ * distance;
      if (PixelX(static_cast<int>(next)) != column) {
        outside = next;
        break;
      }
      inside = next;
    }
    while (std::llabs(outside - inside) > 1) {
      const long long middle = inside + (outside - inside) / 2;
      (PixelX(static_cast<int>(middle)) == column ? inside : outside) = middle;
    }
    return static_cast<int>(inside);
  }

  // Takes the points after `entry` up to `last` into `spans`, whose line is
  // at the entry point. In the column, only the last point, the pixel range
  // visited before the line last moved, and whether it moved matter.
  TRun Follow(TColumnSpans& spans, int entry, int last) const {
    const int y = PixelY(last);
    // The last point before the trailing points on y, in drawing order.
    TFirstOffPixel offPixel{*this, y};
    const bool forward = step_ > 0;
    summary_.Walk(forward ? entry + 1 : last + 1, forward ? last : entry, forward, offPixel);
    if (offPixel.Index < 0 && spans.Y() == y) {
      return {y, false, false};
    }
    TPixelExtent before(*this);
    if (offPixel.Index >= 0) {
      summary_.Walk(forward ? entry + 1 : offPixel.Index, forward ? offPixel.Index + 1 : entry, false, before);
      before.Finish();
    }
    spans.StepRun(before.Low, before.High, y);
    const bool lastMoved = offPixel.Index >= 0 ? offPixel.Index + step_ == last : entry + step_ == last;
    return {y, true, lastMoved};
  }

private:
  // Finds the first point, in the order walked, off pixel row Y.
  struct TFirstOffPixel {
    const TColumnRuns& Runs;
    int Y = 0;
    int Index = -1;
    bool TakeBlock(const TValueExtent& extent) const {
      return Runs.InOrder(extent) && Runs.MapY(extent.Min) == Y && Runs.MapY(extent.Max) == Y;
    }
    bool TakePoints(int first, int last, bool backward) {
      for (int n = 0; n < last - first; ++n) {
        const int index = backward ? last - 1 - n : first + n;
        if (Runs.PixelY(index) != Y) {
          Index = index;
          return false;
        }
      }
      return true;
    }
  };

  // The lowest and highest pixel rows of the points walked. Where every
  // finite value maps in order, the extremes of the values are kept and
  // mapped once at the end: the pixels of the extreme values are the
  // extreme pixels.
  struct TPixelExtent {
    explicit TPixelExtent(const TColumnRuns& runs) : Runs(runs) {}
    const TColumnRuns& Runs;
    int Low = INT_MAX;
    int High = INT_MIN;
    std::optional<TValueExtent> Values;
    bool TakeBlock(const TValueExtent& extent) {
      if (!Runs.InOrder(extent)) {
        return false;
      }
      if (!Runs.everyFiniteInOrder_) {
        AddPixel(Runs.MapY(extent.Min));
        AddPixel(Runs.MapY(extent.Max));
      } else if (Values) {
        Values->Min = std::min(Values->Min, extent.Min);
        Values->Max = std::max(Values->Max, extent.Max);
      } else {
        Values = extent;
      }
      return true;
    }
    // The extremes of the values first, as for a block, where they allow.
    bool TakePoints(int first, int last, bool /*backward*/) {
      if (TakeBlock(ExtentOfValues(Runs.yValues_ + first, last - first))) {
        return true;
      }
      for (int index = first; index < last; ++index) {
        AddPixel(Runs.PixelY(index));
      }
      return true;
    }
    void AddPixel(int pixel) {
      Low = std::min(Low, pixel);
      High = std::max(High, pixel);
    }
    // Every point walked taken into Low and High.
    void Finish() {
      if (Values) {
        AddPixel(Runs.MapY(Values->Min));
        AddPixel(Runs.MapY(Values->Max));
      }
    }
  };

  // Whether index comes before `end` in drawing order.
  bool Before(long long index, int end) const { return step_ > 0 ? index < end : index > end; }
  bool InOrder(const TValueExtent& extent) const {
    return extent.Finite() && (everyFiniteInOrder_ || MapsInOrder(vertical_, extent.Min, extent.Max));
  }
  int PixelX(int index) const { return mapX_(x_.ValueAt(index)) + shift_.X; }
  int PixelY(int index) const { return MapY(yValues_[index]); }
  int MapY(double value) const { return mapY_(value) + shift_.Y; }

  const TChartValueList& x_;
  const double* yValues_;
  const TValueSummary& summary_;
  const TAxisScale& vertical_;
  // A linear scale maps all finite values in order or none: asked once.
  bool everyFiniteInOrder_;
  TMapX mapX_;
  TMapY mapY_;
  TPoint shift_;
  int step_;
};
