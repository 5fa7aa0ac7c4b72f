#include "chart/axes/TickPositions.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Values = std::vector<double>;
using Pixels = std::vector<int>;

TEST(ValueLabelValues, RunFromTheTopDownward) {
  const struct {
    double Min;
    double Max;
    double Step;
    Values Expected;
  } cases[] = {
      {0, 5, 1, {5, 4, 3, 2, 1, 0}},
      {0.3, 4.7, 1, {4, 3, 2, 1}},
      {-2.5, 2.5, 1, {2, 1, 0, -1, -2}},
      {-3.5, -0.5, 1, {-1, -2, -3}},
      {1000, 1500, 100, {1500, 1400, 1300, 1200, 1100, 1000}},
      {0, 0, 1, {0}},
      {3, 3, 1, {3}},
      {2, 2 + 1e-11, 1e-12, {2 + 1e-11}},  // narrower than 1e-10: one label
      {0, 5, 1e-12, {}},                   // 10000 steps or more: none
      {0, 5, 0, {}},
      {-1e308, 1e308, std::numeric_limits<double>::infinity(), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValueLabelValues(c.Min, c.Max, c.Step, true, 0), c.Expected)
        << c.Min << ".." << c.Max << " step " << c.Step;
  }
}

TEST(ValueLabelValues, UnroundedStartAndRepeatedSubtraction) {
  const Values values = ValueLabelValues(0, 5, 5.0 / 9.0, true, 0.05);
  ASSERT_EQ(values.size(), 10u);
  EXPECT_DOUBLE_EQ(values[1], 5 - 5.0 / 9.0);
  EXPECT_NEAR(values[9], 0, 1e-14);
  const Values unrounded = ValueLabelValues(0.3, 4.7, 1, false, 0.05);
  ASSERT_EQ(unrounded.size(), 5u);
  EXPECT_DOUBLE_EQ(unrounded.front(), 4.7);
  EXPECT_NEAR(unrounded.back(), 0.7, 1e-15);
}

// The chain starts at the multiple of the step at or below ScaleMax, as
// described, and the values below come from that start by subtraction; the
// multiple above ScaleMax within the slack comes first but starts nothing.
TEST(ValueLabelValues, TheChainStartsAtOrBelowTheTop) {
  EXPECT_EQ(ValueLabelValues(0, 0.3, 0.05, true, 0.3 / 99),
            (Values{0.30000000000000004, 0.25, 0.2, 0.15000000000000002, 0.10000000000000002, 0.05000000000000002,
                    1.3877787807814457e-17}));
  EXPECT_EQ(ValueLabelValues(0, 0.3, 0.05, true, 0),
            (Values{0.25, 0.2, 0.15000000000000002, 0.10000000000000002, 0.05000000000000002, 1.3877787807814457e-17}));
}

TEST(ValueLabelValues, EndsWhenTheStepVanishesInTheValue) {
  // The general texts differ, but subtracting the step leaves the value.
  const Values values = ValueLabelValues(-1e17 - 100, -1e17, 8, false, 1);
  EXPECT_LE(values.size(), 14u);
}

TEST(ValueLabelValues, SlackRelativeToTheRangeAtBothEnds) {
  const struct {
    double Min;
    double Max;
    double Step;
    double Slack;
    Values Expected;
  } cases[] = {
      // An end a rounding error inside a multiple of the step keeps that label.
      {-2.9999999999999996, -0.1, 0.5, 0.03, {-0.5, -1, -1.5, -2, -2.5, -3}},
      {0.1, 2.9999999999999996, 0.5, 0.03, {3, 2.5, 2, 1.5, 1, 0.5}},
      {0.3, 4.7, 1, 0.04, {4, 3, 2, 1}},
      {0.2, 4.7, 1, 0.25, {4, 3, 2, 1, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ValueLabelValues(c.Min, c.Max, c.Step, true, c.Slack), c.Expected) << c.Min << ".." << c.Max;
  }
  // A slack relative to the values would reach hundreds below this range.
  const Values huge = ValueLabelValues(922337203685477, 922337203685477.5, 0.125, true, 0.5 / 99);
  ASSERT_FALSE(huge.empty());
  EXPECT_LE(huge.size(), 6u);
  EXPECT_GE(huge.back(), 922337203685477 - 0.5 / 99);
}

TEST(GridPositions, StrictlyInsideTheSpan) {
  const Pixels ticks{20, 40, 60, 80, 100, 120};
  EXPECT_EQ(GridPositions(ticks, false, 20, 120), (Pixels{40, 60, 80, 100}));
  EXPECT_EQ(GridPositions(ticks, true, 20, 120), (Pixels{30, 50, 70, 90, 110}));
  EXPECT_EQ(GridPositions({70}, false, 20, 120), (Pixels{70}));
  EXPECT_EQ(GridPositions({70}, true, 20, 120), (Pixels{}));
  EXPECT_EQ(GridPositions({21, 24}, true, 20, 120), (Pixels{22}));  // 22.5 to even
}

TEST(MinorTickPositions, BetweenAndBeyondTheMajors) {
  EXPECT_EQ(MinorTickPositions({20, 40, 60}, 3, 0, 80), (Pixels{15, 65, 10, 70, 5, 75, 35, 30, 25, 55, 50, 45}));
  EXPECT_EQ(MinorTickPositions({20, 40, 60}, 3, 12, 68), (Pixels{15, 65, 35, 30, 25, 55, 50, 45}));
  EXPECT_EQ(MinorTickPositions({20}, 3, 0, 80), (Pixels{}));
  EXPECT_EQ(MinorTickPositions({0, 10}, 2, -20, 20), (Pixels{-3, 13, -7, 17, 7, 3}));
}

}  // namespace
