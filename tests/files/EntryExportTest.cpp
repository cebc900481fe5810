// The text export of detail entries: marks, line ends and "=" indentation.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "files/EntryExport.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

struct Case {
    const char* name;
    std::string entry;
    bool indent;
    std::string expected;
};

void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        std::string out;
        EntryExport::AppendEntry(out, c.entry, c.indent);
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

}  // namespace

TEST(EntryExportMarks, TitlesTagsSeparatorsAndLineEnds) {
    const std::string title = Sjis("＜＜アドレスフィールド＞＞");
    const std::string tagged = "\x10" "AF+00" "\x11" "00\t000000xx\tSAPI=" + Sjis("呼制御") +
                               "\n\txxxxxx0x\tC/R=" + Sjis("ｺﾏﾝﾄﾞ");
    RunCases({
        {"a title entry starts with a TAB", "\x12" + title, false, "\t" + title + "\r\n"},
        {"a title entry, indent on", "\x12" + title, true, "\t" + title + "\r\n"},
        {"a tag is followed by a TAB and later lines move under the columns", tagged, false,
         "AF+00\t00\t000000xx\tSAPI=" + Sjis("呼制御") + "\r\n\t\txxxxxx0x\tC/R=" + Sjis("ｺﾏﾝﾄﾞ") + "\r\n"},
        {"an entry built without icons keeps its lines", "00\t000000xx\tSAPI=A\n\txxxxxx0x\tC/R=B\nthird",
         false, "00\t000000xx\tSAPI=A\r\n\txxxxxx0x\tC/R=B\r\nthird\r\n"},
        {"the element separator is dropped", "\x13" "\x10" "IE+00" "\x11" "04\t00000100\tX=Y", false,
         "IE+00\t04\t00000100\tX=Y\r\n"},
        {"the element separator of an untagged entry", "\x13" "18\tB", false, "18\tB\r\n"},
        // Only the first of each mark is replaced; later ones pass as they are.
        {"second separator", "\x13" "a\x13" "b", false, "a\x13" "b\r\n"},
        {"second tag", "\x10" "T\x11" "x\x10" "y\x11" "z", false, "T\tx\x10" "y\x11" "z\r\n"},
        {"a title keeps any tag marks", "\x12" "T\x10" "u\x11", false, "\tT\x10" "u\x11\r\n"},
        {"a tag start without its end loses the start, gains no TAB", "\x10" "AB\ncd", false,
         "AB\r\ncd\r\n"},
        {"an empty entry is an empty line", "", true, "\r\n"},
        {"a bare line feed", "\n", false, "\r\n\r\n"},
    });
}

TEST(EntryExportIndent, EqualsBecomeTabsCountedInBytes) {
    const std::string label = Sjis("情報要素識別子");
    ASSERT_EQ(label.size(), 14u);
    const std::string element = "\x13" "\x10" "IE+00" "\x11" "04\t00000100\t" + label + "=" + Sjis("伝達能力");
    const std::string cause = Sjis("理由表示値");  // 10 bytes: two TABs
    const std::string prefix = "\x10" "IE+02" "\x11" "90\tx0010000\t" + cause + "=";
    const std::string out = "IE+02\t90\tx0010000\t" + cause + "\t\t";
    const std::string busy = Sjis("相手加入者話中");  // 14 bytes + "(CV" = 17
    RunCases({
        {"an identifier label is followed by two TABs", element, true,
         "IE+00\t04\t00000100\t" + label + "\t\t" + Sjis("伝達能力") + "\r\n"},
        {"without indent the label keeps its \"=\"", element, false,
         "IE+00\t04\t00000100\t" + label + "=" + Sjis("伝達能力") + "\r\n"},
        // The bytes after the earlier TABs up to the "=" of "(CV=" pick its TABs.
        {"cause, 5 bytes", prefix + "AB(CV=16)", true, out + "AB(CV\t\t\t16)\r\n"},
        {"cause, 8 bytes", prefix + "ABCDE(CV=16)", true, out + "ABCDE(CV\t\t16)\r\n"},
        {"cause, 17 bytes", prefix + busy + "(CV=17)", true, out + busy + "(CV\t17)\r\n"},
        // Without a TAB before the "=", the count runs from the start of the text.
        {"7 bytes", "ABCDEFG=1", true, "ABCDEFG\t\t\t1\r\n"},
        {"8 bytes", "ABCDEFGH=1", true, "ABCDEFGH\t\t1\r\n"},
        {"15 bytes", "\tABCDEFGHIJKLMNO=1", true, "\tABCDEFGHIJKLMNO\t\t1\r\n"},
        {"16 bytes", "\tABCDEFGHIJKLMNOP=1", true, "\tABCDEFGHIJKLMNOP\t1\r\n"},
        {"0 bytes", "\t=1", true, "\t\t\t\t1\r\n"},
        // Removed marks are not counted; the TAB of a tag counts as a TAB.
        {"a removed separator", "\x13" "ABCDEFG=1", true, "ABCDEFG\t\t\t1\r\n"},
        {"the TAB of a tag", "\x10" "AF+00" "\x11" "ABCDEFGH=1", true, "AF+00\tABCDEFGH\t\t1\r\n"},
        {"four double-byte characters are 8 bytes", Sjis("情報要素") + "=1", true,
         Sjis("情報要素") + "\t\t1\r\n"},
        // The count runs across line ends, the CR before the LF counted too.
        {"\"0123\\r\\nAB\" is 8 bytes", "\t0123\nAB=x", true, "\t0123\r\nAB\t\tx\r\n"},
        {"a tagged continuation line starts with a TAB of its own", "\x10" "T\x11" "0123\nAB=x", true,
         "T\t0123\r\n\tAB\t\t\tx\r\n"},
        {"every \"=\" of every line", "\x10" "AF+01" "\x11" "03\t0000001x\tTEI=X(TEI=1)\n\tab=c", true,
         "AF+01\t03\t0000001x\tTEI\t\t\tX(TEI\t\t\t1)\r\n\t\tab\t\t\tc\r\n"},
        {"two \"=\" in a row", "a==b", true, "a\t\t\t\t\t\tb\r\n"},
    });
}

TEST(EntryExportWrite, WritesEveryEntryInOrderAndReportsWriteErrors) {
    TempFolder folder;
    std::string path = folder.Path() + "/entries.txt";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(EntryExport::WriteEntriesToFile(
        {"\x12" "T", "\x10" "Flag" "\x11" "7E\t01111110\tHDLC flag", "A=B"}, true, fd));
    ::close(fd);
    EXPECT_EQ(ReadFile(path), "\tT\r\nFlag\t7E\t01111110\tHDLC flag\r\nA\t\t\tB\r\n");

    fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(EntryExport::WriteEntriesToFile({"A=B", "C"}, true, fd));
    EXPECT_TRUE(EntryExport::WriteEntriesToFile({}, true, fd));  // nothing to write is no failure
    ::close(fd);
}
