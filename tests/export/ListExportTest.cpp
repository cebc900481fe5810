// The frame list's text export: rows, RX indentation, separator lines and
// the detail entries of every frame.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "decode/MessageCatalogue.h"
#include "files/DetailSource.h"
#include "files/ListExport.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "tests/export/ExportTestSupport.h"

namespace {

using exporttest::FromHex;
using exporttest::Sjis;

const std::string kEquals = std::string(79, '=') + "\r\n";
const std::string kDashes = std::string(79, '-') + "\r\n";

// SABME from the user side, UA from the network side (good FCS), and the
// SABME with its FCS damaged.
constexpr const char* kSabme = "7E 00 01 7F 64 54 7E";
constexpr const char* kUa = "7E 02 01 73 B0 2B 7E";
constexpr const char* kBadSabme = "7E 00 01 7F 64 55 7E";

DisplayOptions Options(std::initializer_list<int32_t> ids, int8_t split, bool detail,
                       bool indent = false) {
    DisplayOptions o = OptionData::DefaultDisplayOptions();
    o.columnOrder.fill(DisplayOptions::kEndOfColumns);
    std::copy(ids.begin(), ids.end(), o.columnOrder.begin());
    o.dataSplit = split;
    o.exportDetail = detail ? 1 : 0;
    o.indent = indent ? 1 : 0;
    return o;
}

const MessageCatalogue& Names() {
    static const MessageCatalogue c = [] {
        MessageCatalogue m;
        m.LoadText(Sjis("AF_SAPI:\n0x00=\"呼制御\"\n"));
        return m;
    }();
    return c;
}

// Hand-written entries per INDEX; frames listed in `broken` have no detail.
class FakeDetails : public DetailSource {
public:
    bool Build(FrameRecord& record, const DisplayOptions& options,
               std::vector<std::string>& entries) override {
        asked.push_back(record.Index());
        optionsSeen.push_back(options);
        entries = {"stale"};  // the export must not use entries of a failed build
        if (broken.count(record.Index())) return false;
        entries = {"\x12" "T" + std::to_string(record.Index()),
                   "\x10" "AF+00" "\x11" "00\t000000xx\tSAPI=A\n\txxxxxx0x\tC/R=B"};
        return true;
    }
    std::vector<int32_t> asked;
    std::vector<DisplayOptions> optionsSeen;
    std::set<int32_t> broken;
};

struct Export {
    bool ok = false;
    std::string text;
};

Export ExportToFile(FrameStore& store, const DisplayOptions& options, DetailSource& details) {
    exporttest::TempFolder folder;
    std::string path = folder.Path() + "/list.txt";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Export result;
    if (fd < 0) return result;
    result.ok = ListExport::ExportList(store, options, Names(), details, fd);
    ::close(fd);
    result.text = exporttest::ReadFile(path);
    return result;
}

void Add(FrameStore& store, FrameRecord r) { store.Add(r, false); }

}  // namespace

TEST(ListExportRows, OneTxFrameWithoutDetailIsItsRowLinesAndACrLf) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 7, 1, 2, 3, 4));
    FakeDetails details;
    Export e = ExportToFile(store, Options({2, 6, 13, 8}, 4, false), details);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.text, "INDEX=000007 TIME=01:02:03.004 \r\n7E 00 01 7F \r\n64 54 7E \r\n");
    EXPECT_TRUE(details.asked.empty());
}

TEST(ListExportRows, EveryLineOfAnRxRowStartsWithATab) {
    FrameStore store;
    Add(store, FromHex(kUa, FrameRecord::kRx, 8, 0, 0, 1, 500));
    FakeDetails details;
    Export e = ExportToFile(store, Options({2, 13, 6}, 0, false), details);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.text, "\tINDEX=000008 \r\n\tTIME=00:00:01.500 \r\n");
}

TEST(ListExportRows, RowEndingWithALineBreakKeepsItsEmptyLastLine) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 1));
    Add(store, FromHex(kUa, FrameRecord::kRx, 2));
    FakeDetails details;
    Export e = ExportToFile(store, Options({2, 13}, 0, false), details);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.text, "INDEX=000001 \r\n\r\n\tINDEX=000002 \r\n\t\r\n");
}

TEST(ListExportRows, RowsUseTheFrameCheckResultAndTheGivenCatalogue) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 0));
    Add(store, FromHex(kBadSabme, FrameRecord::kTx, 1));
    FakeDetails details;
    Export e = ExportToFile(store, Options({3, 2}, 0, false), details);
    ASSERT_TRUE(e.ok);
    // The SAPI column needs a good frame check; INDEX is always shown.
    std::string sapi = Sjis("呼制御");
    EXPECT_EQ(e.text.find(sapi), e.text.rfind(sapi));
    ASSERT_NE(e.text.find(sapi), std::string::npos);
    EXPECT_LT(e.text.find(sapi), e.text.find("INDEX=000000"));
    EXPECT_NE(e.text.find("\r\nINDEX=000001 \r\n"), std::string::npos) << e.text;
    EXPECT_TRUE(store.At(0).CrcKnown());
    EXPECT_TRUE(store.At(1).CrcKnown());
}

TEST(ListExportDetails, EachFrameHasEqualsRowDashesAndItsEntries) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 5));
    Add(store, FromHex(kUa, FrameRecord::kRx, 6));
    FakeDetails details;
    Export e = ExportToFile(store, Options({2, 13, 6}, 0, true, false), details);
    ASSERT_TRUE(e.ok);
    std::string entries5 = "\tT5\r\nAF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n";
    std::string entries6 = "\tT6\r\nAF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n";
    EXPECT_EQ(e.text, kEquals + "INDEX=000005 \r\nTIME=00:00:00.000 \r\n" + kDashes + entries5 +
                          kEquals + "\tINDEX=000006 \r\n\tTIME=00:00:00.000 \r\n" + kDashes +
                          entries6);
    EXPECT_EQ(details.asked, (std::vector<int32_t>{5, 6}));
}

TEST(ListExportDetails, EntriesFollowTheSnapshotsIndent) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 5));
    FakeDetails details;
    DisplayOptions snapshot = Options({2}, 0, true, true);
    Export e = ExportToFile(store, snapshot, details);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.text, kEquals + "INDEX=000005 \r\n" + kDashes +
                          "\tT5\r\nAF+00\t00\t000000xx\tSAPI\t\t\tA\r\n\t\txxxxxx0x\tC/R\t\t\tB\r\n");
    ASSERT_EQ(details.optionsSeen.size(), 1u);
    EXPECT_EQ(details.optionsSeen[0], snapshot);
}

TEST(ListExportDetails, FramesFailingTheFrameCheckStillGetTheirDetail) {
    FrameStore store;
    Add(store, FromHex(kBadSabme, FrameRecord::kTx, 1));
    Add(store, FromHex("7E 7E", FrameRecord::kRx, 2));  // no octets at all
    FakeDetails details;
    Export e = ExportToFile(store, Options({2}, 0, true), details);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(details.asked, (std::vector<int32_t>{1, 2}));
    EXPECT_NE(e.text.find(kDashes + "\tT1\r\n"), std::string::npos);
    EXPECT_NE(e.text.find(kDashes + "\tT2\r\n"), std::string::npos);
}

TEST(ListExportDetails, DetailThatCannotBeBuiltLeavesOnlyItsDashes) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 1));
    Add(store, FromHex(kSabme, FrameRecord::kTx, 2));
    Add(store, FromHex(kSabme, FrameRecord::kTx, 3));
    FakeDetails details;
    details.broken = {2};
    Export e = ExportToFile(store, Options({2}, 0, true), details);
    ASSERT_TRUE(e.ok);
    std::string entries = "AF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n";
    EXPECT_EQ(e.text, kEquals + "INDEX=000001 \r\n" + kDashes + "\tT1\r\n" + entries +
                          kEquals + "INDEX=000002 \r\n" + kDashes +
                          kEquals + "INDEX=000003 \r\n" + kDashes + "\tT3\r\n" + entries);
}

TEST(ListExportWrites, EmptyStoreWritesNothing) {
    FrameStore store;
    FakeDetails details;
    Export e = ExportToFile(store, Options({2}, 0, true), details);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.text, "");
}

TEST(ListExportWrites, WriteErrorIsReported) {
    FrameStore store;
    Add(store, FromHex(kSabme, FrameRecord::kTx, 1));
    FakeDetails details;
    int fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(ListExport::ExportList(store, Options({2}, 0, false), Names(), details, fd));
    EXPECT_FALSE(ListExport::ExportList(store, Options({2}, 0, true), Names(), details, fd));
    ::close(fd);
}

TEST(ListExportWrites, LargeExportArrivesWhole) {
    // Well past the writer's buffer, so it is written in several pieces.
    FrameStore store;
    std::string expected;
    for (int32_t i = 0; i < 3000; ++i) {
        bool rx = i % 3 == 1;
        Add(store, FromHex(rx ? kUa : kSabme, rx ? FrameRecord::kRx : FrameRecord::kTx, i));
        char row[32];
        std::snprintf(row, sizeof row, "%sINDEX=%06d \r\n", rx ? "\t" : "", i);
        expected += kEquals + row + kDashes + "\tT" + std::to_string(i) +
                    "\r\nAF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n";
    }
    FakeDetails details;
    Export e = ExportToFile(store, Options({2}, 0, true), details);
    ASSERT_TRUE(e.ok);
    ASSERT_GT(e.text.size(), 3u * 64 * 1024);
    EXPECT_TRUE(e.text == expected);
}
