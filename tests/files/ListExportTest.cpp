// The frame list's text export: rows, RX indentation, separator lines, the
// detail entries of every frame, write errors.
#include <gtest/gtest.h>

#include <new>
#include <set>

#include "files/ListExport.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

const std::string kEquals = std::string(79, '=') + "\r\n", kDashes = std::string(79, '-') + "\r\n";
const std::string kEntries = "\tT\r\nAF+00\t00\t000000xx\tSAPI=A\r\n\t\txxxxxx0x\tC/R=B\r\n";
// SABME from the user side, UA from the network side, the SABME with its FCS damaged.
constexpr const char *kSabme = "7E 00 01 7F 64 54 7E", *kUa = "7E 02 01 73 B0 2B 7E", *kBad = "7E 00 01 7F 64 55 7E";

DisplayOptions Options(std::initializer_list<int32_t> ids, bool detail, bool indent = false) {
    DisplayOptions o = Columns(ids);
    o.exportDetail = detail;
    o.indent = indent;
    return o;
}

// The same two entries for every frame; frames listed in `broken` have no detail.
class FakeDetails : public DetailSource {
public:
    bool Build(const FrameRecord& record, const DisplayOptions& options, std::vector<std::string>& entries) override {
        optionsSeen.push_back(options);
        entries = {"stale"};  // the export must not use entries of a failed build
        if (broken.count(record.Index())) return false;
        entries = {"\x12" "T", "\x10" "AF+00" "\x11" "00\t000000xx\tSAPI=A\n\txxxxxx0x\tC/R=B"};
        return true;
    }
    std::vector<DisplayOptions> optionsSeen;
    std::set<int32_t> broken;
};

// The export of the frames written to a file; ok is its result.
std::string Exported(const std::vector<FrameRecord>& frames, const DisplayOptions& options, DetailSource& details, bool& ok) {
    FrameStore store;
    for (FrameRecord r : frames) store.Add(r, false);
    const MessageCatalogue names = Catalogue("AF_SAPI:\n0x00=\"呼制御\"\n");
    return Written([&](int fd) { return ListExport::ExportList(store, options, names, details, fd); }, ok);
}

}  // namespace

TEST(ListExport, RowsSeparatorsAndDetails) {
    struct Case {
        const char* name; std::vector<FrameRecord> frames; DisplayOptions options; std::string expected; std::set<int32_t> broken = {};
    };
    const Case cases[] = {
        {"details off: the rows; every line of an RX row starts with a TAB",
         {HexFrame(kSabme, FrameRecord::kTx, 1), HexFrame(kUa, FrameRecord::kRx, 2)}, Options({2, 13}, false),
         "INDEX=000001 \r\n\r\n\tINDEX=000002 \r\n\t\r\n"},
        {"an empty store writes nothing", {}, Options({2}, true), ""},
        {"rows use the frame check and the given catalogue",
         {HexFrame(kSabme, FrameRecord::kTx, 0), HexFrame(kBad, FrameRecord::kTx, 1)}, Options({3, 2}, false),
         Sjis("SAPI=呼制御 ") + "INDEX=000000 \r\nINDEX=000001 \r\n"},
        {"every frame has its equals line, row, dashes and entries, a damaged or empty one too",
         {HexFrame(kBad, FrameRecord::kTx, 5), HexFrame("7E 7E", FrameRecord::kRx, 6)}, Options({2}, true),
         kEquals + "INDEX=000005 \r\n" + kDashes + kEntries + kEquals + "\tINDEX=000006 \r\n" + kDashes + kEntries},
        {"entries follow the snapshot's indent", {HexFrame(kSabme, FrameRecord::kTx, 5)}, Options({2}, true, true),
         kEquals + "INDEX=000005 \r\n" + kDashes + "\tT\r\nAF+00\t00\t000000xx\tSAPI\t\t\tA\r\n\t\txxxxxx0x\tC/R\t\t\tB\r\n"},
        {"a detail that cannot be built leaves only its dashes",
         {HexFrame(kSabme, FrameRecord::kTx, 1), HexFrame(kSabme, FrameRecord::kTx, 2)}, Options({2}, true),
         kEquals + "INDEX=000001 \r\n" + kDashes + kEntries + kEquals + "INDEX=000002 \r\n" + kDashes, {2}},
    };
    for (const Case& c : cases) {
        FakeDetails details;
        details.broken = c.broken;
        bool ok = false;
        EXPECT_EQ(Exported(c.frames, c.options, details, ok), c.expected) << c.name;
        EXPECT_TRUE(ok) << c.name;
        // Each frame's detail is built with the snapshot of the options, only when details are on.
        EXPECT_TRUE(details.optionsSeen == std::vector<DisplayOptions>(c.options.exportDetail ? c.frames.size() : 0, c.options)) << c.name;
        // A write that fails is reported.
        EXPECT_EQ(WithFileSizeLimit(10, [&] { Exported(c.frames, c.options, details, ok); return ok; }), c.expected.empty());
    }
}

TEST(ListExport, ManyFramesStayInOrderAndAFailingDetailEndsTheExport) {
    // Entries that name their frame, some frames without detail; the source
    // runs out of memory at frame failAt.
    struct IndexedDetails : DetailSource {
        explicit IndexedDetails(int32_t at) : failAt(at) {}
        bool Build(const FrameRecord& record, const DisplayOptions&, std::vector<std::string>& entries) override {
            if (record.Index() == failAt) throw std::bad_alloc();
            entries = {"E=" + std::to_string(record.Index()), "\x12" "T"};
            return record.Index() % 97 != 3;
        }
        int32_t failAt;
    };
    std::vector<FrameRecord> frames;
    std::string expected;
    // Enough frames for the ring of chunks to go round more than twice.
    for (int32_t i = 0; i < 3000; ++i) {
        const bool rx = i % 3 == 0;
        frames.push_back(HexFrame(kSabme, rx ? FrameRecord::kRx : FrameRecord::kTx, i));
        expected += kEquals + (rx ? "\t" : "") + Sjis("SAPI=呼制御 ") + "\r\n" + kDashes;
        if (i % 97 != 3) expected += "E=" + std::to_string(i) + "\r\n\tT\r\n";
    }
    IndexedDetails whole(-1), failing(2500);
    bool ok = false;
    EXPECT_EQ(Exported(frames, Options({3}, true), whole, ok), expected);
    EXPECT_TRUE(ok);
    const std::string out = Exported(frames, Options({3}, true), failing, ok);
    EXPECT_FALSE(ok);
    EXPECT_LT(out.size(), expected.size());
    EXPECT_EQ(out, expected.substr(0, out.size()));
    // A write that fails past the first full buffer is reported too.
    EXPECT_FALSE(WithFileSizeLimit(1000, [&] { Exported(frames, Options({3}, true), whole, ok); return ok; }));
}
