#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Which points of a log were one of the sensor words rather than a number:
// a bit a point, and nothing at all until the first word comes.
class TWordSamples {
public:
  void Clear() { bits_.clear(); }
  void Mark(std::size_t index) {
    if (index / 64 >= bits_.size()) {
      bits_.resize(index / 64 + 1);
    }
    bits_[index / 64] |= std::uint64_t{1} << (index % 64);
  }
  bool IsWord(std::size_t index) const {
    return index / 64 < bits_.size() && ((bits_[index / 64] >> (index % 64)) & 1) != 0;
  }
  std::size_t BytesUsed() const { return bits_.size() * sizeof(std::uint64_t); }

private:
  std::vector<std::uint64_t> bits_;
};
