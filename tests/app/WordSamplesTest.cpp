#include "log/TWordSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <set>
#include <vector>

namespace {

// Few words keep a list, many a bit a point; either answers alike, also
// for points marked out of order or twice.
TEST(WordSamples, AnswerAlikeWhetherFewOrMany) {
  const struct {
    const char* Name = nullptr;
    std::size_t Points = 0;
    std::size_t OneIn = 0;  // points a word, at random
    bool Shuffled = false;
  } cases[] = {
      {"Sparse", 1000000, 100, false},   {"Dense", 200000, 3, false},     {"DenseOutOfOrder", 200000, 3, true},
      {"FewOutOfOrder", 5000, 50, true}, {"EveryPoint", 10000, 1, false},
  };
  for (const auto& c : cases) {
    std::mt19937_64 random(5);
    std::vector<std::size_t> marked;
    for (std::size_t i = 0; i < c.Points; ++i) {
      if (random() % c.OneIn == 0) {
        marked.push_back(i);
      }
    }
    if (c.Shuffled) {
      std::shuffle(marked.begin(), marked.end(), random);
      marked.push_back(marked.front());
    }
    TWordSamples words;
    for (const std::size_t index : marked) {
      words.Mark(index);
    }
    const std::set<std::size_t> expected(marked.begin(), marked.end());
    for (std::size_t i = 0; i < c.Points + 70; ++i) {
      ASSERT_EQ(words.IsWord(i), expected.count(i) == 1) << c.Name << " #" << i;
    }
    for (int k = 0; k < 200; ++k) {
      std::size_t first = random() % (c.Points + 100);
      std::size_t last = random() % (c.Points + 100);
      if (first > last) {
        std::swap(first, last);
      }
      std::vector<std::size_t> taken;
      words.ForEachIn(first, last, [&taken](std::size_t index) { taken.push_back(index); });
      const std::vector<std::size_t> within(expected.lower_bound(first), expected.upper_bound(last));
      ASSERT_EQ(taken, within) << c.Name << " " << first << ".." << last;
      ASSERT_EQ(words.CountIn(first, last), within.size()) << c.Name << " " << first << ".." << last;
    }
    // The list costs 4 bytes a word, the bits one a point: the smaller.
    EXPECT_LE(words.BytesUsed(), std::max<std::size_t>(16384, std::min(expected.size() * 8, c.Points / 4))) << c.Name;
  }
}

}  // namespace
