#include "chart/series/VisibleRange.h"

#include "chart/series/TChartValueList.h"

int FirstNotBelow(const TChartValueList& values, int begin, double value) {
  int low = begin;
  int high = values.ValueCount();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (values.ValueAt(middle) < value) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

TIndexRange FindVisibleRange(const TChartValueList& values, double low, double high, bool keepPointBeyondEdge) {
  const int count = values.ValueCount();
  if (count < 1) {
    return {};
  }
  const int first = FirstNotBelow(values, 0, low);
  if (first == count) {
    return {};
  }
  if (!(values.LastValue() > high)) {
    return {first, count - 1};
  }
  int last = FirstNotBelow(values, first, high);
  if (!keepPointBeyondEdge && values.ValueAt(last) > high) {
    --last;
  }
  return {first, last};
}
