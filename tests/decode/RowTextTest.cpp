#include "decode/RowText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "tests/support/TestSupport.h"
#include "options/OptionData.h"

using namespace testsupport;

namespace {

const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue(
        "AF_SAPI:\n0x00=\"CC\"\n"
        "AF_TEI:\n0x00=\"T0\"\n"
        "AF_UCR:\n0x00=\"CMD\"\n0x02=\"RSP\"\n"
        "CF_FRAME:\n0x00=\"I\"\n0x01=\"RR\"\n0x03=\"UI\"\n"
        "IF_L2MG_MSG:\n0x01=\"ID要求\"\n"
        "IF_MESSAGE:\n0x05=\"SETUP\"\n"
        "IF_X25_PTYPE:\n0x00=\"CALL REQUEST,発呼要求\"\n"
        "CRC:\n0x00=\"OK\"\n0x01=\"NG\"\n");
    return c;
}

std::string Row(const FrameRecord& r, const DisplayOptions& o, bool fcsGood = true) {
    std::string text;
    RowText::BuildRowText(r, text, o, fcsGood, Names());
    return text;
}

// The octets as the data column writes them, `perLine` to a line.
std::string Hex(const FrameRecord& r, size_t perLine = 0) {
    std::string out;
    for (size_t i = 0; i < r.Length(); ++i) {
        if (perLine && i && i % perLine == 0) out += "\n";
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X ", r.ByteAt(i));
        out += buf;
    }
    return out;
}

FrameRecord Numbered(FrameRecord r, int32_t index = 1) {
    r.SetIndex(index);
    TimeStamp t;
    t.Set(1, 2, 3, 4);
    r.SetTime(t);
    return r;
}

FrameRecord SetupFrame() {
    return Numbered(Q931Frame(0x05, {0x04, 0x03, 0x80, 0x90, 0xA3, 0x18, 0x03, 0xA9, 0x83, 0x81,
                                0x6C, 0x06, 0x21, 0x80, '1', '2', '3', '4',
                                0x70, 0x04, 0xA1, '5', '6', '7'}));
}

}  // namespace

TEST(RowTextColumns, DefaultOrderOnASetup) {
    FrameRecord r = SetupFrame();
    std::string expected = Sjis(
        "INDEX=000001 TIME=01:02:03.004 [I] \n"
        "-SETUP- 呼番号=1 CH=1 \n"
        "着番号=\"567\" 発番号=\"1234\" \n") + Hex(r, 16);
    EXPECT_EQ(Row(r, OptionData::DefaultDisplayOptions()), expected);
}

TEST(RowTextColumns, EveryIdInTableOrder) {
    FrameRecord r = SetupFrame();
    std::string all = Row(r, Columns({0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 8}));
    EXPECT_EQ(all, Sjis("C/R=CMD CRC=OK INDEX=000001 SAPI=CC TEI=T0 [I] TIME=01:02:03.004 CH=1 "
                        "-SETUP- 呼番号=1 発番号=\"1234\" 着番号=\"567\" ") + Hex(r));
    // Ids outside 0..13 produce nothing.
    EXPECT_EQ(Row(r, Columns({2, 14, -2, 99, 6})), "INDEX=000001 TIME=01:02:03.004 ");
}

TEST(RowTextColumns, FailedFrameCheckShowsOnlyCrcIndexTimeAndData) {
    FrameRecord r = SetupFrame();
    std::string row = Row(r, Columns({0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 8}), false);
    EXPECT_EQ(row, "CRC=NG INDEX=000001 TIME=01:02:03.004 \n" + Hex(r));
}

TEST(RowTextColumns, Layer3ItemsFollowSapiAndFormat) {
    auto items = Columns({9, 10, 7, 11, 12});
    // X.25 on SAPI 16 whose octets look like Q.931 elements: only the packet text.
    FrameRecord x25 = FcsFrame({0x40, 0x01, 0x00, 0x00, 0x10, 0x01, 0x0B, 0x18, 0x03, 0xA9, 0x83,
                             0x81, 0x6C, 0x02, 0xA1, '9', 0x70, 0x02, 0xA1, '8'});
    EXPECT_EQ(Row(x25, items), Sjis("-発呼要求- "));
    // TEI management on SAPI 63 (a UI frame without layer 3).
    FrameRecord tei = FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF});
    EXPECT_EQ(Row(tei, items), Sjis("-ID要求- "));
    // SAPI 0 UI frame: layer 3 with its message type.
    FrameRecord ui = FcsFrame({0x00, 0x01, 0x03, 0x08, 0x01, 0x01, 0x05});
    EXPECT_EQ(Row(ui, items), Sjis("-SETUP- 呼番号=1 "));
    // Supervision frames and I frames of other SAPIs show nothing.
    EXPECT_EQ(Row(FcsFrame({0x00, 0x01, 0x01, 0x01}), items), "");
    EXPECT_EQ(Row(FcsFrame({0x08, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05}), items), "");
}

TEST(RowTextLines, DataSplit) {
    FrameRecord twenty = Numbered(FcsFrame(std::vector<uint8_t>(16, 0xAB)));
    ASSERT_EQ(twenty.Length(), 20u);
    std::string row = Row(twenty, Columns({2, 13, 8}, 8));
    EXPECT_EQ(row, "INDEX=000001 \n" + Hex(twenty, 8));
    EXPECT_EQ(std::count(row.begin(), row.end(), '\n'), 3);
    EXPECT_EQ(row.substr(row.rfind('\n') + 1).size(), 12u);  // the last line holds 4 octets
    // k * s octets give k lines; one more octet a further line.
    FrameRecord sixteen = FcsFrame(std::vector<uint8_t>(12, 0x11));
    std::string two = Row(sixteen, Columns({8}, 8));
    EXPECT_EQ(two, Hex(sixteen, 8));
    EXPECT_EQ(std::count(two.begin(), two.end(), '\n'), 1);
    EXPECT_EQ(two.back(), ' ');
    FrameRecord seventeen = FcsFrame(std::vector<uint8_t>(13, 0x11));
    EXPECT_EQ(Row(seventeen, Columns({8}, 16)), Hex(seventeen, 16));
    EXPECT_EQ(Row(seventeen, Columns({8}, 32)), Hex(seventeen));
    // A stored split that the dialog never writes.
    EXPECT_EQ(Row(seventeen, Columns({8}, 5)), Hex(seventeen, 5));
    EXPECT_EQ(Row(seventeen, Columns({8}, -8)), Hex(seventeen));
}

TEST(RowTextLines, LineBreaks) {
    FrameRecord r = SetupFrame();
    EXPECT_EQ(Row(r, Columns({2, 13})), "INDEX=000001 \n");
    EXPECT_EQ(Row(r, Columns({13, 13, 2, 13, 13, 6})), "INDEX=000001 \nTIME=01:02:03.004 ");
    EXPECT_EQ(Row(r, Columns({})), "");
    EXPECT_EQ(Row(r, Columns({-1, 2})), "");
    // An empty item after the last break: the trailing line feed goes.
    EXPECT_EQ(Row(r, Columns({2, 13, 0}), false), "INDEX=000001 ");
    EXPECT_EQ(Row(r, Columns({2, 13, 0, 13}), false), "INDEX=000001 \n");
    // All fifty slots used.
    DisplayOptions full = Columns({});
    full.columnOrder.fill(2);
    std::string row = Row(r, full);
    EXPECT_EQ(row.size(), 50u * 13);
}

TEST(RowTextLines, RulesLookOnlyAtThisRow) {
    FrameRecord r = SetupFrame();
    std::string text = "earlier\n";
    RowText::BuildRowText(r, text, Columns({13, 2, 13, 0}), false, Names());
    EXPECT_EQ(text, "earlier\nINDEX=000001 ");
    text = "abc";
    RowText::BuildRowText(r, text, Columns({2}), true, Names());
    EXPECT_EQ(text, "abcINDEX=000001 ");
}

TEST(RowTextBadInput, RandomFramesOfEveryLength) {
    std::mt19937 rng(11);
    DisplayOptions all = Columns({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
    for (size_t n = 0; n <= 300; ++n) {
        for (int round = 0; round < 20; ++round) {
            std::vector<uint8_t> bytes(n);
            for (auto& b : bytes) b = static_cast<uint8_t>(rng());
            // Every other frame gets a structure the decoders go deeper into.
            if (round % 2 && n > 10) {
                bytes[1] = (rng() % 2) ? 0x00 : 0x40;
                bytes[2] = 0x01;
                bytes[5] = 0x08;
            }
            FrameRecord r(static_cast<uint8_t>(round % 2));
            r.SetBytes(bytes.data(), bytes.size());
            for (bool fcsGood : {true, false}) {
                std::string row = Row(r, all, fcsGood);
                ASSERT_TRUE(row.empty() || row.front() != '\n');
                ASSERT_EQ(row.back(), '\n');
                for (unsigned char c : row) ASSERT_TRUE(c == '\n' || c >= 0x20) << n;
                ASSERT_NE(row.find(Hex(r)), std::string::npos);
                ASSERT_EQ(row.find("\n\n"), std::string::npos);
            }
            // The same with a correct FCS around the random body.
            FrameRecord good = FcsFrame(bytes, static_cast<uint8_t>(round % 2));
            ASSERT_EQ(good.CheckCrc(), n > 0);
            std::string row = Row(good, Columns({7, 9, 10, 11, 12}, 8), true);
            for (unsigned char c : row) ASSERT_TRUE(c >= 0x20);
        }
    }
}
