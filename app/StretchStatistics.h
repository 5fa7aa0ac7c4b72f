#pragma once

#include <optional>

class TChartValueList;

// The figures of a stretch of a log: the points from index First to Last,
// both included.
struct TStretchStatistics {
  int First = 0;
  int Last = 0;
  double Min = 0;
  double Max = 0;
  double Mean = 0;
  int Count() const { return Last - First + 1; }
};

struct TStretchExtremes {
  double Min = 0;
  double Max = 0;
};

// The smallest and largest of the values from `first` to `last` (first <=
// last, both in range), from the values' summary: exact, and a few dozen
// look-ups however long the stretch.
TStretchExtremes StretchExtremes(const TChartValueList& values, int first, int last);

// The figures of the values from `first` to `last` (first <= last, both in
// range). The extremes come from the values' summary, exact and costing a few
// dozen look-ups however long the stretch; the mean from their sum.
TStretchStatistics StretchStatistics(const TChartValueList& values, int first, int last);
