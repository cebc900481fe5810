// The printed frame list's rules: which frames open a page, the page and
// INDEX ranges the settings dialog shows, the order of pages for copies.
#include <gtest/gtest.h>

#include "decode/RowText.h"
#include "print/CopyOrder.h"
#include "print/PrintPagePlan.h"
#include "print/PrintRange.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

struct Span {
    size_t first, end;
    bool operator==(const Span&) const = default;
};

// Pages 1000 units high: frames stand from y = 80 while y + height < 920.
std::vector<Span> Pages(const std::vector<int>& heights) {
    PrintPagePlan plan;
    plan.Start(1000);
    for (size_t i = 0; i < heights.size(); ++i) plan.Add(i, static_cast<int32_t>(i), heights[i]);
    std::vector<Span> pages;
    for (int p = 1; p <= plan.PageCount(); ++p) pages.push_back({plan.PageAt(p)->first, plan.PageAt(p)->end});
    return pages;
}

}  // namespace

TEST(PrintPagePlan, FramesFillPagesUpToTheBottomMarginAndATallFrameStandsAlone) {
    const struct { std::vector<int> heights; std::vector<Span> pages; } cases[] = {
        {{100}, {{0, 1}}},
        {{300, 300, 300, 300, 300}, {{0, 2}, {2, 4}, {4, 5}}},
        {{420, 419}, {{0, 2}}},            // 80 + 420 + 419 = 919
        {{420, 420}, {{0, 1}, {1, 2}}},    // reaching 920 is full
        {{100, 2000, 100}, {{0, 1}, {1, 2}, {2, 3}}},
        {{2000, 2000}, {{0, 1}, {1, 2}}},  // the first frame too, and only once
        {{0, 0, 2000}, {{0, 3}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Pages(c.heights), c.pages) << c.heights.size() << " " << c.heights[0];
}

TEST(PrintPagePlan, CountsTheStoreByPrintedLines) {
    const struct { const char* text; int lines; } texts[] = {
        {"", 0}, {"a", 1}, {"a\n\nb\n", 2}, {"\n", 0}, {" x\ny", 2},
    };
    for (const auto& t : texts) EXPECT_EQ(PrintPagePlan::PrintedLines(t.text), t.lines) << t.text;

    // INDEX, line break, INDEX: two lines of 100 units a frame; four frames to a page.
    FrameStore store;
    for (int i = 0; i < 9; ++i) {
        FrameRecord r = FcsFrame({0x00, 0x01, 0x7F});
        store.Add(r, true);
    }
    PrintPagePlan plan;
    std::vector<int> seen;
    const auto progress = [&](int pages) { return seen.push_back(pages), seen.size() < 20; };
    EXPECT_TRUE(plan.Count(store, Columns({RowText::kIndex, RowText::kLineBreak, RowText::kIndex}), 100, 1000,
                           progress));
    EXPECT_EQ(seen, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2, 3}));
    ASSERT_EQ(plan.PageCount(), 3);
    EXPECT_EQ(plan.PageAt(2)->firstIndex, 4);
    EXPECT_EQ(plan.PageAt(2)->lastIndex, 7);
    EXPECT_EQ(plan.PageAt(4), nullptr);
    EXPECT_FALSE(plan.Count(store, Columns({RowText::kIndex}), 100, 1000, [](int) { return false; }));
}

TEST(PrintRange, PagesAreClampedAndTheIndexRangeIsWrittenInIndexForm) {
    const struct { int first, last, count, wantFirst, wantLast; bool valid; } ranges[] = {
        {0, 3, 5, 1, 3, true}, {2, 3, 5, 2, 3, true}, {7, 9, 5, 5, 5, true}, {4, 2, 5, 4, 2, false},
        {1, 1, 0, 1, 1, false},
    };
    for (const auto& r : ranges) {
        const PrintRange range(r.first, r.last, r.count);
        EXPECT_EQ((std::vector<int>{range.First(), range.Last(), range.Valid()}),
                  (std::vector<int>{r.wantFirst, r.wantLast, r.valid}))
            << r.first << ".." << r.last;
    }
    // Page 1: INDEX 99998 and 99999; page 2: 123456 (after a gap); page 3: 123457.
    PrintPagePlan plan;
    plan.Start(1000);
    size_t position = 0;
    for (auto [index, height] : {std::pair{99998, 400}, {99999, 400}, {123456, 900}, {123457, 10}})
        plan.Add(position++, index, height);
    const struct { int first, last; const char* text; } texts[] = {
        {1, 1, "099998～099999"}, {1, 2, "099998～0000123456"}, {2, 3, "0000123456～0000123457"},
        {3, 2, ""},
    };
    for (const auto& t : texts) EXPECT_EQ(PrintRange(t.first, t.last, 3).IndexText(plan), Sjis(t.text));
    PrintPagePlan one;
    one.Start(1000);
    one.Add(0, 42, 10);
    EXPECT_EQ(PrintRange(1, 1, 1).IndexText(one), "000042" + Sjis("～") + "000042");
}

TEST(CopyOrder, CollatedCopiesRunThroughTheRangeAndOthersRepeatEachPage) {
    const struct { int first, last, copies; bool collate; std::vector<int> pages; } cases[] = {
        {1, 3, 2, true, {1, 2, 3, 1, 2, 3}},
        {1, 3, 2, false, {1, 1, 2, 2, 3, 3}},
        {2, 3, 1, true, {2, 3}},
        {4, 4, 3, false, {4, 4, 4}},
    };
    for (const auto& c : cases) {
        const CopyOrder order(c.first, c.last, c.copies, c.collate);
        std::vector<int> pages;
        for (int64_t step = 0; step < order.Steps(); ++step) pages.push_back(order.PageAt(step));
        EXPECT_EQ(pages, c.pages);
    }
}
