#include "runtime/StoreIfChanged.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct StoreCase {
  double stored;
  double value;
  bool changed;
  double after;
};

class StoreIfChangedCases : public testing::TestWithParam<StoreCase> {};

// An equal value is not stored again: a setter called with it has nothing to
// report, and a stored negative zero keeps its sign.
TEST_P(StoreIfChangedCases, StoresOnlyADifferentValue) {
  const StoreCase& c = GetParam();
  double field = c.stored;
  EXPECT_EQ(StoreIfChanged(field, c.value), c.changed);
  EXPECT_EQ(field, c.after);
  EXPECT_EQ(std::signbit(field), std::signbit(c.after));
}

INSTANTIATE_TEST_SUITE_P(Values, StoreIfChangedCases,
                         testing::Values(StoreCase{1, 2, true, 2}, StoreCase{2, 2, false, 2},
                                         StoreCase{-0.0, 0.0, false, -0.0}, StoreCase{0.0, -1, true, -1}));

}  // namespace
