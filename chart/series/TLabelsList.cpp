#include "chart/series/TLabelsList.h"

#include <algorithm>

const std::string& TLabelsList::Text(int index) const {
  static const std::string kNone;
  return index >= 0 && index < Count() ? slots_[static_cast<std::size_t>(index)] : kNone;
}

void TLabelsList::PadTo(int count) {
  if (Count() < count) {
    slots_.resize(static_cast<std::size_t>(count));
  }
}

void TLabelsList::Insert(int index, std::string_view text) {
  PadTo(index);
  slots_.insert(slots_.begin() + index, std::string(text));
}

void TLabelsList::Delete(int index) { DeleteRange(index, 1); }

void TLabelsList::DeleteRange(int start, int quantity) {
  if (start >= Count()) {
    return;
  }
  const int end = std::min(start + quantity, Count());
  slots_.erase(slots_.begin() + start, slots_.begin() + end);
}

void TLabelsList::Swap(int a, int b) {
  PadTo(std::max(a, b) + 1);
  std::swap(slots_[static_cast<std::size_t>(a)], slots_[static_cast<std::size_t>(b)]);
}
