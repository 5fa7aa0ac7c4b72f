#include "chart/series/TPointColorList.h"

#include <algorithm>
#include <utility>

void TPointColorList::Create(int pointCount) {
  count_ = pointCount;
  exists_ = true;
  eachStored_ = false;
  sameColor_ = clDefault;
}

void TPointColorList::PrepareInsert(TColor color, int quantity) {
  if (!eachStored_ && count_ > 0 && color != sameColor_) {
    StoreEach(quantity);
  }
  if (eachStored_) {
    storage_.EnsureCapacity(static_cast<long long>(count_) + quantity);
  }
}

void TPointColorList::Insert(int index, TColor color) {
  PrepareInsert(color);
  if (!eachStored_) {
    sameColor_ = color;
  } else {
    storage_.OpenGap(index, count_);
    storage_[index] = color;
  }
  ++count_;
}

void TPointColorList::Append(TColor color, int quantity) {
  PrepareInsert(color, quantity);
  if (!eachStored_) {
    sameColor_ = color;
  } else {
    std::fill_n(storage_.Data() + count_, quantity, color);
  }
  count_ += quantity;
}

// Room for `quantity` more is made at once, so that the points that follow
// cannot fail once the colours are written out.
void TPointColorList::StoreEach(int quantity) {
  storage_.EnsureCapacity(static_cast<long long>(count_) + quantity);
  std::fill_n(storage_.Data(), count_, sameColor_);
  eachStored_ = true;
}

void TPointColorList::Set(int index, TColor color) {
  if (!eachStored_) {
    if (color == sameColor_) {
      return;
    }
    StoreEach(0);
  }
  storage_[index] = color;
}

void TPointColorList::Compact() {
  if (!eachStored_ || count_ == 0) {
    return;
  }
  const TColor first = storage_[0];
  if (std::all_of(storage_.Data(), storage_.Data() + count_, [first](TColor color) { return color == first; })) {
    storage_.Release();
    eachStored_ = false;
    sameColor_ = first;
  }
}

void TPointColorList::DeleteRange(int start, int quantity) {
  if (start >= count_) {
    return;
  }
  quantity = std::min(quantity, count_ - start);
  if (eachStored_) {
    storage_.CloseGap(start, quantity, count_);
  }
  count_ -= quantity;
}

void TPointColorList::Swap(int a, int b) {
  if (eachStored_ && a < count_ && b < count_) {
    std::swap(storage_[a], storage_[b]);
  }
}

void TPointColorList::Free() {
  storage_.Release();
  count_ = 0;
  exists_ = false;
  eachStored_ = false;
  sameColor_ = clDefault;
}
