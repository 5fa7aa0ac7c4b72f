#include "runtime/ScopedRestore.h"

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ScopedRestore, PutsTheValueBackHoweverTheScopeEnds) {
  std::string value = "before";
  {
    const ScopedRestore<std::string> restore(value);
    value = "changed";
  }
  EXPECT_EQ(value, "before") << "a kept value after a normal end";
  {
    const ScopedRestore<std::string> restore(value, "set");
    EXPECT_EQ(value, "set");
  }
  EXPECT_EQ(value, "before") << "a set value after a normal end";
  try {
    const ScopedRestore<std::string> restore(value, "set");
    throw std::runtime_error("drawing failed");
  } catch (const std::runtime_error&) {
    EXPECT_EQ(value, "before") << "after an exception";
  }
}

TEST(ScopedRestore, NestedScopesGiveTheOutermostValueBack) {
  int value = 1;
  {
    const ScopedRestore<int> outer(value, 2);
    const ScopedRestore<int> inner(value, 3);
    EXPECT_EQ(value, 3);
  }
  EXPECT_EQ(value, 1);
}

}  // namespace
