// The frame list's text export: rows, RX indentation, separator lines and
// the detail entries of every frame.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "decode/MessageCatalogue.h"
#include "files/DetailSource.h"
#include "files/ListExport.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace testsupport;

const std::string kEquals = std::string(79, '=') + "\r\n";
const std::string kDashes = std::string(79, '-') + "\r\n";

// SABME from the user side, UA from the network side (good FCS), and the
// SABME with its FCS damaged.
constexpr const char* kSabme = "7E 00 01 7F 64 54 7E";
constexpr const char* kUa = "7E 02 01 73 B0 2B 7E";
constexpr const char* kBadSabme = "7E 00 01 7F 64 55 7E";

DisplayOptions Options(std::initializer_list<int32_t> ids, int8_t split, bool detail,
                       bool indent = false) {
    DisplayOptions o = Columns(ids, split);
    o.exportDetail = detail ? 1 : 0;
    o.indent = indent ? 1 : 0;
    return o;
}

const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue("AF_SAPI:\n0x00=\"呼制御\"\n");
    return c;
}

// Hand-written entries per INDEX; frames listed in `broken` have no detail.
class FakeDetails : public DetailSource {
public:
    bool Build(const FrameRecord& record, const DisplayOptions& options,
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
    TempFolder folder;
    std::string path = folder.Path() + "/list.txt";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Export result;
    if (fd < 0) return result;
    result.ok = ListExport::ExportList(store, options, Names(), details, fd);
    ::close(fd);
    result.text = ReadFile(path);
    return result;
}

void Add(FrameStore& store, FrameRecord r) { store.Add(r, false); }

}  // namespace

TEST(ListExportRows, RowLinesEndInCrLfAndRxLinesStartWithATab) {
    struct Case {
        const char* name;
        std::vector<FrameRecord> frames;
        DisplayOptions options;
        std::string expected;
    };
    const Case cases[] = {
        {"one TX frame without detail", {HexFrame(kSabme, FrameRecord::kTx, 7, 1, 2, 3, 4)},
         Options({2, 6, 13, 8}, 4, false),
         "INDEX=000007 TIME=01:02:03.004 \r\n7E 00 01 7F \r\n64 54 7E \r\n"},
        {"every line of an RX row starts with a TAB", {HexFrame(kUa, FrameRecord::kRx, 8, 0, 0, 1, 500)},
         Options({2, 13, 6}, 0, false), "\tINDEX=000008 \r\n\tTIME=00:00:01.500 \r\n"},
        {"a row ending with a line break keeps its empty last line",
         {HexFrame(kSabme, FrameRecord::kTx, 1), HexFrame(kUa, FrameRecord::kRx, 2)}, Options({2, 13}, 0, false),
         "INDEX=000001 \r\n\r\n\tINDEX=000002 \r\n\t\r\n"},
        {"an empty store writes nothing", {}, Options({2}, 0, true), ""},
        // The SAPI column needs a good frame check and names from the given catalogue.
        {"rows use the frame check result", {HexFrame(kSabme, FrameRecord::kTx, 0),
         HexFrame(kBadSabme, FrameRecord::kTx, 1)}, Options({3, 2}, 0, false),
         Sjis("SAPI=呼制御 ") + "INDEX=000000 \r\nINDEX=000001 \r\n"},
    };
    for (const Case& c : cases) {
        FrameStore store;
        for (const FrameRecord& r : c.frames) Add(store, r);
        FakeDetails details;
        Export e = ExportToFile(store, c.options, details);
        ASSERT_TRUE(e.ok) << c.name;
        EXPECT_EQ(e.text, c.expected) << c.name;
        EXPECT_EQ(details.asked.empty(), !c.options.exportDetail || c.frames.empty()) << c.name;
        for (size_t i = 0; i < store.Count(); ++i) EXPECT_TRUE(store.At(i).CrcKnown()) << c.name;
    }
}

TEST(ListExportDetails, EachFrameHasEqualsRowDashesAndItsEntries) {
    const std::string entries = "AF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n";
    struct Case {
        const char* name;
        std::vector<FrameRecord> frames;
        std::set<int32_t> broken;
        DisplayOptions options;
        std::string expected;
    };
    const Case cases[] = {
        {"a TX and an RX frame",
         {HexFrame(kSabme, FrameRecord::kTx, 5), HexFrame(kUa, FrameRecord::kRx, 6)}, {},
         Options({2, 13, 6}, 0, true, false),
         kEquals + "INDEX=000005 \r\nTIME=00:00:00.000 \r\n" + kDashes + "\tT5\r\n" + entries +
             kEquals + "\tINDEX=000006 \r\n\tTIME=00:00:00.000 \r\n" + kDashes + "\tT6\r\n" + entries},
        {"entries follow the snapshot's indent", {HexFrame(kSabme, FrameRecord::kTx, 5)}, {},
         Options({2}, 0, true, true),
         kEquals + "INDEX=000005 \r\n" + kDashes +
             "\tT5\r\nAF+00\t00\t000000xx\tSAPI\t\t\tA\r\n\t\txxxxxx0x\tC/R\t\t\tB\r\n"},
        {"frames failing the frame check, or without octets, still get their detail",
         {HexFrame(kBadSabme, FrameRecord::kTx, 1), HexFrame("7E 7E", FrameRecord::kRx, 2)}, {},
         Options({2}, 0, true),
         kEquals + "INDEX=000001 \r\n" + kDashes + "\tT1\r\n" + entries + kEquals +
             "\tINDEX=000002 \r\n" + kDashes + "\tT2\r\n" + entries},
        {"a detail that cannot be built leaves only its dashes",
         {HexFrame(kSabme, FrameRecord::kTx, 1), HexFrame(kSabme, FrameRecord::kTx, 2),
          HexFrame(kSabme, FrameRecord::kTx, 3)},
         {2}, Options({2}, 0, true),
         kEquals + "INDEX=000001 \r\n" + kDashes + "\tT1\r\n" + entries + kEquals + "INDEX=000002 \r\n" +
             kDashes + kEquals + "INDEX=000003 \r\n" + kDashes + "\tT3\r\n" + entries},
    };
    for (const Case& c : cases) {
        FrameStore store;
        std::vector<int32_t> indexes;
        for (const FrameRecord& r : c.frames) {
            Add(store, r);
            indexes.push_back(r.Index());
        }
        FakeDetails details;
        details.broken = c.broken;
        Export e = ExportToFile(store, c.options, details);
        ASSERT_TRUE(e.ok) << c.name;
        EXPECT_EQ(e.text, c.expected) << c.name;
        EXPECT_EQ(details.asked, indexes) << c.name;
        ASSERT_EQ(details.optionsSeen.size(), indexes.size()) << c.name;
        for (const DisplayOptions& seen : details.optionsSeen) EXPECT_EQ(seen, c.options) << c.name;
    }
}

TEST(ListExportWrites, WriteErrorIsReported) {
    FrameStore store;
    Add(store, HexFrame(kSabme, FrameRecord::kTx, 1));
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
        Add(store, HexFrame(rx ? kUa : kSabme, rx ? FrameRecord::kRx : FrameRecord::kTx, i));
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
