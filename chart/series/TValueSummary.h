#pragma once

#include <algorithm>
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

// The extent of `count` (at least one) values.
TValueExtent ExtentOfValues(const double* values, int count);

// A min/max pyramid over point indices, so that the extremes of any run of
// points cost a few dozen look-ups however long the run. Level 0 holds the
// extent of every complete block of BlockSize points, each level above it
// that of every complete group of Fanout blocks below; the points after the
// last complete block are not summarised. It covers a prefix of the values
// and is brought up to date when asked: appending costs nothing until it is
// next used, and an edit only drops the blocks from the edited one on.
class TValueSummary {
public:
  static constexpr int BlockBits = 6;
  static constexpr int BlockSize = 1 << BlockBits;
  static constexpr int FanoutBits = 3;
  static constexpr int Fanout = 1 << FanoutBits;

  // Drops the blocks that hold `index` or anything after it. Inline: every
  // added point runs it, mostly with nothing to drop.
  void ForgetFrom(int index) {
    if (!levels_.empty() && index < static_cast<long long>(levels_[0].size()) * BlockSize) {
      DropFrom(index);
    }
  }
  void Clear() { levels_.clear(); }
  // Summarises the complete blocks of the first `count` values.
  void Update(const double* values, int count);
  // Whether every complete block of the first `count` values, and no other,
  // is summarised.
  bool Summarises(int count) const { return SummarisedCount() == count / BlockSize * BlockSize; }

  // Offers the points of [begin, end) to `visitor` in index order, or in
  // reverse when `backward`: a whole block as visitor.TakeBlock(extent),
  // which returns false to have it split up, or the points [first, last)
  // inside one block as visitor.TakePoints(first, last, backward), which
  // returns false to stop the walk. Whether the walk ran to its end.
  template <class TVisitor>
  bool Walk(int begin, int end, bool backward, TVisitor& visitor) const;

private:
  // Points per block at `level`.
  void DropFrom(int index);
  static int SpanBits(int level) { return BlockBits + FanoutBits * level; }
  static long long Span(int level) { return 1LL << SpanBits(level); }
  long long SummarisedCount() const {
    return levels_.empty() ? 0 : static_cast<long long>(levels_[0].size()) * BlockSize;
  }
  // The block of `level` that starts at point `from`, or ends there when
  // walking backward.
  static long long BlockAt(int level, long long from, bool backward) {
    return (from >> SpanBits(level)) - (backward ? 1 : 0);
  }
  template <class TVisitor>
  bool WalkBlock(int level, long long index, bool backward, TVisitor& visitor) const;

  std::vector<std::vector<TValueExtent>> levels_;
};

// From the end walked from, the largest summarised block that starts
// there and fits goes next, else the points up to the next block boundary:
// the blocks grow towards the middle of the range and shrink again, and only
// the levels that fit in the range are touched.
template <class TVisitor>
bool TValueSummary::Walk(int begin, int end, bool backward, TVisitor& visitor) const {
  long long low = begin;
  long long high = end;
  const int levels = static_cast<int>(levels_.size());
  while (low < high) {
    const long long from = backward ? high : low;
    int level = -1;
    while (level + 1 < levels && (from & (Span(level + 1) - 1)) == 0 && high - low >= Span(level + 1) &&
           BlockAt(level + 1, from, backward) <
               static_cast<long long>(levels_[static_cast<std::size_t>(level) + 1].size())) {
      ++level;
    }
    long long length = level < 0 ? 0 : Span(level);
    if (level < 0) {
      // To the boundary of a block, or the whole rest of the range.
      const long long boundary = backward ? (high - 1) / BlockSize * BlockSize : (low / BlockSize + 1) * BlockSize;
      length = std::min(high - low, backward ? high - boundary : boundary - low);
      const long long first = backward ? high - length : low;
      if (!visitor.TakePoints(static_cast<int>(first), static_cast<int>(first + length), backward)) {
        return false;
      }
    } else if (!WalkBlock(level, BlockAt(level, from, backward), backward, visitor)) {
      return false;
    }
    (backward ? high : low) += backward ? -length : length;
  }
  return true;
}

template <class TVisitor>
bool TValueSummary::WalkBlock(int level, long long index, bool backward, TVisitor& visitor) const {
  if (visitor.TakeBlock(levels_[static_cast<std::size_t>(level)][static_cast<std::size_t>(index)])) {
    return true;
  }
  if (level == 0) {
    const auto first = static_cast<int>(index * BlockSize);
    return visitor.TakePoints(first, first + BlockSize, backward);
  }
  for (int p = 0; p < Fanout; ++p) {
    const long long part = index * Fanout + (backward ? Fanout - 1 - p : p);
    if (!WalkBlock(level - 1, part, backward, visitor)) {
      return false;
    }
  }
  return true;
}
