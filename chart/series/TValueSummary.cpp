#include "chart/series/TValueSummary.h"

namespace {

TValueExtent NonFinite() { return {std::nan(""), std::nan("")}; }

TValueExtent ExtentOfBlocks(const TValueExtent* blocks, int count) {
  TValueExtent extent = blocks[0];
  for (int i = 0; i < count; ++i) {
    if (!blocks[i].Finite()) {
      return NonFinite();
    }
    extent.Min = std::min(extent.Min, blocks[i].Min);
    extent.Max = std::max(extent.Max, blocks[i].Max);
  }
  return extent;
}

}  // namespace

// Finiteness is checked once at the end, so the loop has no branch: a NaN
// or an infinity makes the sum of the differences from the first value NaN
// or infinite.
TValueExtent ExtentOfValues(const double* values, int count) {
  TValueExtent extent{values[0], values[0]};
  double check = 0;
  for (int i = 0; i < count; ++i) {
    extent.Min = std::min(extent.Min, values[i]);
    extent.Max = std::max(extent.Max, values[i]);
    check += (values[i] - values[0]) * 0;
  }
  return std::isfinite(check) && std::isfinite(values[0]) ? extent : NonFinite();
}

void TValueSummary::DropFrom(int index) {
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    const auto kept = static_cast<std::size_t>(index / Span(static_cast<int>(level)));
    if (levels_[level].size() > kept) {
      levels_[level].resize(kept);
    }
  }
}

void TValueSummary::Update(const double* values, int count) {
  if (levels_.empty()) {
    levels_.emplace_back();
  }
  std::vector<TValueExtent>& blocks = levels_[0];
  for (auto block = blocks.size(); block < static_cast<std::size_t>(count / BlockSize); ++block) {
    blocks.push_back(ExtentOfValues(values + block * BlockSize, BlockSize));
  }
  for (std::size_t level = 1; levels_[level - 1].size() >= Fanout; ++level) {
    if (level == levels_.size()) {
      levels_.emplace_back();
    }
    const std::vector<TValueExtent>& below = levels_[level - 1];
    std::vector<TValueExtent>& groups = levels_[level];
    for (auto group = groups.size(); group < below.size() / Fanout; ++group) {
      groups.push_back(ExtentOfBlocks(below.data() + group * Fanout, Fanout));
    }
  }
}
