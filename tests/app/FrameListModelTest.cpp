#include "app/FrameListModel.h"

#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

const DisplayOptions kIndexThenData = Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8);

}  // namespace

TEST(FrameListModel, SyncKeepsStepWithARingBufferStore) {
    FrameStore store;
    store.SetModes(true, false);
    FrameListModel model;
    int next = 0;
    auto add = [&](int count) {
        for (const int end = next + count; next < end; ++next) {
            FrameRecord r = Octets(next, 6 + static_cast<size_t>(next % 20));
            store.Add(r, true);
        }
        return model.Sync(store, kIndexThenData);
    };
    // Kept rows must agree with rows counted afresh.
    auto expectFresh = [&] {
        FrameListModel fresh;
        fresh.Sync(store, kIndexThenData);
        ASSERT_EQ(fresh.Heights().Size(), model.Heights().Size());
        for (size_t p = 0; p <= model.Heights().Size(); ++p)
            ASSERT_EQ(fresh.Heights().LinesBefore(p), model.Heights().LinesBefore(p)) << p;
    };
    EXPECT_TRUE(add(29990));
    EXPECT_FALSE(add(0));
    EXPECT_TRUE(add(130));  // fills and shifts by 120
    expectFresh();
    add(31003);  // more than a whole store since the last sync, the line counts shifted
    expectFresh();
    model.Invalidate();
    EXPECT_TRUE(model.Sync(store, kIndexThenData));  // counted again
    store.Clear();
    EXPECT_TRUE(model.Sync(store, kIndexThenData));
    EXPECT_EQ(model.Heights().Size(), 0u);
    // Loads replace the store by other records numbered from 0 again: fewer
    // of them, then ones whose INDEX no longer runs on.
    for (const std::vector<int>& indexes : {std::vector<int>{0, 1, 2}, {0, 1}, {0, 7, 8}}) {
        store.Clear();
        for (int n : indexes) {
            FrameRecord r = Octets(n, indexes.size() == 2 ? 30 : 6);
            r.SetIndex(n);
            store.Add(r, false);
        }
        model.Sync(store, kIndexThenData);
        expectFresh();
    }
    EXPECT_EQ(FrameListModel::GridRows(0), 2);
    EXPECT_EQ(FrameListModel::GridRows(5), 6);
}
