#pragma once

#include <string>
#include <string_view>
#include <vector>

// Optional texts of the points, one slot per point index up to the highest
// labelled point; an empty slot and an empty text read the same.
class TLabelsList {
public:
  bool Empty() const { return slots_.empty(); }
  int Count() const { return static_cast<int>(slots_.size()); }
  // The empty text past the end or for an empty slot.
  const std::string& Text(int index) const;

  // Pads with empty slots when the index is past the end.
  void Insert(int index, std::string_view text);
  // Both do nothing for slots past the end.
  void Delete(int index);
  void DeleteRange(int start, int quantity);
  void Swap(int a, int b);
  void Clear() { slots_.clear(); }

private:
  void PadTo(int count);

  std::vector<std::string> slots_;
};
