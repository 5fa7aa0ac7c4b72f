#pragma once

#include <bit>
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
  // How many of the points from `first` to `last` (both included) were words.
  std::size_t CountIn(std::size_t first, std::size_t last) const {
    std::size_t count = 0;
    for (std::size_t word = first / 64; word <= last / 64 && word < bits_.size(); ++word) {
      std::uint64_t bits = bits_[word];
      if (word == first / 64) {
        bits &= ~std::uint64_t{0} << (first % 64);
      }
      if (word == last / 64 && last % 64 != 63) {
        bits &= (std::uint64_t{1} << (last % 64 + 1)) - 1;
      }
      count += static_cast<std::size_t>(std::popcount(bits));
    }
    return count;
  }
  // Calls `take(index)` for every word point from `first` to `last` (both
  // included), in order.
  template <class TTake>
  void ForEachIn(std::size_t first, std::size_t last, TTake take) const {
    for (std::size_t word = first / 64; word <= last / 64 && word < bits_.size(); ++word) {
      std::uint64_t bits = bits_[word];
      if (word == first / 64) {
        bits &= ~std::uint64_t{0} << (first % 64);
      }
      for (; bits != 0; bits &= bits - 1) {
        const std::size_t index = word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
        if (index > last) {
          return;
        }
        take(index);
      }
    }
  }
  std::size_t BytesUsed() const { return bits_.size() * sizeof(std::uint64_t); }

private:
  std::vector<std::uint64_t> bits_;
};
