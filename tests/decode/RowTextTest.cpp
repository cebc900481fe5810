// The frame list's row text and the row heights that follow it.
#include "decode/RowText.h"

#include <gtest/gtest.h>

#include "decode/RowHeights.h"
#include "tests/support/DetailSupport.h"

using namespace testsupport;

namespace {

// A SETUP with bearer capability, channel 1, calling 1234 and called 567.
constexpr const char* kSetup =
    "7E 00 01 00 00 08 01 01 05 04 03 80 90 A3 18 03 A9 83 81 6C 06 21 80 31 32 33 34 70 04 A1 35 36 37 1C FA 7E";

std::string Row(const FrameRecord& r, const DisplayOptions& o, bool fcsGood = true, std::string text = {}) {
    RowText::BuildRowText(r, text, o, fcsGood, Names());
    return text;
}

const DisplayOptions kIndexThenData = Columns({RowText::kIndex, RowText::kLineBreak, RowText::kData}, 8);

}  // namespace

TEST(RowText, ItemsSeparatorsAndLineBreaks) {
    const FrameRecord setup = HexFrame(kSetup, FrameRecord::kTx, 1, 1, 2, 3, 4);
    const std::string data = std::string(kSetup) + " ";
    const DisplayOptions layer3 = Columns({9, 10, 7, 11, 12});
    const std::tuple<FrameRecord, DisplayOptions, bool, std::string> cases[] = {
        {setup, Columns({0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 8}), true,
         S("C/R=ｺﾏﾝﾄﾞ CRC=OK INDEX=000001 SAPI=呼制御 TEI=固定 [I] TIME=01:02:03.004 CH=1 -SETUP- 呼番号=1 "
           "発番号=\"1234\" 着番号=\"567\" ") + data},
        // A failed frame check leaves CRC, INDEX, time and data.
        {setup, Columns({0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 8}), false,
         "CRC=NG INDEX=000001 TIME=01:02:03.004 \n" + data},
        {setup, Columns({2, 14, -2, 99, 6}), true, "INDEX=000001 TIME=01:02:03.004 "},
        {setup, Columns({2, 13}), true, "INDEX=000001 \n"}, {setup, Columns({8}, -8), true, data},
        {setup, Columns({13, 13, 2, 13, 13, 6}), true, "INDEX=000001 \nTIME=01:02:03.004 "},
        {setup, Columns({}), true, ""}, {setup, Columns({-1, 2}), true, ""},
        {setup, Columns({2, 13, 0}), false, "INDEX=000001 "},
        {setup, Columns({2, 13, 0, 13}), false, "INDEX=000001 \n"},
        // k * s octets make k lines; a split the dialog never writes.
        {setup, Columns({8}, 12), true,
         "7E 00 01 00 00 08 01 01 05 04 03 80 \n90 A3 18 03 A9 83 81 6C 06 21 80 31 \n"
         "32 33 34 70 04 A1 35 36 37 1C FA 7E "},
        // The layer-3 items follow SAPI and format: X.25 octets that look like elements show no channel or number.
        {X25Frame({0x10, 0x01, 0x0B, 0x18, 0x03, 0xA9, 0x83, 0x81, 0x6C, 0x02, 0xA1, '9', 0x70, 0x02, 0xA1, '8'}),
         layer3, true, S("-発呼要求- ")},
        {FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}), layer3, true, S("-ID要求- ")},
        {FcsFrame({0x00, 0x01, 0x13, 0x08, 0x01, 0x01, 0x05, 0x6C, 0x02, 0xA1, '9'}), layer3, true,
         S("-SETUP- 呼番号=1 発番号=\"9\" ")},
        {FcsFrame({0x00, 0x01, 0x01, 0x01}), layer3, true, ""},  // RR, and an I frame of SAPI 2
        {FcsFrame({0x08, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05}), layer3, true, ""},
    };
    for (const auto& [frame, options, fcsGood, expected] : cases) EXPECT_EQ(Row(frame, options, fcsGood), expected);
    // The rules look only at this row's part of the text.
    EXPECT_EQ(Row(setup, Columns({13, 2, 13, 0}), false, "earlier\n"), "earlier\nINDEX=000001 ");
    EXPECT_EQ(Row(setup, Columns({2}), true, "abc"), "abcINDEX=000001 ");
}

TEST(RowHeights, LineCountsAndRunningTotals) {
    EXPECT_EQ(RowHeights::LineCount(Octets(1, 18), kIndexThenData), 4);  // 20 bytes: 8, 8, 4
    EXPECT_EQ(RowHeights::LineCount(Octets(1, 15), kIndexThenData), 4);  // 17 bytes: 8, 8, 1
    EXPECT_EQ(RowHeights::LineCount(Octets(1, 18), Columns({})), 1);
    RowHeights h;
    EXPECT_EQ(h.LinesBefore(3), 3);  // rows past the end count one line
    for (int lines : {1, 4, 2, 3}) h.Append(lines);
    EXPECT_EQ(std::tuple(h.LinesBefore(2), h.LinesBefore(6)), std::tuple(5, 12));
    h.DropFront(1);  // 4, 2, 3
    EXPECT_EQ(std::tuple(h.LinesBefore(1), h.TotalLines()), std::tuple(4, 9));
    h.Append(2);
    EXPECT_EQ(h.LinesBefore(4), 11);
    h.Append(70000);  // a height is kept in 16 bits, and at least one line
    h.Append(0);
    EXPECT_EQ(std::tuple(h.LinesBefore(5), h.TotalLines()), std::tuple(11 + 0xFFFF, 11 + 0xFFFF + 1));
    h.DropFront(9);  // more than it holds
    EXPECT_EQ(h.LinesBefore(1), h.TotalLines() + 1);
}
