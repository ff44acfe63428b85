#include "catalogue/FirstSlotIndex.h"

#include <gtest/gtest.h>

namespace {

TEST(FirstSlotIndex, EmptyIndexFindsNothing) {
    FirstSlotIndex index;
    EXPECT_EQ(index.Find(0), 0);
    index.Clear(0);
    EXPECT_EQ(index.Find(42), 0);
}

TEST(FirstSlotIndex, KeepsTheFirstSlotOfEachHashAcrossGrowth) {
    FirstSlotIndex index;
    index.Clear(1);
    // Hashes that share their low bits land on one home entry and probe on.
    const auto hashOf = [](int i) { return quint64(i) << 40 ^ quint64(i) << 8; };
    for (int i = 0; i < 3000; ++i) index.Add(hashOf(i), i + 1);
    for (int i = 0; i < 3000; ++i) index.Add(hashOf(i), 99999);
    for (int i = 0; i < 3000; ++i) ASSERT_EQ(index.Find(hashOf(i)), i + 1) << i;
    EXPECT_EQ(index.Find(hashOf(3000)), 0);

    index.Clear(10);
    EXPECT_EQ(index.Find(hashOf(5)), 0);
}

}  // namespace
