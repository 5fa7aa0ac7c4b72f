#include "chart/series/TValueStorage.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace {

// Growth goes from the allocator's blocks to mapped ones and then remaps;
// every step must keep what was written, up to the last element.
TEST(TValueStorage, KeepsItsValuesAcrossEveryKindOfGrowth) {
  TValueStorage<std::int64_t> storage;
  int written = 0;
  for (const long long count : {1LL, 1000LL, 1001LL, 131071LL, 131073LL, 140000LL, 1000000LL, 3000000LL}) {
    storage.EnsureCapacity(count);
    ASSERT_GE(storage.Capacity(), count);
    for (int i = 0; i < written; ++i) {
      ASSERT_EQ(storage[i], i * 7) << "after growing to " << count;
    }
    for (; written < count; ++written) {
      storage[written] = written * 7LL;
    }
  }
  storage.PopulatePages(written - 10, storage.Capacity());
  for (int i = 0; i < written; ++i) {
    ASSERT_EQ(storage[i], i * 7) << "after populating";
  }
  storage.Release();
  EXPECT_EQ(storage.Capacity(), 0);
  storage.EnsureCapacity(200000);
  storage[199999] = 1;
  EXPECT_EQ(storage[199999], 1) << "a released storage grows again";
}

}  // namespace
