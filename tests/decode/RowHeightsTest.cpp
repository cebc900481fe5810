#include "decode/RowHeights.h"

#include <string>

#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "options/OptionData.h"
#include "tests/support/TestSupport.h"

namespace {

FrameRecord Frame(int n, size_t octets) {
    FrameRecord r(static_cast<uint8_t>(n & 1));
    std::vector<uint8_t> bytes(octets + 2, static_cast<uint8_t>(n));
    bytes.front() = bytes.back() = 0x7E;
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

// INDEX, line break, data split by 8: the data lines follow the length.
DisplayOptions IndexThenData() {
    return testsupport::Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8);
}

}  // namespace

TEST(RowHeights, RunningTotalsFollowAppendDropAndSet) {
    RowHeights h;
    EXPECT_EQ(h.TotalLines(), 0);
    EXPECT_EQ(h.LinesBefore(3), 3);  // rows past the end count one line
    for (int lines : {1, 4, 2, 3}) h.Append(lines);
    EXPECT_EQ(h.LinesBefore(0), 0);
    EXPECT_EQ(h.LinesBefore(2), 5);
    EXPECT_EQ(h.TotalLines(), 10);
    EXPECT_EQ(h.LinesBefore(6), 12);
    EXPECT_EQ(h.FirstPositionWithLinesBefore(5), 2u);
    EXPECT_EQ(h.FirstPositionWithLinesBefore(4), 2u);
    EXPECT_EQ(h.FirstPositionWithLinesBefore(1), 1u);
    h.DropFront(1);  // 4, 2, 3
    EXPECT_EQ(h.LinesBefore(1), 4);
    EXPECT_EQ(h.TotalLines(), 9);
    h.Set(0, 1);  // 1, 2, 3
    EXPECT_EQ(h.LinesBefore(2), 3);
    EXPECT_EQ(h.TotalLines(), 6);
    h.Append(2);
    EXPECT_EQ(h.LinesBefore(4), 8);
    EXPECT_EQ(h.FirstPositionWithLinesBefore(6), 3u);
}

TEST(RowHeights, LineCountFollowsTheDisplayOptions) {
    const DisplayOptions o = IndexThenData();
    FrameRecord twenty = Frame(1, 18);  // 20 bytes with the flags: 8, 8, 4
    EXPECT_EQ(RowHeights::LineCount(twenty, o), 4);
    FrameRecord seventeen = Frame(1, 15);  // 17 bytes: 8, 8, 1
    EXPECT_EQ(RowHeights::LineCount(seventeen, o), 4);
    DisplayOptions none = o;
    none.columnOrder.fill(-1);
    EXPECT_EQ(RowHeights::LineCount(twenty, none), 1);
}

TEST(RowHeights, SyncKeepsStepWithARingBufferStore) {
    const DisplayOptions o = IndexThenData();
    FrameStore store;
    store.SetModes(true, false);
    RowHeights h;
    auto addFrames = [&](int from, int count) {
        for (int n = from; n < from + count; ++n) {
            FrameRecord r = Frame(n, 6 + static_cast<size_t>(n % 20));
            store.Add(r, true);
        }
    };
    auto matchesFresh = [&] {
        RowHeights fresh;
        fresh.Sync(store, o);
        if (fresh.Size() != h.Size() || fresh.TotalLines() != h.TotalLines()) return false;
        for (size_t p = 0; p < h.Size(); ++p)
            if (fresh.Lines(p) != h.Lines(p) || fresh.LinesBefore(p) != h.LinesBefore(p)) return false;
        return true;
    };
    addFrames(0, 29990);
    EXPECT_TRUE(h.Sync(store, o));
    EXPECT_FALSE(h.Sync(store, o));
    addFrames(29990, 130);  // fills and shifts by 120
    EXPECT_TRUE(h.Sync(store, o));
    EXPECT_EQ(h.Size(), FrameStore::kCapacity);
    EXPECT_TRUE(matchesFresh());
    addFrames(30120, 31000);  // more than a whole store since the last sync
    h.Sync(store, o);
    EXPECT_TRUE(matchesFresh());
    store.Clear();
    EXPECT_TRUE(h.Sync(store, o));
    EXPECT_EQ(h.Size(), 0u);
}
