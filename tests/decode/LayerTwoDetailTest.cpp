#include <cstdio>
// The detail of the layer-2 fields, the TEI management information and the
// layer-3 header, with the titles and icons switched on and off.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/DetailSupport.h"
#include "decode/DetailDecoder.h"
#include "decode/DetailItem.h"

using namespace testsupport;

namespace {

std::vector<std::string> Build(const FrameRecord& r, bool titles, bool icons) {
    return Items(r, Names(), icons, false, titles);
}

std::string Hex(int octet) {
    char s[8];
    std::snprintf(s, sizeof s, "%02X", octet);
    return s;
}

std::string Pattern(int octet) {
    std::string s;
    DetailItem::AppendPattern(s, static_cast<uint8_t>(octet), 0xFF);
    return s;
}

bool IsTitle(const std::string& item) { return !item.empty() && item[0] == 0x12; }

}  // namespace

TEST(LayerTwoDetail, SabmeCommandWithIconsAndTitles) {
    // SAPI 0, C/R 0, TEI 0, SABME with P set, from the user side.
    FrameRecord r = FcsFrame({0x00, 0x01, 0x7F});
    auto items = Build(r, true, true);
    ASSERT_EQ(items.size(), 7u + 3u);
    EXPECT_EQ(items[0], S("\x10" "Flag\x11" "7E\t01111110\tHDLC flag"));
    EXPECT_EQ(items[1], S("\x12＜＜アドレスフィールド＞＞"));
    EXPECT_EQ(items[2], S("\x10" "AF+00\x11" "00\t000000xx\tSAPI=呼制御\n\txxxxxx0x\tC/R=ｺﾏﾝﾄﾞ"));
    EXPECT_EQ(items[3], S("\x10" "AF+01\x11" "01\t0000000x\tTEI=固定(TEI=0)"));
    EXPECT_EQ(items[4], S("\x12＜＜コントロールフィールド＞＞"));
    EXPECT_EQ(items[5], S("\x10" "CF+00\x11" "7F\t011x1111\tｺﾏﾝﾄﾞ=SABME\n\txxx1xxxx\tﾎﾟｰﾙ=1"));
    EXPECT_EQ(items[6], S("\x12＜＜フレームチェックシーケンス＞＞"));
    int fcs0 = r.ByteAt(4), fcs1 = r.ByteAt(5);
    EXPECT_EQ(items[7], S("\x10" "CRC+0\x11") + Hex(fcs0) + "\t" + Pattern(fcs0) + "\tCRC=OK");
    EXPECT_EQ(items[8], S("\x10" "CRC+1\x11") + Hex(fcs1) + "\t" + Pattern(fcs1) + "\tCRC=OK");
    EXPECT_EQ(items[9], items[0]);
}

TEST(LayerTwoDetail, WrongFcsIsNamedFromTheCrcSection) {
    FrameRecord good = FcsFrame({0x00, 0x01, 0x7F});
    std::vector<uint8_t> bytes(good.Bytes(), good.Bytes() + good.Length());
    bytes[4] ^= 0x01;
    FrameRecord bad;
    bad.SetBytes(bytes.data(), bytes.size());
    auto items = Build(bad, false, false);
    EXPECT_TRUE(items[4].ends_with("\tCRC=NG")) << items[4];
}

TEST(LayerTwoDetail, SapiTwentyShowsBareOctetsWithoutTitles) {
    FrameRecord r = FcsFrame({0x50, 0x01, 0x03});
    auto items = Build(r, true, true);
    ASSERT_EQ(items.size(), r.Length());
    for (size_t p = 0; p < r.Length(); ++p) EXPECT_EQ(items[p], Hex(r.ByteAt(p)));
}

TEST(LayerTwoDetail, ReceiveReadyWithoutInformationFieldBothWays) {
    // RR, N(R) 2, P set, from the user side (a command: "ﾎﾟｰﾙ=").
    FrameRecord r = FcsFrame({0x00, 0x01, 0x01, 0x05});
    auto items = Build(r, true, true);
    std::vector<std::string> titles;
    for (const auto& item : items)
        if (IsTitle(item)) titles.push_back(item);
    EXPECT_EQ(titles, (std::vector<std::string>{S("\x12＜＜アドレスフィールド＞＞"),
                                                 S("\x12＜＜コントロールフィールド＞＞"),
                                                 S("\x12＜＜フレームチェックシーケンス＞＞")}));
    auto plain = Build(r, false, true);
    EXPECT_EQ(plain[3], S("\x10" "CF+00\x11" "01\txxxx0001\tｺﾏﾝﾄﾞ=RR"));
    EXPECT_EQ(plain[4], S("\x10" "CF+01\x11" "05\t0000010x\t受信ｼｰｹﾝｽ番号=2\n\txxxxxxx1\tﾎﾟｰﾙ=1"));
    // The same from the network side, RX with C/R 0, is a response: "ﾌｧｲﾅﾙ=".
    auto rx = Build(FcsFrame({0x00, 0x01, 0x01, 0x05}, FrameRecord::kRx), false, true);
    EXPECT_EQ(rx[2], S("\x10" "AF+01\x11" "01\t0000000x\tTEI=固定(TEI=0)"));
    EXPECT_TRUE(rx[4].ends_with(S("\tﾌｧｲﾅﾙ=1"))) << rx[4];
    EXPECT_TRUE(rx[1].ends_with(S("C/R=ﾚｽﾎﾟﾝｽ")));
}

TEST(LayerTwoDetail, IconsOffDropsTheTagsOnly) {
    FrameRecord r = Q931Frame({0x02, 0x81, 0x23}, 0x7D, {0x18, 0x03, 0xA9, 0x83, 0x81});
    auto on = Build(r, true, true);
    auto off = Build(r, true, false);
    ASSERT_EQ(on.size(), off.size());
    for (size_t i = 0; i < on.size(); ++i) {
        if (IsTitle(on[i])) {
            EXPECT_EQ(off[i], on[i]);
            continue;
        }
        // Without icons an item starts with the octet's two hex digits.
        EXPECT_TRUE(isxdigit(static_cast<unsigned char>(off[i][0])) &&
                    isxdigit(static_cast<unsigned char>(off[i][1])))
            << i;
        size_t close = on[i].find('\x11');
        ASSERT_NE(close, std::string::npos) << i;
        EXPECT_EQ(off[i], on[i].substr(close + 1)) << i;
    }
}

TEST(LayerTwoDetail, TitlesOffKeepsTheOctetItems) {
    FrameRecord r = Q931Frame({0x01, 0x01}, 0x05, {0xA1, 0x70, 0x02, 0x81, 0x31});
    auto with = Build(r, true, true);
    auto without = Build(r, false, true);
    std::vector<std::string> octets;
    for (const auto& item : with)
        if (!IsTitle(item)) octets.push_back(item);
    EXPECT_EQ(without, octets);
    EXPECT_EQ(without.size(), r.Length());
    EXPECT_EQ(with.size(), r.Length() + 4);  // address, control, information, FCS
}

TEST(LayerTwoDetail, CallReferenceOfTwoOctetsAndOfOne) {
    FrameRecord r = Q931Frame({0x02, 0x81, 0x23}, 0x7D, {});
    auto items = Build(r, false, true);
    EXPECT_EQ(items[3], S("\x10" "CF+00\x11" "00\txxxxxxx0\tｺﾏﾝﾄﾞ=I\n\t0000000x\t送信ｼｰｹﾝｽ番号=0"));
    EXPECT_EQ(items[4], S("\x10" "CF+01\x11" "00\t0000000x\t受信ｼｰｹﾝｽ番号=0\n\txxxxxxx0\tﾎﾟｰﾙ=0"));
    EXPECT_EQ(items[5], S("\x10" "PRTCL\x11" "08\t00001000\tﾌﾟﾛﾄｺﾙ識別子=Q.931"));
    EXPECT_EQ(items[6], S("\x10" "CNLEN\x11" "02\txxxx0010\t呼番号長=2"));
    EXPECT_EQ(items[7], S("\x10" "CN+00\x11" "81\t1xxxxxxx\t呼番号ﾌﾗｸﾞ=着側\n\tx0000001\t呼番号=2ｵｸﾃｯﾄ"));
    EXPECT_EQ(items[8], S("\x10" "CN+01\x11" "23\t00100011\t呼番号=291"));
    EXPECT_EQ(items[9], S("\x10" "MESG\x11" "7D\tx1111101\tﾒｯｾｰｼﾞ種別=STATUS"));
    // A one-octet call reference shows its value.
    EXPECT_EQ(Build(Q931Frame({0x01, 0x85}, 0x05, {}), false, true)[7], S("\x10" "CN+00\x11" "85\t1xxxxxxx\t呼番号ﾌﾗｸﾞ=着側\n\tx0000101\t呼番号=5"));
}

TEST(LayerTwoDetail, UiFrameMessageTypeInsideATwoOctetCallReference) {
    // UI frame: the message type position is information octet 3, which
    // here is the second call reference octet.
    FrameRecord r = FcsFrame({0x00, 0x01, 0x03, 0x08, 0x02, 0x81, 0x23, 0x18, 0x01, 0x83});
    auto items = Build(r, false, true);
    EXPECT_EQ(items[7], S("\x10" "CN+01\x11" "23\t00100011\t呼番号=291"));
    for (const auto& item : items) EXPECT_EQ(item.find("MESG"), std::string::npos) << item;
    // The elements start right after it.
    EXPECT_EQ(items[8].substr(0, 9), S("\x10" "CH+00\x11" "18"));
}

TEST(LayerTwoDetail, UiFrameWithDummyCallReference) {
    // Length 0: information octet 2 is neither call reference nor type.
    FrameRecord r = FcsFrame({0x00, 0x01, 0x03, 0x08, 0x00, 0x55, 0x7B});
    auto items = Build(r, false, true);
    EXPECT_EQ(items[5], S("\x10" "CNLEN\x11" "00\txxxx0000\t呼番号長=0"));
    EXPECT_EQ(items[6], "55");
    EXPECT_EQ(items[7], S("\x10" "MESG\x11" "7B\tx1111011\tﾒｯｾｰｼﾞ種別=INFO"));
}

TEST(LayerTwoDetail, TeiManagementInformation) {
    // SAPI 63, TEI 127, UI; identity request, Ri 0x1234, action indicator 127.
    FrameRecord r = FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF});
    auto items = Build(r, true, true);
    ASSERT_EQ(items.size(), r.Length() + 4);
    EXPECT_EQ(items[3], S("\x10" "AF+01\x11" "FF\t1111111x\tTEI=0x7F(TEI=127)"));
    EXPECT_EQ(items[6], S("\x12＜＜インフォメーションフィールド＞＞"));
    EXPECT_EQ(items[7], S("\x10" "L2+00\x11" "0F\t00001111\tﾏﾈｼﾞﾒﾝﾄｴﾝﾃｨﾃｨ識別子"));
    EXPECT_EQ(items[8], S("\x10" "L2+01\x11" "12\t00010010\t参照番号(Ri)"));
    EXPECT_EQ(items[9], S("\x10" "L2+02\x11" "34\t00110100\t参照番号(Ri)"));
    EXPECT_EQ(items[10], S("\x10" "L2+03\x11" "01\t00000001\tﾒｯｾｰｼﾞ種別=ID要求"));
    EXPECT_EQ(items[11], S("\x10" "L2+04\x11" "FF\t1111111x\t動作表示=任意"));
    for (const auto& item : items) EXPECT_EQ(item.find("PRTCL"), std::string::npos);
}

TEST(LayerTwoDetail, ClassifyOctetFollowsTheFieldOrder) {
    using D = DetailDecoder;
    FrameRecord r = Q931Frame({0x01, 0x01}, 0x05, {0xA1, 0x18, 0x01, 0x83});
    // position, kind, offset
    const std::tuple<int, D::FieldKind, int> expected[] = {
        {0, D::kOpeningFlag, 0}, {2, D::kAddress, 1}, {4, D::kControl, 1}, {5, D::kProtocol, 0},
        {6, D::kCallRefLength, 0}, {7, D::kCallRefValue, 0}, {8, D::kMessageType, 0}, {9, D::kElement, 0},
        {12, D::kElement, 2}, {13, D::kFcs, 0}, {14, D::kFcs, 1}, {15, D::kClosingFlag, 0}};
    for (const auto& [p, kind, offset] : expected) {
        EXPECT_EQ(D::ClassifyOctet(r, p).kind, kind) << p;
        EXPECT_EQ(D::ClassifyOctet(r, p).offset, offset) << p;
    }
    EXPECT_EQ(D::ClassifyOctet(r, 16).kind, D::kUnclassified);
}
