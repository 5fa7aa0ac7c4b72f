#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// Which points of a log were one of the sensor words rather than a number.
// While words are few, their point indices in order, 4 bytes a word; once
// they would take more room than a bit a point, a bit a point. Nothing at
// all until the first word comes.
class TWordSamples {
public:
  void Clear() {
    indices_ = std::vector<std::uint32_t>();
    bits_ = std::vector<std::uint64_t>();
  }
  // Points are marked in ascending order, mostly.
  void Mark(std::size_t index);
  bool IsWord(std::size_t index) const;
  // How many of the points from `first` to `last` (both included) were words.
  std::size_t CountIn(std::size_t first, std::size_t last) const;
  // Calls `take(index)` for every word point from `first` to `last` (both
  // included), in order.
  template <class TTake>
  void ForEachIn(std::size_t first, std::size_t last, TTake take) const {
    if (bits_.empty()) {
      for (auto at = std::lower_bound(indices_.begin(), indices_.end(), first); at != indices_.end() && *at <= last;
           ++at) {
        take(static_cast<std::size_t>(*at));
      }
      return;
    }
    for (std::size_t word = first / 64; word <= last / 64 && word < bits_.size(); ++word) {
      for (std::uint64_t bits = BitsIn(word, first, last); bits != 0; bits &= bits - 1) {
        take(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
      }
    }
  }
  std::size_t BytesUsed() const;

private:
  void SetBit(std::size_t index);
  void ToBits();
  // The bits of 64-point word `word` that lie from `first` to `last`.
  std::uint64_t BitsIn(std::size_t word, std::size_t first, std::size_t last) const {
    std::uint64_t bits = bits_[word];
    if (word == first / 64) {
      bits &= ~std::uint64_t{0} << (first % 64);
    }
    if (word == last / 64 && last % 64 != 63) {
      bits &= (std::uint64_t{1} << (last % 64 + 1)) - 1;
    }
    return bits;
  }

  std::vector<std::uint32_t> indices_;
  std::vector<std::uint64_t> bits_;
};
