#include "app/measure/StretchStatistics.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "chart/series/TChartSeries.h"
#include "chart/series/TChartValueList.h"
#include "chart/series/TValueSummary.h"
#include "log/TWordSamples.h"

namespace {

// The extremes of the blocks and points a summary walk offers; a block
// holding a value that is not a number is taken point by point.
struct TExtremes {
  const TChartValueList& Values;
  double Min = INFINITY;
  double Max = -INFINITY;

  bool TakeBlock(const TValueExtent& extent) {
    if (!extent.Finite()) {
      return false;
    }
    Min = std::min(Min, extent.Min);
    Max = std::max(Max, extent.Max);
    return true;
  }
  bool TakePoints(int first, int last, bool /*backward*/) {
    for (int i = first; i < last; ++i) {
      const double value = Values.ValueAt(i);
      Min = std::min(Min, value);
      Max = std::max(Max, value);
    }
    return true;
  }
};

// Four sums side by side, so that the additions need not wait for each other.
double SumOf(const double* values, int count) {
  std::array<double, 4> sums{};
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    for (std::size_t k = 0; k < 4; ++k) {
      sums[k] += values[static_cast<std::size_t>(i) + k];
    }
  }
  for (; i < count; ++i) {
    sums[0] += values[i];
  }
  return (sums[0] + sums[1]) + (sums[2] + sums[3]);
}

}  // namespace

TStretchExtremes StretchExtremes(const TChartValueList& values, int first, int last) {
  if (values.IsSequence()) {
    // The values are their indices.
    return {static_cast<double>(first), static_cast<double>(last)};
  }
  TExtremes extremes{values};
  values.Summary().Walk(first, last + 1, false, extremes);
  return {extremes.Min, extremes.Max};
}

void TBlockSums::Extend(const TChartValueList& values) {
  const double* stored = values.StoredValues();
  for (long long block = static_cast<long long>(sums_.size()); (block + 1) * BlockSize <= values.ValueCount();
       ++block) {
    sums_.push_back(SumOf(stored + block * BlockSize, BlockSize));
  }
}

TBlockSums::TWholeBlocks TBlockSums::WholeBlocks(int first, int last) {
  const long long end = static_cast<long long>(last) + 1;
  return {(first + static_cast<long long>(BlockSize) - 1) / BlockSize, end / BlockSize};
}

double TBlockSums::Sum(const TChartValueList& values, int first, int last) {
  const long long end = static_cast<long long>(last) + 1;
  const TWholeBlocks whole = WholeBlocks(first, last);
  const double* stored = values.StoredValues();
  if (whole.First >= whole.End) {
    return SumOf(stored + first, static_cast<int>(end - first));
  }
  Extend(values);
  const long long firstWholeStart = whole.First * BlockSize;
  const long long endWholeStart = whole.End * BlockSize;
  double sum = SumOf(stored + first, static_cast<int>(firstWholeStart - first));
  for (long long block = whole.First; block < whole.End; ++block) {
    sum += sums_[static_cast<std::size_t>(block)];
  }
  return sum + SumOf(stored + endWholeStart, static_cast<int>(end - endWholeStart));
}

TStretchStatistics StretchStatistics(const TChartValueList& values, int first, int last, TBlockSums& sums) {
  const TStretchExtremes extremes = StretchExtremes(values, first, last);
  TStretchStatistics statistics{first, last, extremes.Min, extremes.Max};
  const int count = last - first + 1;
  statistics.Mean =
      values.IsSequence() ? (static_cast<double>(first) + last) / 2 : sums.Sum(values, first, last) / count;
  return statistics;
}

TStretchStatistics ExtendedStretchStatistics(const TChartValueList& values, const TStretchStatistics& figures, int last,
                                             TBlockSums& sums) {
  const TStretchStatistics added = StretchStatistics(values, figures.Last + 1, last, sums);
  TStretchStatistics joined{figures.First, last, std::min(figures.Min, added.Min), std::max(figures.Max, added.Max)};
  joined.Mean = (figures.Mean * figures.Count() + added.Mean * added.Count()) / joined.Count();
  return joined;
}

TStretchStatistics NumbersOnly(const TChartValueList& values, const TStretchStatistics& figures,
                               const TWordSamples& words) {
  const auto first = static_cast<std::size_t>(figures.First);
  const auto last = static_cast<std::size_t>(figures.Last);
  const std::size_t wordCount = words.CountIn(first, last);
  const TChartSeries& series = values.Owner();
  if (wordCount == 0 && !series.MayStoreNullPoints()) {
    return figures;
  }
  TStretchStatistics numbers{figures.First, figures.Last, NAN, NAN, NAN, static_cast<int>(wordCount)};
  double sum = 0;
  // The points from `from` up to `to`, none of them a word.
  const auto takeNumbers = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      const int index = static_cast<int>(i);
      if (series.StoredPointColor(index) == clNone) {
        ++numbers.Gaps;
      } else {
        const double value = values.ValueAt(index);
        numbers.Min = std::isnan(numbers.Min) ? value : std::min(numbers.Min, value);
        numbers.Max = std::isnan(numbers.Max) ? value : std::max(numbers.Max, value);
        sum += value;
      }
    }
  };
  // A word shown as a mark is a null point too, but still a word.
  std::size_t next = first;
  words.ForEachIn(first, last, [&](std::size_t word) {
    takeNumbers(next, word);
    next = word + 1;
  });
  takeNumbers(next, last + 1);
  if (numbers.Count() > 0) {
    numbers.Mean = sum / numbers.Count();
  }
  return numbers;
}
