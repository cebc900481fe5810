#include "decode/RowHeights.h"

#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "tests/support/TestSupport.h"

namespace {

// A record of `octets` octets between its flags, INDEX numbered by the store.
FrameRecord Octets(int n, size_t octets) {
    std::vector<uint8_t> bytes(octets + 2, static_cast<uint8_t>(n));
    bytes.front() = bytes.back() = 0x7E;
    FrameRecord r(static_cast<uint8_t>(n & 1));
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

// INDEX, line break, data split by 8: the data lines follow the length.
const DisplayOptions kIndexThenData =
    testsupport::Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8);

}  // namespace

TEST(RowHeights, RunningTotalsFollowAppendDropAndSet) {
    RowHeights h;
    EXPECT_EQ(h.LinesBefore(3), 3);  // rows past the end count one line
    for (int lines : {1, 4, 2, 3}) h.Append(lines);
    EXPECT_EQ(h.LinesBefore(2), 5);
    EXPECT_EQ(h.LinesBefore(6), 12);
    h.DropFront(1);  // 4, 2, 3
    EXPECT_EQ(h.LinesBefore(1), 4);
    EXPECT_EQ(h.TotalLines(), 9);
    h.Set(0, 1);  // 1, 2, 3
    EXPECT_EQ(h.LinesBefore(2), 3);
    h.Append(2);
    EXPECT_EQ(h.LinesBefore(4), 8);
}

TEST(RowHeights, LineCountFollowsTheDisplayOptions) {
    FrameRecord twenty = Octets(1, 18);  // 20 bytes with the flags: 8, 8, 4
    EXPECT_EQ(RowHeights::LineCount(twenty, kIndexThenData), 4);
    FrameRecord seventeen = Octets(1, 15);  // 17 bytes: 8, 8, 1
    EXPECT_EQ(RowHeights::LineCount(seventeen, kIndexThenData), 4);
    EXPECT_EQ(RowHeights::LineCount(twenty, testsupport::Columns({})), 1);
}

TEST(RowHeights, SyncKeepsStepWithARingBufferStore) {
    FrameStore store;
    store.SetModes(true, false);
    RowHeights h;
    auto add = [&](int from, int count) {
        for (int n = from; n < from + count; ++n) {
            FrameRecord r = Octets(n, 6 + static_cast<size_t>(n % 20));
            store.Add(r, true);
        }
    };
    // Kept rows must agree with rows counted afresh.
    auto matchesFresh = [&] {
        RowHeights fresh;
        fresh.Sync(store, kIndexThenData);
        if (fresh.Size() != h.Size()) return false;
        for (size_t p = 0; p < h.Size(); ++p)
            if (fresh.Lines(p) != h.Lines(p) || fresh.LinesBefore(p) != h.LinesBefore(p)) return false;
        return true;
    };
    add(0, 29990);
    EXPECT_TRUE(h.Sync(store, kIndexThenData));
    EXPECT_FALSE(h.Sync(store, kIndexThenData));
    add(29990, 130);  // fills and shifts by 120
    EXPECT_TRUE(h.Sync(store, kIndexThenData));
    EXPECT_EQ(h.Size(), FrameStore::kCapacity);
    EXPECT_TRUE(matchesFresh());
    add(30120, 31000);  // more than a whole store since the last sync
    h.Sync(store, kIndexThenData);
    EXPECT_TRUE(matchesFresh());
    store.Clear();
    EXPECT_TRUE(h.Sync(store, kIndexThenData));
    EXPECT_EQ(h.Size(), 0u);
}
