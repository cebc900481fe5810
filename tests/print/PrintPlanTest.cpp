// The printed frame list's rules: which frames open a page, the page and
// INDEX ranges the settings dialog shows. The order of pages for copies,
// collated or not, is PrintCommand.PrintsPagesCopiesAndStopsOnCancel's.
#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "print/PrintPagePlan.h"
#include "print/PrintRange.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

// Pages 1000 units high: frames stand from y = 80 while y + height < 920.
TEST(PrintPagePlan, FramesAsHighAsTheirLinesFillPagesUpToTheBottomMarginAndATallFrameStandsAlone) {
    const struct { std::vector<int> heights; std::vector<size_t> ends; } cases[] = {
        {{100}, {1}},
        {{300, 300, 300, 300, 300}, {2, 4, 5}},
        {{420, 419}, {2}},          // 80 + 420 + 419 = 919
        {{420, 420}, {1, 2}},       // reaching 920 is full
        {{100, 2000, 100}, {1, 2, 3}},
        {{2000, 2000}, {1, 2}},     // the first frame too, and only once
        {{0, 0, 2000}, {3}},
    };
    for (const auto& c : cases) {
        PrintPagePlan plan;
        ASSERT_TRUE(plan.Reserve(30000));  // a full store
        plan.Start(1000);
        std::vector<size_t> ends;
        for (size_t i = 0; i < c.heights.size(); ++i) plan.Add(i, 0, c.heights[i]);
        for (int p = 1; p <= plan.PageCount(); ++p) ends.push_back(plan.PageAt(p)->end);
        EXPECT_EQ(ends, c.ends) << c.heights.size() << " " << c.heights[0];
    }
    // A frame is as high as its non-empty lines.
    for (auto [text, lines] : {std::pair{"", 0}, {"a", 1}, {"a\n\nb\n", 2}, {"\n", 0}, {" x\ny", 2}})
        EXPECT_EQ(PrintPagePlan::FrameHeight(text, 100), lines * 100) << text;
}

TEST(PrintRange, PagesAreClampedAndTheIndexRangeIsWrittenInIndexForm) {
    const struct { int first, last, count; std::vector<int> range; } ranges[] = {
        {0, 3, 5, {1, 3, 1}}, {2, 3, 5, {2, 3, 1}}, {7, 9, 5, {5, 5, 1}}, {4, 2, 5, {4, 2, 0}}, {1, 1, 0, {1, 1, 0}},
    };
    for (const auto& r : ranges) {
        const PrintRange range(r.first, r.last, r.count);
        EXPECT_EQ((std::vector<int>{range.First(), range.Last(), range.Valid()}), r.range) << r.first << r.last;
    }
    // Frames of one line (a closing line break adds none) 400 high, two a
    // page. Page 1: INDEX 99998 and 99999; page 2: 123456 (after a gap) and
    // 123457; no page 3.
    FrameStore store;
    for (int32_t index : {99998, 99999, 123456, 123457}) store.Take(HexFrame("7E 7E", FrameRecord::kTx, index), false);
    PrintPagePlan plan;
    plan.Count(store, Columns({RowText::kIndex, RowText::kLineBreak}), 400, 1000, {});
    const struct { int first, last; const char* text; } texts[] = {
        {1, 1, "099998～099999"}, {1, 2, "099998～0000123457"}, {2, 3, "0000123456～0000123457"}, {2, 1, ""},
    };
    for (const auto& t : texts) EXPECT_EQ(PrintRange(t.first, t.last, plan.PageCount()).IndexText(plan), Sjis(t.text));
}
