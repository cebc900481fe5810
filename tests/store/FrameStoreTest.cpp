#include "store/FrameStore.h"

#include <gtest/gtest.h>

namespace {

FrameRecord Sample() {
    FrameRecord r(FrameRecord::kRx);
    const uint8_t bytes[] = {0x7E, 0x00, 0x01, 0x01, 0x05, 0xAA, 0xBB, 0x7E};
    r.SetBytes(bytes, sizeof bytes);
    return r;
}

}  // namespace

TEST(FrameStore, FillsToCapacityThenRefuses) {
    FrameStore store;
    FrameRecord r = Sample();
    for (size_t i = 0; i + 1 < FrameStore::kCapacity; ++i) ASSERT_EQ(store.Add(r, true), 0);
    EXPECT_EQ(r.Index(), 29998);  // the caller's record is numbered too
    EXPECT_EQ(store.Add(r, true), FrameStore::kStoredNowFull);
    EXPECT_EQ(store.NextIndex(), 30000u);
    EXPECT_EQ(store.Add(r, true), FrameStore::kRefused);
    EXPECT_EQ(store.Count(), 30000u);
    EXPECT_EQ(store.NextIndex(), 30000u);
    EXPECT_EQ(store.At(29999).Index(), 29999);
    // Without ring-buffer mode position = INDEX.
    EXPECT_EQ(store.At(1234).Index(), 1234);
}

TEST(FrameStore, RingBufferKeepsTheNewest) {
    FrameStore store;
    store.SetModes(true, false);
    FrameRecord r = Sample();
    int last = 0;
    for (int i = 0; i < 30005; ++i) last = store.Add(r, true);
    EXPECT_EQ(last, FrameStore::kStoredNowFull);
    EXPECT_EQ(store.Count(), 30000u);
    EXPECT_EQ(store.At(0).Index(), 5);
    EXPECT_EQ(store.At(29999).Index(), 30004);
    // INDEX i stands at i - (nextIndex - 30000).
    EXPECT_EQ(store.At(12345 - 5).Index(), 12345);
    EXPECT_EQ(store.Add(r, true), FrameStore::kStoredNowFull);
}

TEST(FrameStore, StoresCopiesWithoutNumberingWhenAsked) {
    FrameStore store;
    FrameRecord r = Sample();
    r.SetIndex(500);
    store.Add(r, false);
    EXPECT_EQ(store.At(0).Index(), 500);
    EXPECT_EQ(store.NextIndex(), 0u);
    r.Clear();
    EXPECT_EQ(store.At(0).Length(), 8u);
    EXPECT_NE(store.At(0).Bytes(), nullptr);
    // The frame check caches into the stored record.
    store.At(0).CheckCrc();
    EXPECT_TRUE(store.At(0).CrcKnown());
}

TEST(FrameStore, ClearKeepsLoggingFlag) {
    FrameStore store;
    store.SetModes(true, true);
    FrameRecord r = Sample();
    store.Add(r, true);
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_EQ(store.NextIndex(), 0u);
    EXPECT_FALSE(store.IsRingBuffer());
    EXPECT_TRUE(store.IsLogging());
    store.Add(r, true);
    EXPECT_EQ(r.Index(), 0);
}

TEST(FrameStore, PositionsOutsideGiveAnEmptyRecord) {
    FrameStore store;
    EXPECT_EQ(store.At(0).Length(), 0u);
    EXPECT_EQ(store.At(99999).Index(), -1);
    const FrameStore& view = store;
    EXPECT_EQ(view.At(3).Length(), 0u);
}
