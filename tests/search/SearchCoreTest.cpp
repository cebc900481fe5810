// The search rules: byte-exact matching on CP932, the ranges a search walks,
// the go-to check and the walks by INDEX and by call reference value.
#include <gtest/gtest.h>

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
        EXPECT_EQ(r.First(), c.first) << c.row;
        EXPECT_EQ(r.Last(), c.last) << c.row;
        EXPECT_EQ(r.Empty(), c.empty) << c.row;
    }
    // Find next's step: row to select, 0 for none.
    const int steps[][4] = {{4, 10, 1, 5}, {9, 10, 1, 10}, {10, 10, 1, 0}, {2, 10, 0, 1}, {1, 10, 0, 0}, {1, 0, 1, 0}};
    for (const auto& s : steps) EXPECT_EQ(SearchRange::StepRow(s[0], s[1], s[2] == 1), s[3]) << s[0];
}

TEST(GoToIndex, ClosingCheckTargetAndTheWalkByIndexValue) {
    const std::pair<const char*, GoToIndex::Check> checks[] = {
        {"", GoToIndex::kEmpty},           {"12", GoToIndex::kAccepted},       {"+7", GoToIndex::kAccepted},
        {"0", GoToIndex::kAccepted},       {"-0", GoToIndex::kAccepted},       {"-3", GoToIndex::kNegative},
        {"abc", GoToIndex::kNotNumber},    {"3.5", GoToIndex::kNotNumber},     {" 12", GoToIndex::kNotNumber},
        {"-", GoToIndex::kNotNumber},      {"2147483647", GoToIndex::kAccepted}, {"2147483648", GoToIndex::kNotNumber},
        {"-2147483648", GoToIndex::kNegative}, {"-2147483649", GoToIndex::kNotNumber},
        {"99999999999999999999", GoToIndex::kNotNumber},
    };
    for (const auto& [text, want] : checks) EXPECT_EQ(GoToIndex::CheckText(text), want) << text;
    EXPECT_EQ(GoToIndex::TargetIndex("+12"), 12u);
    EXPECT_EQ(GoToIndex::TargetIndex("12abc"), 12u);
    EXPECT_EQ(GoToIndex::TargetIndex("abc"), 0u);

    // A ring buffer that dropped INDEX 0 to 2: INDEX values, not positions.
    FrameStore store;
    store.SetModes(true, false);
    FrameRecord r = FcsFrame({0x00, 0x01, 0x01, 0x00});
    for (int i = 0; i < 30003; ++i) store.Add(r, true);
    EXPECT_EQ(GoToIndex::Find(store, 3), 0);
    EXPECT_EQ(GoToIndex::Find(store, 30002), 29999);
    EXPECT_EQ(GoToIndex::Find(store, 2), GoToIndex::kNotFound);
}

TEST(RelatedFrames, SameValueFromTheStartOnFramesWithoutOneAllAlike) {
    FrameStore store;
    std::vector<FrameRecord> frames = {
        Q931Frame({0x01, 0x01}, 0x05, {}), Q931Frame({0x01, 0x01}, 0x05, {}), Q931Frame({0x02, 0x00, 0x01}, 0x07, {}),
        Q931Frame({0x01, 0x81}, 0x45, {}), Q931Frame({0x00}, 0x62, {}),       FcsFrame({0x00, 0x01, 0x01, 0x00}),
        Q931Frame({0x01, 0x02}, 0x05, {}), Q931Frame({0x00}, 0x62, {}),
    };
    for (FrameRecord& f : frames) store.Add(f, true);
    EXPECT_EQ(RelatedFrames::From(store, 1), (std::deque<uint32_t>{1, 2, 3}));
    EXPECT_EQ(RelatedFrames::From(store, 4), (std::deque<uint32_t>{4, 5, 7}));
    EXPECT_EQ(RelatedFrames::From(store, 8), std::deque<uint32_t>{});
}
