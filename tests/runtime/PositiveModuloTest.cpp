#include "runtime/PositiveModulo.h"

#include <gtest/gtest.h>

namespace {

TEST(PositiveModulo, WrapsNegativeValuesIntoTheDivisorsRange) {
  // value, divisor, remainder
  const int cases[][3] = {{0, 360, 0},    {359, 360, 359},  {360, 360, 0}, {725, 360, 5}, {-1, 360, 359},
                          {-360, 360, 0}, {-725, 360, 355}, {-3, 20, 17},  {21, 20, 1}};
  for (const auto& [value, divisor, remainder] : cases) {
    EXPECT_EQ(PositiveModulo(value, divisor), remainder) << value << " mod " << divisor;
  }
}

}  // namespace
