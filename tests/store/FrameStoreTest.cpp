#include "store/FrameStore.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(FrameStore, FillsToCapacityThenRefusesOrDropsTheOldest) {
    FrameStore store;
    FrameRecord r = RawFrame({0x7E, 0x00, 0x01, 0x01, 0x05, 0xAA, 0xBB, 0x7E});
    for (int i = 0; i + 1 < 30000; ++i) ASSERT_EQ(store.Add(r, true), FrameStore::kStored);
    EXPECT_EQ(r.Index(), 29998);  // the caller's record is numbered too
    EXPECT_EQ(store.Add(r, true), FrameStore::kStoredNowFull);
    EXPECT_EQ(store.Add(r, true), FrameStore::kRefused);
    EXPECT_EQ(std::tuple(store.Count(), store.NextIndex()), std::tuple(30000u, 30000u));
    EXPECT_EQ(store.At(1234).Index(), 1234);  // position = INDEX
    store.Clear();
    store.SetModes(true, false);
    for (int i = 0; i < 30005; ++i) store.Add(r, true);
    EXPECT_EQ(store.Add(r, true), FrameStore::kStoredNowFull);
    EXPECT_EQ(store.Count(), 30000u);
    EXPECT_EQ(std::vector<int>({store.At(0).Index(), store.At(12345 - 6).Index(), store.At(29999).Index()}),
              std::vector<int>({6, 12345, 30005}));
    EXPECT_EQ(store.At(30000).Length(), 0u);  // outside: an empty record
    EXPECT_EQ(static_cast<const FrameStore&>(store).At(30000).Index(), -1);
}

TEST(FrameStore, StoresCopiesAndClearKeepsTheLoggingFlag) {
    FrameStore store;
    store.SetModes(true, true);
    FrameRecord r = RawFrame({0x7E, 0x02, 0x01, 0x7E, 0x2D, 0x7E});
    r.SetIndex(500);
    store.Add(r, false);
    r.Clear();
    EXPECT_EQ(std::tuple(store.At(0).Index(), store.At(0).Length(), store.NextIndex()), std::tuple(500, 6u, 0u));
    EXPECT_TRUE(store.At(0).CheckCrc());
    EXPECT_TRUE(store.At(0).CrcKnown());  // cached in the stored record
    store.Clear();
    EXPECT_EQ(std::tuple(store.Count(), store.IsRingBuffer(), store.IsLogging()), std::tuple(0u, false, true));
}
