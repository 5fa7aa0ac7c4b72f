#include "chart/series/TPointColorList.h"

#include <algorithm>
#include <utility>

void TPointColorList::Create(int pointCount) {
  storage_.EnsureCapacity(pointCount);
  std::fill_n(storage_.Data(), pointCount, clDefault);
  count_ = pointCount;
  exists_ = true;
}

void TPointColorList::Insert(int index, TColor color) {
  storage_.EnsureCapacity(count_ + 1LL);
  storage_.OpenGap(index, count_);
  storage_[index] = color;
  ++count_;
}

void TPointColorList::DeleteRange(int start, int quantity) {
  if (start >= count_) {
    return;
  }
  quantity = std::min(quantity, count_ - start);
  storage_.CloseGap(start, quantity, count_);
  count_ -= quantity;
}

void TPointColorList::Swap(int a, int b) {
  if (a < count_ && b < count_) {
    std::swap(storage_[a], storage_[b]);
  }
}

void TPointColorList::Free() {
  storage_.Release();
  count_ = 0;
  exists_ = false;
}
