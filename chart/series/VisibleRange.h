#pragma once

class TChartValueList;

// Indices of the first and last point drawn; -1, -1 when none.
struct TIndexRange {
  int First = -1;
  int Last = -1;
  friend bool operator==(const TIndexRange&, const TIndexRange&) = default;
};

// The first index from `begin` whose value is not below `value` (the count
// when none) in an ascending value list. Bisection, so a zoomed paint costs
// the visible points only.
int FirstNotBelow(const TChartValueList& values, int begin, double value);

// The points of an ascending value list that a range from `low` to `high`
// shows: from the first point not below low to the first point not below
// high, which is dropped when it lies beyond high and keepPointBeyondEdge is
// false (a line series keeps it, so its segment out of the range is drawn).
TIndexRange FindVisibleRange(const TChartValueList& values, double low, double high, bool keepPointBeyondEdge);
