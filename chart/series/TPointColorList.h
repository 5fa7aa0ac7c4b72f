#pragma once

#include "chart/series/TValueStorage.h"
#include "gui/Color.h"

// The stored colours of the points. It exists only from the first point
// added with a colour other than clDefault; before that every point defers
// to the series.
class TPointColorList {
public:
  bool Exists() const { return exists_; }
  int Count() const { return count_; }
  TColor At(int index) const { return storage_[index]; }

  // Creates the list, holding clDefault for each of the `pointCount` points.
  void Create(int pointCount);
  void Insert(int index, TColor color);
  void DeleteRange(int start, int quantity);
  void Swap(int a, int b);
  void Free();

private:
  TValueStorage<TColor> storage_;
  int count_ = 0;
  bool exists_ = false;
};
