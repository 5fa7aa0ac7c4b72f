#include "chart/series/TValueSummary.h"

#include <algorithm>
#include <array>

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

// The first of the values that equals `value`: of two zeros, the first is
// the one a walk in order keeps.
double FirstEqual(const double* values, int count, double value) { return *std::find(values, values + count, value); }

}  // namespace

// Finiteness is checked once at the end, so the loop has no branch: a NaN
// or an infinity makes the sum of the differences from the first value NaN
// or infinite. Four interleaved chains, as one chain waits for each step's
// result; they give the same extremes, only the sign of a zero may come
// from a later chain, so a zero extreme is looked up again.
TValueExtent ExtentOfValues(const double* values, int count) {
  constexpr int kChains = 4;
  std::array<double, kChains> low{values[0], values[0], values[0], values[0]};
  std::array<double, kChains> high = low;
  std::array<double, kChains> check{};
  int i = 0;
  for (; i + kChains <= count; i += kChains) {
    for (std::size_t k = 0; k < kChains; ++k) {
      const double value = values[i + static_cast<int>(k)];
      low[k] = std::min(low[k], value);
      high[k] = std::max(high[k], value);
      check[k] += (value - values[0]) * 0;
    }
  }
  for (; i < count; ++i) {
    low[0] = std::min(low[0], values[i]);
    high[0] = std::max(high[0], values[i]);
    check[0] += (values[i] - values[0]) * 0;
  }
  TValueExtent extent{*std::min_element(low.begin(), low.end()), *std::max_element(high.begin(), high.end())};
  if (!std::isfinite(check[0] + check[1] + check[2] + check[3]) || !std::isfinite(values[0])) {
    return NonFinite();
  }
  if (extent.Min == 0) {
    extent.Min = FirstEqual(values, count, 0);
  }
  if (extent.Max == 0) {
    extent.Max = FirstEqual(values, count, 0);
  }
  return extent;
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
