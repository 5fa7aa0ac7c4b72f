#pragma once

#include <vector>

class TChartValueList;
class TWordSamples;

// The figures of a stretch of a log: the points from index First to Last,
// both included, less the Words and Gaps among them (sensor words are
// states, gaps the null points of skipped lines, neither a number; without
// a number the extremes and mean are NaN).
struct TStretchStatistics {
  int First = 0;
  int Last = 0;
  double Min = 0;
  double Max = 0;
  double Mean = 0;
  int Words = 0;
  int Gaps = 0;
  int Count() const { return Last - First + 1 - Words - Gaps; }
};

struct TStretchExtremes {
  double Min = 0;
  double Max = 0;
};

// The smallest and largest of the values from `first` to `last` (first <=
// last, both in range), from the values' summary: exact, and a few dozen
// look-ups however long the stretch.
TStretchExtremes StretchExtremes(const TChartValueList& values, int first, int last);

// The sums of a log's values in blocks, so that the sum of any stretch costs
// two part blocks and a look-up per block between: markers moved over a long
// log do not cost a pass over it each time. Covers the values as they grow;
// Clear it when they are replaced.
class TBlockSums {
public:
  static constexpr int BlockSize = 4096;

  // The sum of the values from `first` to `last`, both included.
  double Sum(const TChartValueList& values, int first, int last);

  // The complete blocks from `first` to `last`, both included: blocks
  // First to End - 1. Worked out in 64 bits, as the sums near the largest
  // count of points go past the 32-bit range.
  struct TWholeBlocks {
    long long First = 0;
    long long End = 0;
  };
  static TWholeBlocks WholeBlocks(int first, int last);
  void Clear() { sums_.clear(); }

private:
  void Extend(const TChartValueList& values);

  std::vector<double> sums_;  // of the complete blocks, in order
};

// The figures of the values from `first` to `last` (first <= last, both in
// range). The extremes come from the values' summary, exact and costing a few
// dozen look-ups however long the stretch; the mean from their sum.
TStretchStatistics StretchStatistics(const TChartValueList& values, int first, int last, TBlockSums& sums);

// The figures of a stretch grown at its end to `last` (> figures.Last), from
// its figures and the added values alone: a stretch that grows with a
// followed log costs what it gained.
TStretchStatistics ExtendedStretchStatistics(const TChartValueList& values, const TStretchStatistics& figures, int last,
                                             TBlockSums& sums);

// The figures of a stretch of all its points, with the words and the null
// points of the values' series among them left out: a pass over the
// stretch where it may hold either, else the figures as they are.
TStretchStatistics NumbersOnly(const TChartValueList& values, const TStretchStatistics& figures,
                               const TWordSamples& words);
