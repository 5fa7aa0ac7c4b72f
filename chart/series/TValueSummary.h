#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

// The extremes of the values of a block of points. Min is NaN when the block
// holds a value that is not finite; such a block is looked at point by point.
struct TValueExtent {
  double Min = 0;
  double Max = 0;
  bool Finite() const { return !std::isnan(Min); }
};

// A min/max pyramid over point indices, so that the extremes of any run of
// points cost a few dozen look-ups however long the run. Level 0 holds the
// extent of every complete block of BlockSize points, each level above it
// that of every complete group of Fanout blocks below; the points after the
// last complete block are not summarised. It covers a prefix of the values
// and is brought up to date when asked: appending costs nothing until it is
// next used, and an edit only drops the blocks from the edited one on.
class TValueSummary {
public:
  static constexpr int BlockSize = 32;
  static constexpr int FanoutBits = 3;
  static constexpr int Fanout = 1 << FanoutBits;

  // Drops the blocks that hold `index` or anything after it.
  void ForgetFrom(int index);
  void Clear() { levels_.clear(); }
  // Summarises the complete blocks of the first `count` values.
  void Update(const double* values, int count);

  // Offers the points of [begin, end) to `visitor` in index order, or in
  // reverse when `backward`: a whole block as visitor.TakeBlock(extent),
  // which returns false to have it split up, or one point as
  // visitor.TakePoint(index), which returns false to stop the walk. Whether
  // the walk ran to its end. `count` is the number of values.
  template <class TVisitor>
  bool Walk(int count, int begin, int end, bool backward, TVisitor& visitor) const;

private:
  // Points per block at `level`.
  static long long Span(int level) { return static_cast<long long>(BlockSize) << (FanoutBits * level); }
  long long SummarisedCount() const {
    return levels_.empty() ? 0 : static_cast<long long>(levels_[0].size()) * BlockSize;
  }
  template <class TVisitor>
  bool WalkBlock(int level, long long index, int begin, int end, bool backward, TVisitor& visitor) const;
  template <class TVisitor>
  static bool WalkPoints(long long from, long long to, bool backward, TVisitor& visitor);

  std::vector<std::vector<TValueExtent>> levels_;
};

template <class TVisitor>
bool TValueSummary::Walk(int count, int begin, int end, bool backward, TVisitor& visitor) const {
  // The blocks that no block above covers, in index order, then the points
  // after the last block (level -1).
  struct TRoot {
    int Level;
    long long Index;
  };
  std::array<TRoot, 32 * Fanout> roots{};
  int rootCount = 0;
  const int levels = static_cast<int>(levels_.size());
  for (int level = levels - 1; level >= 0; --level) {
    const std::size_t covered = level + 1 < levels ? levels_[level + 1].size() * Fanout : 0;
    for (std::size_t index = covered; index < levels_[level].size(); ++index) {
      roots[rootCount++] = {level, static_cast<long long>(index)};
    }
  }
  roots[rootCount++] = {-1, 0};
  for (int r = 0; r < rootCount; ++r) {
    const TRoot& root = roots[backward ? rootCount - 1 - r : r];
    const bool done = root.Level < 0 ? WalkPoints(std::max<long long>(SummarisedCount(), begin), std::min(count, end),
                                                  backward, visitor)
                                     : WalkBlock(root.Level, root.Index, begin, end, backward, visitor);
    if (!done) {
      return false;
    }
  }
  return true;
}

template <class TVisitor>
bool TValueSummary::WalkBlock(int level, long long index, int begin, int end, bool backward, TVisitor& visitor) const {
  const long long low = index * Span(level);
  const long long high = low + Span(level);
  if (high <= begin || low >= end) {
    return true;
  }
  if (begin <= low && high <= end && visitor.TakeBlock(levels_[level][index])) {
    return true;
  }
  if (level == 0) {
    return WalkPoints(std::max<long long>(low, begin), std::min<long long>(high, end), backward, visitor);
  }
  for (int c = 0; c < Fanout; ++c) {
    const long long child = index * Fanout + (backward ? Fanout - 1 - c : c);
    if (!WalkBlock(level - 1, child, begin, end, backward, visitor)) {
      return false;
    }
  }
  return true;
}

template <class TVisitor>
bool TValueSummary::WalkPoints(long long from, long long to, bool backward, TVisitor& visitor) {
  for (long long i = from; i < to; ++i) {
    if (!visitor.TakePoint(static_cast<int>(backward ? to - 1 - (i - from) : i))) {
      return false;
    }
  }
  return true;
}
