#include "log/TWordSamples.h"

namespace {

// Below this many words the list stays, however dense: it is small.
constexpr std::size_t kFewestForBits = 4096;

}  // namespace

void TWordSamples::Mark(std::size_t index) {
  if (!bits_.empty()) {
    SetBit(index);
    return;
  }
  if (indices_.empty() || index > indices_.back()) {
    indices_.push_back(static_cast<std::uint32_t>(index));
  } else if (const auto at = std::lower_bound(indices_.begin(), indices_.end(), index); *at != index) {
    indices_.insert(at, static_cast<std::uint32_t>(index));
  }
  // A bit a point takes less room once more than one point in 32 is a word.
  if (indices_.size() >= kFewestForBits && indices_.size() * 32 > indices_.back()) {
    ToBits();
  }
}

bool TWordSamples::IsWord(std::size_t index) const {
  if (!bits_.empty()) {
    return index / 64 < bits_.size() && ((bits_[index / 64] >> (index % 64)) & 1) != 0;
  }
  return std::binary_search(indices_.begin(), indices_.end(), index);
}

std::size_t TWordSamples::CountIn(std::size_t first, std::size_t last) const {
  if (bits_.empty()) {
    return static_cast<std::size_t>(std::upper_bound(indices_.begin(), indices_.end(), last) -
                                    std::lower_bound(indices_.begin(), indices_.end(), first));
  }
  std::size_t count = 0;
  for (std::size_t word = first / 64; word <= last / 64 && word < bits_.size(); ++word) {
    count += static_cast<std::size_t>(std::popcount(BitsIn(word, first, last)));
  }
  return count;
}

std::size_t TWordSamples::BytesUsed() const {
  return indices_.capacity() * sizeof(std::uint32_t) + bits_.capacity() * sizeof(std::uint64_t);
}

void TWordSamples::SetBit(std::size_t index) {
  if (index / 64 >= bits_.size()) {
    bits_.resize(index / 64 + 1);
  }
  bits_[index / 64] |= std::uint64_t{1} << (index % 64);
}

void TWordSamples::ToBits() {
  bits_.reserve(indices_.back() / 64 + 1);
  for (const std::uint32_t index : indices_) {
    SetBit(index);
  }
  indices_ = std::vector<std::uint32_t>();
}
