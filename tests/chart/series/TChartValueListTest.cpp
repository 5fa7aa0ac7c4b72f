#include "chart/series/TChartValueList.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"
#include "tests/support/PointValues.h"

namespace {

struct OrderCase {
  const char* name;
  TChartListOrder order;
  std::vector<double> added;
  std::vector<int> indices;
  std::vector<double> stored;
};

class OrderedInsertion : public testing::TestWithParam<OrderCase> {};

TEST_P(OrderedInsertion, PlacesEachValueAfterItsEquals) {
  const OrderCase& c = GetParam();
  TChartSeries series;
  TChartValueList list(series, "Z");
  list.SetOrder(c.order);
  std::vector<int> indices;
  for (double v : c.added) {
    indices.push_back(list.AddValue(v));
  }
  EXPECT_EQ(indices, c.indices);
  EXPECT_EQ(Values(list), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, OrderedInsertion,
    testing::Values(OrderCase{"None", loNone, {3, 1, 2}, {0, 1, 2}, {3, 1, 2}},
                    OrderCase{"AscendingInOrder", loAscending, {1, 2, 2, 5}, {0, 1, 2, 3}, {1, 2, 2, 5}},
                    OrderCase{"AscendingOutOfOrder", loAscending, {1, 3, 2, 0}, {0, 1, 1, 0}, {0, 1, 2, 3}},
                    OrderCase{"AscendingEqualGoesLast", loAscending, {1, 3, 1}, {0, 1, 1}, {1, 1, 3}},
                    OrderCase{"Descending", loDescending, {5, 7, 5, 1}, {0, 0, 2, 3}, {7, 5, 5, 1}}),
    [](const auto& test) { return test.param.name; });

TEST(TChartValueList, GrowsByDoublingFromAThousandKeepingValues) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  for (int i = 0; i < 1000; ++i) {
    list.AddValue(i + 0.5);
  }
  EXPECT_EQ(list.Capacity(), 1000);
  list.AddValue(1000.5);
  EXPECT_EQ(list.Capacity(), 2000);
  for (int i = 1001; i <= 2000; ++i) {
    list.AddValue(i + 0.5);
  }
  EXPECT_EQ(list.Capacity(), 4000);
  for (int i = 0; i <= 2000; ++i) {
    ASSERT_EQ(list.ValueAt(i), i + 0.5);
  }
  list.ClearValues();
  EXPECT_EQ(list.Capacity(), 0) << "clearing releases the storage";
}

// A list that reads 0, 1, 2, ... stores nothing; the first change that
// breaks the sequence writes it out, and the values read the same.
struct SequenceCase {
  const char* name;
  std::function<void(TChartValueList&)> change;
  std::vector<double> expected;
  bool staysSequence;
};

class SequenceStorage : public testing::TestWithParam<SequenceCase> {};

TEST_P(SequenceStorage, StoresNothingUntilTheSequenceBreaks) {
  TChartSeries series;
  TChartValueList& list = series.XValues();
  for (int i = 0; i < 5; ++i) {
    list.AddValue(i);
  }
  ASSERT_TRUE(list.IsSequence());
  EXPECT_EQ(list.Capacity(), 0);
  GetParam().change(list);
  EXPECT_EQ(Values(list), GetParam().expected);
  EXPECT_EQ(list.IsSequence(), GetParam().staysSequence);
  EXPECT_EQ(list.Capacity() == 0, GetParam().staysSequence);
  const std::vector<double>& expected = GetParam().expected;
  EXPECT_EQ(list.MinimumValue(), *std::min_element(expected.begin(), expected.end()));
  EXPECT_EQ(list.MaximumValue(), *std::max_element(expected.begin(), expected.end()));
  EXPECT_EQ(list.SumOfValues(), std::accumulate(expected.begin(), expected.end(), 0.0));
  EXPECT_EQ(list.SumOfMagnitudes(), list.SumOfValues());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SequenceStorage,
    testing::Values(
        SequenceCase{"AppendTheNextIndex", [](TChartValueList& l) { l.AddValue(5); }, {0, 1, 2, 3, 4, 5}, true},
        SequenceCase{"AppendAnotherValue", [](TChartValueList& l) { l.AddValue(7); }, {0, 1, 2, 3, 4, 7}, false},
        SequenceCase{"InsertAnEqualValue", [](TChartValueList& l) { l.AddValue(2); }, {0, 1, 2, 2, 3, 4}, false},
        SequenceCase{"DeleteTheLast", [](TChartValueList& l) { l.DeleteValueAt(4); }, {0, 1, 2, 3}, true},
        SequenceCase{"DeleteTheTail", [](TChartValueList& l) { l.DeleteValueRange(2, 3); }, {0, 1}, true},
        SequenceCase{"DeleteInTheMiddle", [](TChartValueList& l) { l.DeleteValueAt(1); }, {0, 2, 3, 4}, false},
        SequenceCase{"Swap", [](TChartValueList& l) { l.SwapValues(0, 4); }, {4, 1, 2, 3, 0}, false},
        SequenceCase{"RenumberAfterABreak",
                     [](TChartValueList& l) {
                       l.DeleteValueAt(0);
                       l.RenumberValues();
                     },
                     {0, 1, 2, 3},
                     true}),
    [](const auto& test) { return test.param.name; });

TEST(TChartValueList, NegativeZeroIsNotTheFirstIndex) {
  TChartSeries series;
  series.YValues().AddValue(-0.0);
  EXPECT_FALSE(series.YValues().IsSequence());
  EXPECT_TRUE(std::signbit(series.YValues().ValueAt(0)));
}

TEST(TChartValueList, ComputesStatisticsOnlyWhenAsked) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  EXPECT_EQ(list.MinimumValue(), 0);
  EXPECT_EQ(list.MaximumValue(), 0);
  EXPECT_EQ(list.SumOfValues(), 0);
  for (double v : {3.5, -2.0, 7.0}) {
    list.AddValue(v);
  }
  EXPECT_TRUE(list.StatisticsStale());
  EXPECT_EQ(list.MinimumValue(), -2.0);
  EXPECT_FALSE(list.StatisticsStale());
  EXPECT_EQ(list.MaximumValue(), 7.0);
  EXPECT_EQ(list.SumOfValues(), 8.5);
  EXPECT_EQ(list.SumOfMagnitudes(), 12.5);
  EXPECT_EQ(list.ValueSpan(), 9.0);
  list.DeleteValueAt(1);
  EXPECT_EQ(list.MinimumValue(), 3.5) << "a deletion makes them stale again";
}

// A null point is a gap in the curve: its value counts in no statistic,
// however it was added and whether the statistics were taken before it.
TEST(TChartValueList, StatisticsLeaveNullPointsOut) {
  constexpr double kNull = -1e300;  // marks a null point below, at the value after it
  const struct {
    const char* Name;
    std::vector<std::vector<double>> Runs;  // appended a run at a time, statistics asked after each
    double Minimum;
    double Maximum;
    double Sum;
  } cases[] = {
      {"NoNullPoint", {{1, 5, 3}}, 1, 5, 9},
      {"NullBelowAndAbove", {{2, kNull, -10, 4, kNull, 99}}, 2, 4, 6},
      {"NullFirst", {{kNull, -5, 3, 1}}, 1, 3, 4},
      {"OnlyNullPoints", {{kNull, 7, kNull, 8}}, 0, 0, 0},
      {"NullRunAfterStatisticsWereTaken", {{2, 3}, {kNull, -50}, {4}}, 2, 4, 9},
  };
  for (const auto& c : cases) {
    for (const bool asRuns : {false, true}) {
      TChartSeries series;
      for (const std::vector<double>& run : c.Runs) {
        for (std::size_t i = 0; i < run.size(); ++i) {
          const bool null = run[i] == kNull;
          const double y = null ? run[++i] : run[i];
          if (asRuns) {
            series.AppendValues(std::vector<double>{y}, null ? clNone : clBlue);
          } else if (null) {
            series.AddNullPoint(series.PointCount(), y, "");
          } else {
            series.AppendValue(y, "", clBlue);
          }
        }
        series.YValues().MinimumValue();
      }
      const std::string name = std::string(c.Name) + (asRuns ? " appended as runs" : "");
      EXPECT_EQ(series.YValues().MinimumValue(), c.Minimum) << name;
      EXPECT_EQ(series.YValues().MaximumValue(), c.Maximum) << name;
      EXPECT_EQ(series.YValues().SumOfValues(), c.Sum) << name;
      EXPECT_EQ(series.MinimumY(), c.Minimum) << name;
    }
  }
}

TEST(TChartValueList, SetValueAtReplacesOneValueAndMakesTheStatisticsStale) {
  TChartSeries series;
  for (const double y : {1.0, 2.0, 3.0}) {
    series.AppendValue(y, "", clDefault);
  }
  EXPECT_EQ(series.YValues().MaximumValue(), 3);
  series.YValues().SetValueAt(1, 10);
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{1, 10, 3}));
  EXPECT_EQ(series.YValues().MaximumValue(), 10);
  series.XValues().SetValueAt(2, 2);
  EXPECT_TRUE(series.XValues().IsSequence()) << "the value it had";
  series.XValues().SetValueAt(2, 7);
  EXPECT_FALSE(series.XValues().IsSequence());
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{0, 1, 7}));
}

TEST(TChartValueList, DeletesRangesAndRefusesOnesPastTheEnd) {
  TChartSeries series;
  TChartValueList& list = series.YValues();
  for (double v : {0, 1, 2, 3, 4}) {
    list.AddValue(v);
  }
  list.DeleteValueRange(1, 2);
  EXPECT_EQ(Values(list), (std::vector<double>{0, 3, 4}));
  EXPECT_THROW(list.DeleteValueRange(2, 2), EAssertionFailed);
  EXPECT_EQ(list.ValueCount(), 3);
}

TEST(TChartValueList, SortValuesMovesWholePointsStably) {
  TChartSeries series;
  series.XValues().SetOrder(loNone);
  const double xs[] = {3, 1, 2, 1};
  const char* labels[] = {"c", "a1", "b", "a2"};
  for (int i = 0; i < 4; ++i) {
    series.AddPoint(xs[i], 10 * i, labels[i], clDefault);
  }
  series.XValues().SetOrder(loAscending);
  series.XValues().SortValues();
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{1, 1, 2, 3}));
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{10, 30, 20, 0}));
  EXPECT_EQ(series.Label(0), "a1");
  EXPECT_EQ(series.Label(1), "a2");
}

TEST(TChartValueList, RenumberValuesGivesEachItsIndex) {
  TChartSeries series;
  for (double x : {4, 9, 20}) {
    series.AddPoint(x, 0, "", clDefault);
  }
  series.XValues().RenumberValues();
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{0, 1, 2}));
}

}  // namespace
