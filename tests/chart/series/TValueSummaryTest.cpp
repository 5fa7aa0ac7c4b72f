// The extremes of a run of values, as a walk through them in order finds
// them: the first of equal extremes is kept, which only shows for zeros.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/series/TValueSummary.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The extent a plain walk in order gives; NaN Min when any value is not
// finite.
TValueExtent WalkedExtent(const std::vector<double>& values) {
  TValueExtent extent{values[0], values[0]};
  for (const double value : values) {
    if (!std::isfinite(value)) {
      return {kNaN, kNaN};
    }
    extent.Min = std::min(extent.Min, value);
    extent.Max = std::max(extent.Max, value);
  }
  return extent;
}

TEST(ExtentOfValues, IsTheExtentOfAWalkInOrderSignOfZeroIncluded) {
  const struct {
    const char* Name;
    std::vector<double> Values;
  } cases[] = {
      {"One", {3}},
      {"FewerThanAChain", {3, -1, 2}},
      {"ChainsAndARest", {5, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5}},
      {"ExtremesInTheLastChain", {0, 1, 2, -7, 4, 5, 6, 8}},
      {"ExtremesInTheRest", {0, 1, 2, 3, 4, 5, 6, 7, -9, 9}},
      {"NegativeZeroFirst", {1, 1, 1, 1, -0.0, 0.0, 0.0, 2}},
      {"PositiveZeroFirst", {1, 1, 1, 0.0, -0.0, 1, 1, 1}},
      {"ZeroMaximumNegativeFirst", {-3, -2, -0.0, -1, 0.0, -5, -4}},
      {"ZerosOnly", {0.0, -0.0, -0.0, -0.0, -0.0}},
      {"NaNInAChain", {1, 2, kNaN, 4, 5}},
      {"NaNInTheRest", {1, 2, 3, 4, 5, kNaN}},
      {"InfinityFirst", {kInf, 1, 2, 3}},
      {"NegativeInfinityLast", {1, 2, 3, 4, 5, 6, 7, 8, -kInf}},
  };
  for (const auto& c : cases) {
    const TValueExtent expected = WalkedExtent(c.Values);
    const TValueExtent extent = ExtentOfValues(c.Values.data(), static_cast<int>(c.Values.size()));
    EXPECT_EQ(extent.Finite(), expected.Finite()) << c.Name;
    if (expected.Finite()) {
      EXPECT_EQ(extent.Min, expected.Min) << c.Name;
      EXPECT_EQ(extent.Max, expected.Max) << c.Name;
      EXPECT_EQ(std::signbit(extent.Min), std::signbit(expected.Min)) << c.Name;
      EXPECT_EQ(std::signbit(extent.Max), std::signbit(expected.Max)) << c.Name;
    }
  }
}

}  // namespace
