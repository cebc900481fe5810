// The search rules: byte-exact matching on CP932, the ranges a search walks,
// the text search over the rows, the go-to check and the walks by INDEX and
// by call reference value.
#include <gtest/gtest.h>

#include <tuple>

#include "decode/RowText.h"
#include "search/FrameSearch.h"
#include "search/GoToIndex.h"
#include "search/RelatedFrames.h"
#include "search/SearchRange.h"
#include "search/TextMatch.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(TextMatch, BytesOnCharacterBoundariesAndTheWholeMatchRule) {
    struct Case { std::string row, text; bool whole, want; };
    const std::string a = "\x83\x41";  // ア: its second byte is "A"
    const Case cases[] = {
        {"ABC DEF ", "ABC", false, true}, {"ABC DEF ", "abc", false, false}, {"ABC ", "", false, false},
        {a, "A", false, false}, {a + "\x42", "AB", false, false}, {a + "A", "A", false, true},
        {"\x41" + a, a, false, true}, {Sjis("発番号=\"123\" "), Sjis("発番号=\"12\""), false, false},
        {Sjis("発番号=\"1234\" "), Sjis("発番号=\"123\""), false, false},
        {Sjis("発番号=\"123\" "), Sjis("発番号=\"123\""), false, true},
        // Whole match: a line feed right after the first occurrence only.
        {"ABC DEF ", "ABC", true, false}, {"X ABC \nY ", "ABC ", true, true}, {"X ABC ", "ABC ", true, false},
        {"ABC X ABC \n", "ABC ", true, false}, {"ABC", "ABC", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextMatch::MatchText(c.row, c.text, c.whole), c.want) << c.row << "|" << c.text;
}

TEST(SearchRange, StartAndEndByDirectionAndStartPosition) {
    struct Case { size_t count; int row; bool forward, fromCursor; int64_t first, last; bool empty; };
    const Case cases[] = {
        {10, 4, true, true, 3, 9, false},   {10, 4, true, false, 0, 9, false}, {10, 4, false, true, 3, 0, false},
        {10, 4, false, false, 9, 0, false}, {10, 10, true, true, 9, 9, false}, {10, 1, false, true, 0, 0, false},
        {10, 25, false, true, 9, 0, false}, {0, 1, true, true, 0, -1, true},  {0, 1, false, false, -1, 0, true},
    };
    for (const Case& c : cases) {
        const SearchRange r = SearchRange::For(c.count, c.row, c.forward, c.fromCursor);
        EXPECT_EQ(std::tuple(r.First(), r.Last(), r.Empty()), std::tuple(c.first, c.last, c.empty)) << c.row;
    }
    // Find next's step: row to select, 0 for none.
    const int steps[][4] = {{4, 10, 1, 5}, {9, 10, 1, 10}, {10, 10, 1, 0}, {2, 10, 0, 1}, {1, 10, 0, 0}, {1, 0, 1, 0},
                            {10, 10, 0, 9}};
    for (const auto& s : steps) EXPECT_EQ(SearchRange::StepRow(s[0], s[1], s[2] == 1), s[3]) << s[0];
}

TEST(FrameSearch, FirstMatchInWalkingOrderAndEveryMatchInStoreOrder) {
    FrameStore store;
    for (uint8_t octet : {0xBB, 0xAA, 0xBB, 0xAA, 0xAA, 0xBB}) store.Take(FcsFrame({0x00, 0x01, 0x01, octet}), true);
    const DisplayOptions data = Columns({RowText::kData});
    SearchRequest request;
    request.text = "01 01 AA ";
    const SearchRange down = SearchRange::For(store.Count(), 3, true, true);
    const SearchRange up = SearchRange::For(store.Count(), 6, false, true);
    EXPECT_EQ(FrameSearch::Find(store, data, request, down, nullptr), 3);
    std::vector<int32_t> passed;  // the records searched before the match
    EXPECT_EQ(FrameSearch::Find(store, data, request, up, [&](int32_t index) {
        passed.push_back(index);
        return true;
    }), 4);
    EXPECT_EQ(passed, std::vector<int32_t>{5});
    EXPECT_EQ(FrameSearch::Find(store, data, request, down, [](int32_t) { return false; }), FrameSearch::kNotFound);
    EXPECT_EQ(FrameSearch::Collect(store, data, request, up), (std::deque<uint32_t>{1, 3, 4}));
    EXPECT_EQ(FrameSearch::Collect(store, data, request, SearchRange::For(store.Count(), 5, true, true)),
              (std::deque<uint32_t>{4}));
    // Cleared and refilled between records: the search ends, not in the new frames.
    EXPECT_EQ(FrameSearch::Find(store, data, request, up, [&](int32_t) {
        store.Clear();
        store.Take(FcsFrame({0x00, 0x01, 0x01, 0xAA}), true);
        return true;
    }), FrameSearch::kNotFound);
    request.textUsable = false;
    EXPECT_EQ(FrameSearch::Find(store, data, request, down, nullptr), FrameSearch::kNotFound);
}

TEST(GoToIndex, ClosingCheckTargetAndTheWalkByIndexValue) {
    using G = GoToIndex;
    const std::pair<const char*, G::Check> checks[] = {
        {"", G::kEmpty}, {"12", G::kAccepted}, {"+7", G::kAccepted}, {"0", G::kAccepted}, {"-0", G::kAccepted},
        {"-3", G::kNegative}, {"abc", G::kNotNumber}, {"3.5", G::kNotNumber}, {" 12", G::kNotNumber},
        {"-", G::kNotNumber}, {"2147483647", G::kAccepted}, {"2147483648", G::kNotNumber},
        {"-2147483648", G::kNegative}, {"-2147483649", G::kNotNumber}, {"99999999999999999999", G::kNotNumber}};
    for (const auto& [text, want] : checks) EXPECT_EQ(GoToIndex::CheckText(text), want) << text;
    for (const auto& [text, want] : {std::pair{"+12", 12u}, {"12abc", 12u}, {"abc", 0u}, {"2147483647", 2147483647u}})
        EXPECT_EQ(GoToIndex::TargetIndex(text), want) << text;

    // A ring buffer that dropped INDEX 0 to 2: INDEX values, not positions.
    FrameStore store;
    store.SetModes(true, false);
    for (FrameRecord r = FcsFrame({0x00, 0x01, 0x01, 0x00}); store.NextIndex() < 30003;) store.Add(r, true);
    EXPECT_EQ(std::tuple(GoToIndex::Find(store, 3), GoToIndex::Find(store, 30002), GoToIndex::Find(store, 2)),
              std::tuple(0, 29999, GoToIndex::kNotFound));
}

TEST(RelatedFrames, SameValueFromTheStartOnFramesWithoutOneAllAlike) {
    FrameStore store;
    // Values 1, 2, none (dummy), 1 (two octets), none (RR), 1 (flag set), 0 (global).
    for (FrameRecord f : {Q931Frame({0x01, 0x01}, 0x05, {}), Q931Frame({0x01, 0x02}, 0x05, {}),
                          Q931Frame({0x00}, 0x62, {}), Q931Frame({0x02, 0x00, 0x01}, 0x07, {}),
                          FcsFrame({0x00, 0x01, 0x01, 0x00}), Q931Frame({0x01, 0x81}, 0x45, {}),
                          Q931Frame({0x01, 0x00}, 0x46, {})})
        store.Add(f, true);
    EXPECT_EQ(RelatedFrames::From(store, 0), (std::deque<uint32_t>{0, 3, 5}));
    EXPECT_EQ(RelatedFrames::From(store, 2), (std::deque<uint32_t>{2, 4}));
    EXPECT_EQ(RelatedFrames::From(store, 7), std::deque<uint32_t>{});
}
