// The text export of detail entries: marks, line ends and "=" indentation.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/Cp932.h"
#include "files/EntryExport.h"
#include "tests/export/ExportTestSupport.h"

namespace {

using exporttest::Sjis;

std::string Export(const std::string& entry, bool indent) {
    std::string out;
    EntryExport::AppendEntry(out, entry, indent);
    return out;
}

}  // namespace

TEST(EntryExportMarks, TitleEntryStartsWithATab) {
    std::string title = "\x12" + Sjis("＜＜アドレスフィールド＞＞");
    EXPECT_EQ(Export(title, false), "\t" + Sjis("＜＜アドレスフィールド＞＞") + "\r\n");
    EXPECT_EQ(Export(title, true), "\t" + Sjis("＜＜アドレスフィールド＞＞") + "\r\n");
}

TEST(EntryExportMarks, TagIsFollowedByATabAndLaterLinesMoveUnderTheColumns) {
    std::string entry = "\x10" "AF+00" "\x11" "00\t000000xx\tSAPI=" + Sjis("呼制御") +
                        "\n\txxxxxx0x\tC/R=" + Sjis("ｺﾏﾝﾄﾞ");
    EXPECT_EQ(Export(entry, false), "AF+00\t00\t000000xx\tSAPI=" + Sjis("呼制御") +
                                        "\r\n\t\txxxxxx0x\tC/R=" + Sjis("ｺﾏﾝﾄﾞ") + "\r\n");
}

TEST(EntryExportMarks, EntryBuiltWithoutIconsKeepsItsLines) {
    std::string entry = "00\t000000xx\tSAPI=A\n\txxxxxx0x\tC/R=B\nthird";
    EXPECT_EQ(Export(entry, false), "00\t000000xx\tSAPI=A\r\n\txxxxxx0x\tC/R=B\r\nthird\r\n");
}

TEST(EntryExportMarks, ElementSeparatorIsDropped) {
    std::string entry = "\x13" "\x10" "IE+00" "\x11" "04\t00000100\tX=Y";
    EXPECT_EQ(Export(entry, false), "IE+00\t04\t00000100\tX=Y\r\n");
    EXPECT_EQ(Export("\x13" "18\tB", false), "18\tB\r\n");
}

TEST(EntryExportMarks, OnlyTheFirstOfEachMarkIsReplaced) {
    // Later marks are not presentation: they pass as they are.
    EXPECT_EQ(Export("\x13" "a\x13" "b", false), "a\x13" "b\r\n");
    EXPECT_EQ(Export("\x10" "T\x11" "x\x10" "y\x11" "z", false), "T\tx\x10" "y\x11" "z\r\n");
    // A title keeps any tag marks: only the title mark goes.
    EXPECT_EQ(Export("\x12" "T\x10" "u\x11", false), "\tT\x10" "u\x11\r\n");
    // A tag start without its end loses the start and gains no TAB.
    EXPECT_EQ(Export("\x10" "AB\ncd", false), "AB\r\ncd\r\n");
}

TEST(EntryExportMarks, EmptyEntryIsAnEmptyLine) {
    EXPECT_EQ(Export("", true), "\r\n");
    EXPECT_EQ(Export("\n", false), "\r\n\r\n");
}

TEST(EntryExportIndent, IdentifierLabelIsFollowedByTwoTabs) {
    std::string label = Sjis("情報要素識別子");
    ASSERT_EQ(label.size(), 14u);
    std::string entry = "\x13" "\x10" "IE+00" "\x11" "04\t00000100\t" + label + "=" +
                        Sjis("伝達能力");
    EXPECT_EQ(Export(entry, true), "IE+00\t04\t00000100\t" + label + "\t\t" + Sjis("伝達能力") +
                                       "\r\n");
    EXPECT_EQ(Export(entry, false), "IE+00\t04\t00000100\t" + label + "=" + Sjis("伝達能力") +
                                        "\r\n");
}

TEST(EntryExportIndent, CauseValueCountsFromTheTabsOfTheEarlierEquals) {
    std::string label = Sjis("理由表示値");  // 10 bytes: two TABs
    std::string prefix = "\x10" "IE+02" "\x11" "90\tx0010000\t";
    std::string out = "IE+02\t90\tx0010000\t" + label + "\t\t";
    // The bytes after those TABs up to the "=" of "(CV=" pick its TABs.
    EXPECT_EQ(Export(prefix + label + "=AB(CV=16)", true), out + "AB(CV\t\t\t16)\r\n");  // 5
    EXPECT_EQ(Export(prefix + label + "=ABCDE(CV=16)", true), out + "ABCDE(CV\t\t16)\r\n");  // 8
    std::string name = Sjis("相手加入者話中");  // 14 bytes + "(CV" = 17
    EXPECT_EQ(Export(prefix + label + "=" + name + "(CV=17)", true),
              out + name + "(CV\t17)\r\n");
}

TEST(EntryExportIndent, TabCountThresholdsAreCountedInBytes) {
    // Without a TAB before the "=", the count runs from the start of the text.
    EXPECT_EQ(Export("ABCDEFG=1", true), "ABCDEFG\t\t\t1\r\n");            // 7
    EXPECT_EQ(Export("ABCDEFGH=1", true), "ABCDEFGH\t\t1\r\n");            // 8
    EXPECT_EQ(Export("\tABCDEFGHIJKLMNO=1", true), "\tABCDEFGHIJKLMNO\t\t1\r\n");    // 15
    EXPECT_EQ(Export("\tABCDEFGHIJKLMNOP=1", true), "\tABCDEFGHIJKLMNOP\t1\r\n");    // 16
    EXPECT_EQ(Export("\t=1", true), "\t\t\t\t1\r\n");                      // 0
    // Removed marks are not counted; the TAB of a tag counts as a TAB.
    EXPECT_EQ(Export("\x13" "ABCDEFG=1", true), "ABCDEFG\t\t\t1\r\n");
    EXPECT_EQ(Export("\x10" "AF+00" "\x11" "ABCDEFGH=1", true), "AF+00\tABCDEFGH\t\t1\r\n");
    // A double-byte character is two bytes: four of them make 8.
    EXPECT_EQ(Export(Sjis("情報要素") + "=1", true), Sjis("情報要素") + "\t\t1\r\n");
}

TEST(EntryExportIndent, CountRunsAcrossLineEndsToTheNearestTab) {
    // The CR put before the LF is counted too: "0123\r\nAB" is 8 bytes.
    EXPECT_EQ(Export("\t0123\nAB=x", true), "\t0123\r\nAB\t\tx\r\n");
    // With a tag the continuation line starts with a TAB of its own.
    EXPECT_EQ(Export("\x10" "T\x11" "0123\nAB=x", true), "T\t0123\r\n\tAB\t\t\tx\r\n");
}

TEST(EntryExportIndent, EveryEqualsOfEveryLineIsReplaced) {
    std::string entry = "\x10" "AF+01" "\x11" "03\t0000001x\tTEI=X(TEI=1)\n\tab=c";
    EXPECT_EQ(Export(entry, true), "AF+01\t03\t0000001x\tTEI\t\t\tX(TEI\t\t\t1)\r\n\t\tab\t\t\tc\r\n");
    EXPECT_EQ(Export("a==b", true), "a\t\t\t\t\t\tb\r\n");
}

TEST(EntryExportWrite, WritesEveryEntryInOrder) {
    exporttest::TempFolder folder;
    std::string path = folder.Path() + "/entries.txt";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    std::vector<std::string> entries{"\x12" "T", "\x10" "Flag" "\x11" "7E\t01111110\tHDLC flag",
                                     "A=B"};
    ASSERT_TRUE(EntryExport::WriteEntriesToFile(entries, true, fd));
    ::close(fd);
    EXPECT_EQ(exporttest::ReadFile(path),
              "\tT\r\nFlag\t7E\t01111110\tHDLC flag\r\nA\t\t\tB\r\n");
}

TEST(EntryExportWrite, WriteErrorIsReported) {
    int fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(EntryExport::WriteEntriesToFile({"A=B", "C"}, true, fd));
    // Nothing to write is no failure.
    EXPECT_TRUE(EntryExport::WriteEntriesToFile({}, true, fd));
    ::close(fd);
}
