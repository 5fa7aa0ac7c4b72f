#pragma once

#include <cmath>
#include <span>
#include <string>

#include "chart/series/TValueStorage.h"
#include "chart/series/TValueSummary.h"

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

// One coordinate of every point of a series, as doubles. Statistics are
// computed lazily over the values they do not cover yet: an edit drops them,
// an append leaves them as they are, so a load of n values costs one pass.
class TChartValueList {
public:
  // Registers itself in the owner's list of value lists.
  TChartValueList(TChartSeries& owner, std::string name);
  virtual ~TChartValueList() = default;
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  const std::string& Name() const { return name_; }
  TChartSeries& Owner() const { return owner_; }

  TChartListOrder Order() const { return order_; }
  void SetOrder(TChartListOrder order);
  bool DateTime() const { return dateTime_; }
  void SetDateTime(bool dateTime);
  const std::string& ValueSource() const { return valueSource_; }
  void SetValueSource(const std::string& valueSource) { valueSource_ = valueSource; }

  int ValueCount() const { return count_; }
  int Capacity() const { return storage_.Capacity(); }
  double ValueAt(int index) const { return sequence_ ? index : storage_[index]; }
  double FirstValue() const { return ValueAt(0); }
  double LastValue() const { return ValueAt(count_ - 1); }
  // Whether the values are 0, 1, 2, ... and so stored nowhere.
  bool IsSequence() const { return sequence_; }
  // The stored values, ValueCount of them, unless IsSequence.
  const double* StoredValues() const { return storage_.Data(); }

  double PendingValue = 0;

  // Where the pending value goes.
  int PendingPosition() const { return OrderedPosition(PendingValue); }
  // Makes the room that inserting `value` at `index` needs; throws
  // std::bad_alloc when there is none, with the values unchanged. After it,
  // inserting the same value there cannot fail.
  // Inline: a load runs it for every point of every list.
  void PrepareInsert(int index, double value) {
    if (sequence_ && !ContinuesSequence(index, value)) {
      WriteOutSequence();
    }
    if (!sequence_) {
      storage_.EnsureCapacity(count_ + 1LL);
    }
  }
  // Appends `values` at the end, whatever the order says; all or nothing.
  void AppendRun(std::span<const double> values);
  // Appends the next `quantity` values of the sequence 0, 1, 2, ...; the
  // list must be one (IsSequence), so nothing can fail.
  void ExtendSequence(int quantity);
  // Replaces the value at `index` (in range); the order is not kept.
  void SetValueAt(int index, double value);
  // The points from `index` on changed otherwise (a null point made or
  // undone): what was worked out of them is worked out again.
  void PointsChangedFrom(int index) { ChangedFrom(index); }
  virtual int AddValue(double value);
  virtual void ClearValues();
  virtual void InsertValueAt(int index, double value);
  virtual void DeleteValueAt(int index);
  int InsertPendingOrdered();
  void DeleteValueRange(int start, int quantity);
  void RenumberValues();
  void SortValues();
  void SwapValues(int a, int b);

  double MinimumValue();
  double MaximumValue();
  double SumOfValues();
  double SumOfMagnitudes();
  double ValueSpan();
  bool StatisticsStale() const { return statisticsCount_ != count_; }

  // The min/max summary of the values, brought up to date.
  const TValueSummary& Summary() const;
  // Whether no value is NaN and none is below the one before it, so that a
  // mapping that keeps the order of numbers keeps the order of the points.
  bool IsAscending() const;

private:
  int OrderedPosition(double value) const;
  // Whether `value` at `index` continues the sequence 0, 1, 2, ... (a
  // negative zero does not: it would read back as a positive one).
  bool ContinuesSequence(int index, double value) const { return index == count_ && IsIndex(index, value); }
  static bool IsIndex(long long index, double value) {
    return value == static_cast<double>(index) && !std::signbit(value);
  }
  // Stores the sequence, to be changed.
  void WriteOutSequence();
  // Brings the statistics up to date from the values they do not cover yet.
  void ExtendStatistics();
  void SummariseRun(int first, int count);
  void ResetStatistics();
  // Every change ends here: what is derived from the values is stale from
  // `index` on.
  void ChangedFrom(int index);

  TChartSeries& owner_;
  std::string name_;
  TChartListOrder order_ = loNone;
  bool dateTime_ = false;
  std::string valueSource_;
  // While the values are 0, 1, 2, ... the storage is empty.
  bool sequence_ = true;
  TValueStorage<double> storage_;
  int count_ = 0;
  // The statistics of the first statisticsCount_ values, all 0 for none.
  double minimum_ = 0;
  double maximum_ = 0;
  double sum_ = 0;
  double sumOfMagnitudes_ = 0;
  int statisticsCount_ = 0;
  // Whether a value (not a null point) is among them.
  bool statisticsTaken_ = false;
  mutable TValueSummary summary_;
  // The values before ascendingChecked_ were checked for IsAscending;
  // descentAt_ is where the order first broke among them, -1 for nowhere.
  mutable int ascendingChecked_ = 0;
  mutable int descentAt_ = -1;
};
