#pragma once

#include <vector>

class TChartModel;
class TChartSeries;

// The series a chart shows, in order. The chart only refers to them; whoever
// created a series owns it.
class TChartSeriesList {
public:
  explicit TChartSeriesList(TChartModel& chart) : chart_(chart) {}
  TChartSeriesList(const TChartSeriesList&) = delete;
  TChartSeriesList& operator=(const TChartSeriesList&) = delete;

  int Count() const { return static_cast<int>(series_.size()); }
  TChartSeries& operator[](int index) const { return *series_[static_cast<std::size_t>(index)]; }
  int IndexOf(const TChartSeries& series) const;
  auto begin() const { return series_.begin(); }
  auto end() const { return series_.end(); }

  // A series already in the list is left alone.
  void Add(TChartSeries& series);
  // Nothing for an index out of range.
  void Delete(int index);
  void Remove(TChartSeries& series) { Delete(IndexOf(series)); }

private:
  TChartModel& chart_;
  std::vector<TChartSeries*> series_;
};
