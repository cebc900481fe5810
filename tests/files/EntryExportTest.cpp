// The text export of detail entries: marks, line ends and "=" indentation.
// An entry read in place, whatever bytes follow it, is ExportFuzz's (its
// corpus is replayed by every build).
#include <gtest/gtest.h>

#include "files/EntryExport.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

TEST(EntryExport, MarksLineEndsAndIndentTabsCountedInBytes) {
    const std::string title = Sjis("＜＜アドレスフィールド＞＞");
    const std::string label = Sjis("情報要素識別子");  // 14 bytes
    const std::string cause = "\x10" "IE+02" "\x11" "90\tx0010000\t" + Sjis("理由表示値") + "=";  // 10 bytes: two TABs
    const std::string causeOut = "IE+02\t90\tx0010000\t" + Sjis("理由表示値") + "\t\t";
    const struct { const char* name; std::string entry; bool indent; std::string expected; } cases[] = {
        {"a title entry starts with a TAB", "\x12" + title, true, "\t" + title + "\r\n"},
        {"a tag is followed by a TAB and later lines move under the columns",
         "\x10" "AF+00" "\x11" "00\t000000xx\tSAPI=A\n\txxxxxx0x\tC/R=B", false,
         "AF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n"},
        {"an entry built without icons keeps its lines", "00\tSAPI=A\n\tC/R=B", false, "00\tSAPI=A\r\n\tC/R=B\r\n"},
        {"the element separator is dropped", "\x13" "\x10" "IE+00" "\x11" "04\tX=Y", false, "IE+00\t04\tX=Y\r\n"},
        // Only the first of each mark is replaced; later ones pass as they are.
        {"a title keeps any tag marks", "\x12" "T\x10" "u\x11\x12", false, "\tT\x10" "u\x11\x12\r\n"},
        {"a second tag end passes as it is", "\x10" "A\x11" "B\x11" "C", false, "A\tB\x11" "C\r\n"},
        {"a tag start without its end loses the start, gains no TAB", "\x10" "AB\ncd", false, "AB\r\ncd\r\n"},
        {"an identifier label: two TABs", "\x13" "\x10" "IE+00" "\x11" "04\t" + label + "=X", true, "IE+00\t04\t" + label + "\t\tX\r\n"},
        {"without indent the label keeps its \"=\"", "04\t" + label + "=X", false, "04\t" + label + "=X\r\n"},
        // The bytes since the TAB before it, a TAB that replaced an earlier "=" included, pick the TABs.
        {"cause, 5 bytes", cause + "AB(CV=16)", true, causeOut + "AB(CV\t\t\t16)\r\n"},
        {"7 bytes after TABs for an \"=\"", "A=1234567=x", true, "A\t\t\t1234567\t\t\tx\r\n"},
        // Without a TAB before the "=", the count runs from the start of the text.
        {"7 bytes", "ABCDEFG=1", true, "ABCDEFG\t\t\t1\r\n"},
        {"8 bytes", "ABCDEFGH=1", true, "ABCDEFGH\t\t1\r\n"},
        {"15 bytes", "\tABCDEFGHIJKLMNO=1", true, "\tABCDEFGHIJKLMNO\t\t1\r\n"},
        {"16 bytes", "\tABCDEFGHIJKLMNOP=1", true, "\tABCDEFGHIJKLMNOP\t1\r\n"},
        // The TAB of a tag counts as a TAB.
        {"the TAB of a tag", "\x10" "AF+00" "\x11" "ABCDEFGH=1", true, "AF+00\tABCDEFGH\t\t1\r\n"},
        {"four double-byte characters are 8 bytes", Sjis("情報要素") + "=1", true, Sjis("情報要素") + "\t\t1\r\n"},
        // The count runs across line ends, the CR before the LF counted too.
        {"\"0123\\r\\nAB\" is 8 bytes", "\t0123\nAB=x", true, "\t0123\r\nAB\t\tx\r\n"},
        {"a tagged continuation line starts with a TAB of its own", "\x10" "T\x11" "0123\nAB=x", true, "T\t0123\r\n\tAB\t\t\tx\r\n"},
        // Long runs, other control bytes and an entry longer than the stack buffers.
        {"a long entry", "\x10" "T\x11" + std::string(700, 'a') + "=b\x01\x0B\nc\x10", true,
         "T\t" + std::string(700, 'a') + "\tb\x01\x0B\r\n\tc\x10\r\n"},
    };
    for (const auto& c : cases) {
        std::string out;
        EntryExport::AppendEntry(out, c.entry, c.indent);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

TEST(EntryExport, WritesEveryEntryInOrderAndReportsWriteErrors) {
    bool ok = false;
    const std::vector<std::string> entries = {"\x12" "T", "\x10" "Flag" "\x11" "7E", "A=B"};
    EXPECT_EQ(Written([&](int fd) { return EntryExport::WriteEntriesToFile(entries, true, fd); }, ok), "\tT\r\nFlag\t7E\r\nA\t\t\tB\r\n");
    EXPECT_TRUE(ok);
    const int full = ::open("/dev/full", O_WRONLY);
    EXPECT_FALSE(EntryExport::WriteEntriesToFile(entries, true, full));
    FdWriter writer(full);  // failing at the first full buffer, not only at the end
    EXPECT_FALSE(EntryExport::WriteEntries(std::vector<std::string>(5000, std::string(20, 'x')), true, writer));
    EXPECT_TRUE(EntryExport::WriteEntriesToFile({}, true, full));  // nothing to write is no failure
    ::close(full);
}
