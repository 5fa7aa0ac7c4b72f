#pragma once

#include "chart/series/TValueStorage.h"
#include "gui/Color.h"

// The stored colours of the points. It exists only from the first point
// added with a colour other than clDefault; before that every point defers
// to the series. While every point has the same colour (a log's points are
// all stored blue) that colour is kept once; the first point with another
// colour writes out one colour per point.
class TPointColorList {
public:
  bool Exists() const { return exists_; }
  int Count() const { return count_; }
  TColor At(int index) const { return eachStored_ ? storage_[index] : sameColor_; }
  // Whether every point has the colour SameColor.
  bool AllSame() const { return !eachStored_; }
  TColor SameColor() const { return sameColor_; }

  // Creates the list, holding clDefault for each of the `pointCount` points.
  void Create(int pointCount);
  // Makes the room that inserting `quantity` points of `color` needs;
  // throws std::bad_alloc when there is none, with the list unchanged.
  void PrepareInsert(TColor color, int quantity = 1);
  // Inserts after PrepareInsert for the same colour, which it cannot fail.
  void Insert(int index, TColor color);
  // Appends `quantity` points of `color`; all or nothing.
  void Append(TColor color, int quantity);
  // Gives one point its colour: the first point of another colour writes
  // out one colour per point (std::bad_alloc when there is no room, with
  // the list unchanged).
  void Set(int index, TColor color);
  // Keeps the colour once again when every point has the same.
  void Compact();
  void DeleteRange(int start, int quantity);
  void Swap(int a, int b);
  void Free();

private:
  void StoreEach(int quantity);

  TValueStorage<TColor> storage_;
  int count_ = 0;
  bool exists_ = false;
  bool eachStored_ = false;
  TColor sameColor_ = clDefault;
};
