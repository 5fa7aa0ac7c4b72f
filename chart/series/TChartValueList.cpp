#include "chart/series/TChartValueList.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"
#include "runtime/StoreIfChanged.h"

TChartValueList::TChartValueList(TChartSeries& owner, std::string name) : owner_(owner), name_(std::move(name)) {
  owner_.RegisterValueList(*this);
}

void TChartValueList::SetDateTime(bool dateTime) {
  if (StoreIfChanged(dateTime_, dateTime)) {
    owner_.RequestRepaint();
  }
}

int TChartValueList::AddValue(double value) {
  PendingValue = value;
  return InsertPendingOrdered();
}

int TChartValueList::InsertPendingOrdered() {
  const int index = PendingPosition();
  InsertValueAt(index, PendingValue);
  return index;
}

// After every element equal to the value, so equal values keep the order in
// which they came; values arriving in order are placed without a scan.
int TChartValueList::OrderedPosition(double value) const {
  if (order_ == loNone || count_ == 0) {
    return count_;
  }
  const bool ascending = order_ == loAscending;
  const auto belongsBefore = [&](double element) { return ascending ? element > value : element < value; };
  int k = count_ - 1;
  while (k >= 0 && belongsBefore(ValueAt(k))) {
    --k;
  }
  return k + 1;
}

void TChartValueList::WriteOutSequence() {
  storage_.EnsureCapacity(count_ + 1LL);
  for (int i = 0; i < count_; ++i) {
    storage_[i] = i;
  }
  sequence_ = false;
}

void TChartValueList::InsertValueAt(int index, double value) {
  PrepareInsert(index, value);
  if (!sequence_) {
    storage_.OpenGap(index, count_);
    storage_[index] = value;
  }
  ++count_;
  ChangedFrom(index);
}

void TChartValueList::DeleteValueAt(int index) { DeleteValueRange(index, 1); }

void TChartValueList::DeleteValueRange(int start, int quantity) {
  if (start + quantity - 1 >= count_) {
    throw EAssertionFailed("Quantity of data to delete must be less than Count.");
  }
  if (sequence_ && start + quantity != count_) {
    WriteOutSequence();
  }
  if (!sequence_) {
    storage_.CloseGap(start, quantity, count_);
  }
  count_ -= quantity;
  ChangedFrom(start);
}

void TChartValueList::ClearValues() {
  storage_.Release();
  sequence_ = true;
  count_ = 0;
  ChangedFrom(0);
}

void TChartValueList::RenumberValues() {
  storage_.Release();
  sequence_ = true;
  ChangedFrom(0);
  owner_.NotifyDependents(dcModify, -1);
}

// Whole points move, so the other coordinates, colours and labels follow.
// A stable order of the point indices is applied cycle by cycle with swaps.
void TChartValueList::SortValues() {
  if (order_ == loNone) {
    return;
  }
  std::vector<int> source(count_);
  std::iota(source.begin(), source.end(), 0);
  std::stable_sort(source.begin(), source.end(), [&](int a, int b) {
    return order_ == loAscending ? ValueAt(a) < ValueAt(b) : ValueAt(a) > ValueAt(b);
  });
  // at[p] is the point now at position p, where[i] the position of point i.
  std::vector<int> at(source.size());
  std::vector<int> where(source.size());
  std::iota(at.begin(), at.end(), 0);
  std::iota(where.begin(), where.end(), 0);
  for (int target = 0; target < count_; ++target) {
    const int current = where[source[target]];
    if (current != target) {
      owner_.SwapPoints(target, current);
      const int displaced = at[target];
      std::swap(at[target], at[current]);
      where[displaced] = current;
      where[source[target]] = target;
    }
  }
}

void TChartValueList::SwapValues(int a, int b) {
  if (a == b) {
    return;
  }
  if (sequence_) {
    WriteOutSequence();
  }
  std::swap(storage_[a], storage_[b]);
  ChangedFrom(std::min(a, b));
}

double TChartValueList::MinimumValue() {
  RecomputeIfStale();
  return minimum_;
}

double TChartValueList::MaximumValue() {
  RecomputeIfStale();
  return maximum_;
}

double TChartValueList::SumOfValues() {
  RecomputeIfStale();
  return sum_;
}

double TChartValueList::SumOfMagnitudes() {
  RecomputeIfStale();
  return sumOfMagnitudes_;
}

double TChartValueList::ValueSpan() {
  RecomputeIfStale();
  return maximum_ - minimum_;
}

void TChartValueList::RecomputeIfStale() {
  if (statisticsStale_) {
    RecomputeStatistics();
  }
}

void TChartValueList::RecomputeStatistics() {
  minimum_ = maximum_ = sum_ = sumOfMagnitudes_ = 0;
  if (count_ > 0) {
    minimum_ = maximum_ = sum_ = ValueAt(0);
    sumOfMagnitudes_ = std::fabs(ValueAt(0));
  }
  for (int i = 1; i < count_; ++i) {
    const double v = ValueAt(i);
    if (v < minimum_) {
      minimum_ = v;
    } else if (v > maximum_) {
      maximum_ = v;
    }
    sum_ += v;
    sumOfMagnitudes_ += std::fabs(v);
  }
  statisticsStale_ = false;
}

void TChartValueList::ChangedFrom(int index) {
  statisticsStale_ = true;
  summary_.ForgetFrom(index);
  // The pair that ends at `index` has to be looked at again.
  ascendingChecked_ = std::min(ascendingChecked_, std::max(index - 1, 0));
  if (descentAt_ >= ascendingChecked_) {
    descentAt_ = -1;
  }
}

const TValueSummary& TChartValueList::Summary() const {
  // A sequence has no stored values to summarise: walks visit its points.
  summary_.Update(storage_.Data(), sequence_ ? 0 : count_);
  return summary_;
}

bool TChartValueList::IsAscending() const {
  if (sequence_) {
    return true;
  }
  for (; descentAt_ < 0 && ascendingChecked_ < count_; ++ascendingChecked_) {
    const int i = ascendingChecked_;
    if (std::isnan(storage_[i]) || (i > 0 && storage_[i - 1] > storage_[i])) {
      descentAt_ = i;
    }
  }
  return descentAt_ < 0;
}
