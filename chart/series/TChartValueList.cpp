#include "chart/series/TChartValueList.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"

TChartValueList::TChartValueList(TChartSeries& owner, std::string name) : owner_(owner), name_(std::move(name)) {
  owner_.RegisterValueList(*this);
}

void TChartValueList::SetOrder(TChartListOrder order) { owner_.StoreSetting(order_, order); }

void TChartValueList::SetDateTime(bool dateTime) { owner_.StoreSetting(dateTime_, dateTime); }

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

void TChartValueList::SetValueAt(int index, double value) {
  if (sequence_) {
    if (IsIndex(index, value)) {
      return;
    }
    WriteOutSequence();
  }
  storage_[index] = value;
  ChangedFrom(index);
}

// Values that go on with the sequence leave it unstored.
void TChartValueList::AppendRun(std::span<const double> values) {
  const long long count = count_ + static_cast<long long>(values.size());
  std::size_t continuing = 0;
  while (sequence_ && continuing < values.size() &&
         IsIndex(count_ + static_cast<long long>(continuing), values[continuing])) {
    ++continuing;
  }
  if (continuing < values.size()) {
    storage_.EnsureCapacity(count);
    if (sequence_) {
      WriteOutSequence();
    }
    storage_.PopulatePages(count_, static_cast<int>(count));
    std::copy(values.begin(), values.end(), storage_.Data() + count_);
  } else {
    TValueStorage<double>::RefuseBeyondLimit(count);
  }
  const int first = count_;
  ChangedFrom(first);
  SummariseRun(first, static_cast<int>(count));
  count_ = static_cast<int>(count);
  // While the run is in the cache, unless earlier edits left more to redo:
  // the first walk after a load would otherwise meet every page afresh,
  // which costs far more than the arithmetic.
  if (statisticsCount_ == first) {
    ExtendStatistics();
  }
}

// Before the run is counted, so that a summary that finds no memory leaves
// the list as it was and the run all or nothing.
void TChartValueList::SummariseRun(int first, int count) {
  if (sequence_ || !summary_.Summarises(first)) {
    return;
  }
  try {
    summary_.Update(storage_.Data(), count);
  } catch (...) {
    summary_.ForgetFrom(first);
    throw;
  }
}

void TChartValueList::ExtendSequence(int quantity) {
  const int first = count_;
  count_ += quantity;
  ChangedFrom(first);
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
  std::vector<int> source(static_cast<std::size_t>(count_));
  std::iota(source.begin(), source.end(), 0);
  std::stable_sort(source.begin(), source.end(), [&](int a, int b) {
    return order_ == loAscending ? ValueAt(a) < ValueAt(b) : ValueAt(a) > ValueAt(b);
  });
  // at[p] is the point now at position p, where[i] the position of point i.
  std::vector<int> at(source.size());
  std::vector<int> where(source.size());
  std::iota(at.begin(), at.end(), 0);
  std::iota(where.begin(), where.end(), 0);
  const auto slot = [](std::vector<int>& list, int index) -> int& { return list[static_cast<std::size_t>(index)]; };
  for (int target = 0; target < count_; ++target) {
    const int current = slot(where, slot(source, target));
    if (current != target) {
      owner_.SwapPoints(target, current);
      const int displaced = slot(at, target);
      std::swap(slot(at, target), slot(at, current));
      slot(where, displaced) = current;
      slot(where, slot(source, target)) = target;
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
  ExtendStatistics();
  return minimum_;
}

double TChartValueList::MaximumValue() {
  ExtendStatistics();
  return maximum_;
}

double TChartValueList::SumOfValues() {
  ExtendStatistics();
  return sum_;
}

double TChartValueList::SumOfMagnitudes() {
  ExtendStatistics();
  return sumOfMagnitudes_;
}

double TChartValueList::ValueSpan() {
  ExtendStatistics();
  return maximum_ - minimum_;
}

// Below this many points the sums of 0, 1, 2, ... are exact in a double,
// so the closed form gives what adding one by one gives.
constexpr int kExactSequenceSums = 94'906'265;

// In locals, so that the sums are not stored back at every value for fear
// that the values alias them.
void TChartValueList::ExtendStatistics() {
  if (statisticsCount_ == count_) {
    return;
  }
  if (sequence_ && count_ <= kExactSequenceSums) {
    const double last = count_ - 1;
    minimum_ = 0;
    maximum_ = last;
    sum_ = sumOfMagnitudes_ = last * (last + 1) / 2;
    statisticsCount_ = count_;
    statisticsTaken_ = true;
    return;
  }
  // Null points are gaps in a curve, not values: they count in none of
  // the statistics.
  const bool skipNull = owner_.MayStoreNullPoints();
  bool taken = statisticsTaken_;
  double minimum = minimum_;
  double maximum = maximum_;
  double sum = sum_;
  double sumOfMagnitudes = sumOfMagnitudes_;
  for (int i = statisticsCount_; i < count_; ++i) {
    if (skipNull && owner_.StoredPointColor(i) == clNone) {
      continue;
    }
    const double v = ValueAt(i);
    if (!taken) {
      minimum = maximum = sum = v;
      sumOfMagnitudes = std::fabs(v);
      taken = true;
    } else {
      if (v < minimum) {
        minimum = v;
      } else if (v > maximum) {
        maximum = v;
      }
      sum += v;
      sumOfMagnitudes += std::fabs(v);
    }
  }
  statisticsTaken_ = taken;
  minimum_ = minimum;
  maximum_ = maximum;
  sum_ = sum;
  sumOfMagnitudes_ = sumOfMagnitudes;
  statisticsCount_ = count_;
}

void TChartValueList::ResetStatistics() {
  minimum_ = maximum_ = sum_ = sumOfMagnitudes_ = 0;
  statisticsCount_ = 0;
  statisticsTaken_ = false;
}

void TChartValueList::ChangedFrom(int index) {
  if (index < statisticsCount_) {
    ResetStatistics();
  }
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
