#pragma once

#include <cstddef>
#include <vector>

#include "chart/series/TChartSeries.h"
#include "chart/series/TChartValueList.h"

// What `of` tells of every index from 0 to count - 1, in index order: how
// the tests read every value of a list or every point of a series.
template <class Of>
auto EveryIndex(int count, Of of) {
  std::vector<decltype(of(0))> v;
  v.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    v.push_back(of(i));
  }
  return v;
}

inline std::vector<double> Values(const TChartValueList& list) {
  return EveryIndex(list.ValueCount(), [&list](int i) { return list.ValueAt(i); });
}

inline std::vector<double> Xs(const TChartSeries& s) { return Values(s.XValues()); }
inline std::vector<double> Ys(const TChartSeries& s) { return Values(s.YValues()); }
