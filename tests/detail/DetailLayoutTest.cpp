// The detail window's rules without the window: how an entry's marks, TABs
// and "=" become the lines it draws, how keys move the selection, and which
// entries open a printed page.
#include <gtest/gtest.h>

#include "detail/DetailLines.h"
#include "detail/DetailPagePlan.h"
#include "detail/DetailSelection.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(DetailLines, MarksTabsAndTheValueColumn) {
    // Each line as "[tag]label|value", "T:" before a title, "-" before a separator.
    const struct { std::string entry; bool indent; std::vector<std::string> lines; } cases[] = {
        {"\x10" "Flag\x11" "7E\t01111110\tHDLC flag", true, {"[Flag]7E  01111110    HDLC flag|"}},
        // Later lines start under the first line's bit pattern; each line is cut at its first "=".
        {"\x10" "AF+00\x11" "00\t000000xx\tSAPI=A=B\n\txxxxxx0x\tC/R=C", true,
         {"[AF+00]00  000000xx    SAPI|A=B", "[]    xxxxxx0x    C/R|C"}},
        {"00\tSAPI=A", false, {"[]00  SAPI=A|"}},
        // A title is drawn as it stands; empty pieces are no lines.
        {"\n\x12" "T\tU=V\n\n", true, {"T:T\tU=V|"}},
        // The separator mark may stand in any line; only the first goes, a TAB
        // then takes one more space for each mark left since the TAB before.
        {"\x10" "T\x11" "18\tA\n\tB\x13", false, {"[T]18  A|", "-[]    B|"}},
        {"AB\x13\x13\tC\x1F\tD\tE", false, {"-[]AB  C  D  E|"}},
        // Positions count bytes: a double-byte character takes two.
        {"04\t" + Sjis("情報") + "\tX", false, {"[]04  " + Sjis("情報") + "    X|"}},
        // A tag without its end takes the line; an empty tag has no box; a title mark after a tag is no title.
        {"\x10" "ABC\n\x10\x11" "7E\n\x10" "T\x11\x12" "X", false, {"[ABC]|", "[]7E|", "[T]X|"}},
        {"", true, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> shown;
        for (const auto& l : DetailLines::Parse(c.entry, c.indent))
            shown.push_back((l.separator ? "-" : "") + (l.title ? "T:" : "[" + l.tag + "]") + l.label + "|" + l.value);
        EXPECT_EQ(shown, c.lines) << c.entry;
        EXPECT_EQ(DetailLines::Count(c.entry), static_cast<int>(c.lines.size())) << c.entry;
    }
}

TEST(DetailSelection, StepsPassOverTitlesAndStopAtTheEnds) {
    // 't' a title entry, any other letter an octet's entry; -1 nothing selected.
    const struct { const char* entries; int from, steps, to; } cases[] = {
        {"FtAAtCF", -1, 1, 0}, {"FtAAtCF", 0, 1, 2},   {"FtAAtCF", 3, 1, 5},  {"FtAAtCF", 6, 1, 6},
        {"FtAAtCF", 2, -1, 0}, {"FtAAtCF", 0, -1, 0},  {"FtAAtCF", -1, -1, -1}, {"FtAAtCF", 2, 10, 6},
        {"FtAAtCF", 5, -2, 2}, {"FtAAtCF", 6, -10, 0}, {"ttA", 2, -1, 0}, {"At", 0, 1, 1}, {"", -1, 10, -1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> entries;
        for (const char* e = c.entries; *e; ++e) entries.push_back(*e == 't' ? "\x12T" : "x");
        EXPECT_EQ(DetailSelection::Step(entries, c.from, c.steps), c.to) << c.entries << c.from << c.steps;
    }
}

TEST(DetailPagePlan, APageIsFullWhenTheNextEntryReachesTheBottomMargin) {
    // On a page 1000 high entries run from 150 while they stay above 850; a
    // taller one gets a page of its own.
    const struct { std::vector<int> heights; std::vector<size_t> starts; } cases[] = {
        {{}, {}}, {{100, 100, 100, 100, 100, 100, 100}, {0, 6}}, {{100, 100, 100, 100, 100, 99, 100}, {0}},
        {{100, 800, 100}, {0, 1, 2}}, {{800, 50}, {0, 1}},
    };
    for (const auto& c : cases) EXPECT_EQ(DetailPagePlan::PageStarts(c.heights, 1000), c.starts);
}
