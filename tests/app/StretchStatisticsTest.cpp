#include "app/measure/StretchStatistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "log/TWordSamples.h"
#include "tests/app/TempFolder.h"

namespace {

// Words are counted apart, never as numbers; a stretch of words alone has
// no numeric figures. The words sit at the edges of the 64-point groups
// they are noted in, where a count of them slips first.
TEST(StretchStatistics, LeaveTheSensorWordsOut) {
  TChart chart(nullptr);
  TLineSeries series;
  chart.SeriesList().Add(series);
  std::vector<double> values(200);
  std::iota(values.begin(), values.end(), 0.0);
  series.AppendValues(values, clBlue);
  TWordSamples words;
  for (const std::size_t word : {0UL, 63UL, 64UL, 127UL, 128UL, 150UL}) {
    words.Mark(word);
  }
  const struct {
    int First;
    int Last;
    int Words;
    double Min;
    double Max;
  } cases[] = {
      {0, 0, 1, NAN, NAN}, {1, 62, 0, 1, 62},       {0, 199, 6, 1, 199},     {63, 64, 2, NAN, NAN},
      {62, 65, 2, 62, 65}, {127, 128, 2, NAN, NAN}, {129, 149, 0, 129, 149}, {100, 160, 3, 100, 160},
  };
  TBlockSums sums;
  for (const auto& c : cases) {
    const TStretchStatistics all = StretchStatistics(series.YValues(), c.First, c.Last, sums);
    const TStretchStatistics numbers = NumbersOnly(series.YValues(), all, words);
    const std::string stretch = std::to_string(c.First) + " to " + std::to_string(c.Last);
    EXPECT_EQ(words.CountIn(static_cast<std::size_t>(c.First), static_cast<std::size_t>(c.Last)),
              static_cast<std::size_t>(c.Words))
        << stretch;
    EXPECT_EQ(numbers.Words, c.Words) << stretch;
    EXPECT_EQ(numbers.Count(), c.Last - c.First + 1 - c.Words) << stretch;
    if (std::isnan(c.Min)) {
      EXPECT_TRUE(std::isnan(numbers.Min) && std::isnan(numbers.Max) && std::isnan(numbers.Mean)) << stretch;
      continue;
    }
    EXPECT_EQ(numbers.Min, c.Min) << stretch;
    EXPECT_EQ(numbers.Max, c.Max) << stretch;
    double sum = 0;
    for (int i = c.First; i <= c.Last; ++i) {
      sum += words.IsWord(static_cast<std::size_t>(i)) ? 0 : values[static_cast<std::size_t>(i)];
    }
    EXPECT_DOUBLE_EQ(numbers.Mean, sum / numbers.Count()) << stretch;
  }
}

// Gaps (the null points of skipped lines) are counted apart like words,
// whatever value they hold for the axis, and a stretch may hold both.
TEST(StretchStatistics, LeaveTheGapsOut) {
  TChart chart(nullptr);
  TLineSeries series;
  chart.SeriesList().Add(series);
  // 0 1 gap(1000) 3 word(2) gap(-1000) 6
  series.AppendValues(std::vector<double>{0, 1}, clBlue);
  series.AppendValues(std::vector<double>{1000}, clNone);
  series.AppendValues(std::vector<double>{3, 2}, clBlue);
  series.AppendValues(std::vector<double>{-1000}, clNone);
  series.AppendValues(std::vector<double>{6}, clBlue);
  TWordSamples words;
  words.Mark(4);
  const struct {
    int First;
    int Last;
    int Words;
    int Gaps;
    double Min;
    double Max;
    double Mean;
  } cases[] = {
      {0, 6, 1, 2, 0, 6, 2.5},     {2, 2, 0, 1, NAN, NAN, NAN}, {1, 3, 0, 1, 1, 3, 2},
      {4, 5, 1, 1, NAN, NAN, NAN}, {0, 1, 0, 0, 0, 1, 0.5},
  };
  TBlockSums sums;
  for (const auto& c : cases) {
    const TStretchStatistics all = StretchStatistics(series.YValues(), c.First, c.Last, sums);
    const TStretchStatistics numbers = NumbersOnly(series.YValues(), all, words);
    const std::string stretch = std::to_string(c.First) + " to " + std::to_string(c.Last);
    EXPECT_EQ(numbers.Words, c.Words) << stretch;
    EXPECT_EQ(numbers.Gaps, c.Gaps) << stretch;
    EXPECT_EQ(numbers.Count(), c.Last - c.First + 1 - c.Words - c.Gaps) << stretch;
    if (std::isnan(c.Min)) {
      EXPECT_TRUE(std::isnan(numbers.Min) && std::isnan(numbers.Max) && std::isnan(numbers.Mean)) << stretch;
      continue;
    }
    EXPECT_EQ(numbers.Min, c.Min) << stretch;
    EXPECT_EQ(numbers.Max, c.Max) << stretch;
    EXPECT_DOUBLE_EQ(numbers.Mean, c.Mean) << stretch;
  }
}

// Stretches inside one block, across one boundary, over many blocks, and a
// log that grew between two questions.
TEST(StretchStatistics, AreTheFiguresOfTheValuesOfAnyStretch) {
  TChart chart(nullptr);
  TLineSeries series;
  chart.SeriesList().Add(series);
  std::vector<double> values(3 * TBlockSums::BlockSize + 100);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<double>(i * 7919 % 2003) * 0.25 - 200;
  }
  series.AppendValues(values, clBlue);
  TBlockSums sums;
  const int block = TBlockSums::BlockSize;
  const struct {
    int First;
    int Last;
  } cases[] = {{0, 0},
               {5, 17},
               {block - 3, block + 2},
               {0, block - 1},
               {block, 2 * block - 1},
               {1, 3 * block - 2},
               {0, 3 * block + 99},
               {2 * block + 1, 3 * block + 99}};
  for (const auto& c : cases) {
    const auto begin = values.begin() + c.First;
    const auto end = values.begin() + c.Last + 1;
    const TStretchStatistics figures = StretchStatistics(series.YValues(), c.First, c.Last, sums);
    EXPECT_EQ(figures.Count(), c.Last - c.First + 1);
    EXPECT_EQ(figures.Min, *std::min_element(begin, end)) << c.First << ".." << c.Last;
    EXPECT_EQ(figures.Max, *std::max_element(begin, end)) << c.First << ".." << c.Last;
    EXPECT_NEAR(figures.Mean, std::accumulate(begin, end, 0.0) / figures.Count(), 1e-9) << c.First << ".." << c.Last;
  }
  // The sums of the complete blocks are kept; the new values are summed too.
  std::vector<double> more(block, 1000.0);
  series.AppendValues(more, clBlue);
  values.insert(values.end(), more.begin(), more.end());
  const int last = static_cast<int>(values.size()) - 1;
  EXPECT_NEAR(StretchStatistics(series.YValues(), 0, last, sums).Mean,
              std::accumulate(values.begin(), values.end(), 0.0) / (last + 1), 1e-9);
}

// A stretch grown at its end, within a block, across blocks and over many,
// has the figures of the whole stretch worked out afresh.
TEST(StretchStatistics, OfAStretchGrownAtItsEndAreThoseOfTheWholeStretch) {
  TChart chart(nullptr);
  TLineSeries series;
  chart.SeriesList().Add(series);
  std::vector<double> values(3 * TBlockSums::BlockSize);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<double>(i * 7919 % 2003) * 0.5 - 300;
  }
  series.AppendValues(values, clBlue);
  const int block = TBlockSums::BlockSize;
  const struct {
    int First;
    int Last;
    int GrownTo;
  } cases[] = {
      {0, 0, 1}, {3, 10, 11}, {5, 100, block + 3}, {block - 1, block, 3 * block - 1}, {7, block + 7, 2 * block}};
  for (const auto& c : cases) {
    TBlockSums sums;
    const TStretchStatistics grown = ExtendedStretchStatistics(
        series.YValues(), StretchStatistics(series.YValues(), c.First, c.Last, sums), c.GrownTo, sums);
    TBlockSums freshSums;
    const TStretchStatistics fresh = StretchStatistics(series.YValues(), c.First, c.GrownTo, freshSums);
    EXPECT_EQ(grown.First, fresh.First) << c.First << ".." << c.Last << ".." << c.GrownTo;
    EXPECT_EQ(grown.Last, fresh.Last) << c.First << ".." << c.Last << ".." << c.GrownTo;
    EXPECT_EQ(grown.Min, fresh.Min) << c.First << ".." << c.Last << ".." << c.GrownTo;
    EXPECT_EQ(grown.Max, fresh.Max) << c.First << ".." << c.Last << ".." << c.GrownTo;
    EXPECT_NEAR(grown.Mean, fresh.Mean, 1e-9) << c.First << ".." << c.Last << ".." << c.GrownTo;
  }
}

// A log stored as the sequence 0, 1, 2... keeps no values: its figures come
// from the indices, and its mean may lie halfway between two of them.
TEST(StretchStatistics, OfALogThatIsItsOwnSampleNumbers) {
  TChart chart(nullptr);
  TLineSeries series;
  chart.SeriesList().Add(series);
  const std::vector<double> values = {0, 1, 2, 3, 4, 5};
  series.AppendValues(values, clBlue);
  ASSERT_TRUE(series.YValues().IsSequence());
  const struct {
    int First;
    int Last;
    double Mean;
  } cases[] = {{0, 0, 0}, {0, 1, 0.5}, {2, 5, 3.5}, {1, 5, 3}};
  TBlockSums sums;
  for (const auto& c : cases) {
    const TStretchStatistics figures = StretchStatistics(series.YValues(), c.First, c.Last, sums);
    EXPECT_EQ(figures.Min, c.First) << c.First << ".." << c.Last;
    EXPECT_EQ(figures.Max, c.Last) << c.First << ".." << c.Last;
    EXPECT_EQ(figures.Mean, c.Mean) << c.First << ".." << c.Last;
  }
}

// Near the largest count of points the block bounds pass the 32-bit range
// (a stretch starting in the last block rounds up beyond it).
TEST(StretchStatistics, BlockBoundsHoldUpToTheLargestCount) {
  // INT_MAX is 2^31 - 1: 2^19 blocks less one value.
  constexpr int kMax = INT_MAX;
  const struct {
    int First;
    int Last;
    long long FirstWhole;
    long long EndWhole;
  } cases[] = {
      {0, 0, 0, 0},
      {0, TBlockSums::BlockSize - 1, 0, 1},
      {1, 2 * TBlockSums::BlockSize, 1, 2},
      {kMax - 2, kMax - 1, 1 << 19, (1 << 19) - 1},
      {0, kMax - 1, 0, (1 << 19) - 1},
  };
  for (const auto& c : cases) {
    const TBlockSums::TWholeBlocks whole = TBlockSums::WholeBlocks(c.First, c.Last);
    EXPECT_EQ(whole.First, c.FirstWhole) << c.First << ".." << c.Last;
    EXPECT_EQ(whole.End, c.EndWhole) << c.First << ".." << c.Last;
  }
}

// The block sums belong to the pane's log: another log loaded into the
// pane is summed afresh.
TEST(StretchStatistics, OfAnotherLogInThePaneAreItsOwn) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  const auto log = [](const char* value) {
    std::string text = "h,V\n";
    for (int i = 0; i < 3 * TBlockSums::BlockSize; ++i) {
      text += std::string(value) + "\n";
    }
    return text;
  };
  form.FormKeyDown('S', 0);
  for (const char* value : {"1", "3"}) {
    form.Document().Load(0, folder.Write(std::string(value) + ".csv", log(value)));
    form.Chart1.Refresh();
    const std::optional<TMeasurements::TPaneStatistics> statistics = form.Measures().PaneStatistics(0);
    ASSERT_TRUE(statistics);
    EXPECT_EQ(statistics->Figures.Count(), 3 * TBlockSums::BlockSize);
    EXPECT_EQ(statistics->Figures.Mean, std::stod(value));
  }
}

}  // namespace
