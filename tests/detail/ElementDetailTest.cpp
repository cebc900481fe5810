// The information element details of call-control messages: the walk, the
// identifier and length lines, and the decoders' fields and states.
#include <gtest/gtest.h>

#include "DetailTestSupport.h"
#include "decode/ElementWalk.h"

using namespace detailtest;

namespace {

constexpr int E = kFirstElement;

std::vector<std::string> Elements(const std::vector<uint8_t>& elements, bool separators = false) {
    return Items(Q931({0x01, 0x01}, 0x05, elements), Names(), true, separators);
}

}  // namespace

TEST(ElementWalkDetail, SingleOctetShiftIsSteppedOverAndTheNextElementDecoded) {
    auto items = Elements({0x96, 0x18, 0x03, 0xA9, 0x83, 0x81}, true);
    EXPECT_EQ(items[E], S("\x10SHIFT\x11" "96\t1001xxxx\t情報要素識別子=ｼﾌﾄ\n\txxxxx110\tｺｰﾄﾞ群識別子=ｺｰﾄﾞ群6\x13"));
    EXPECT_EQ(items[E + 1], S("\x10" "CH+00\x11" "18\t00011000\t情報要素識別子=ﾁｬﾈﾙ識別子\x13"));
    EXPECT_EQ(items[E + 2], S("\x10" "CH+01\x11" "03\t00000011\t内容長=3"));
}

TEST(ElementWalkDetail, SeparatorsOffLeaveNoMark) {
    auto items = Elements({0x96, 0xA1, 0x18, 0x01, 0x83}, false);
    for (const auto& item : items) EXPECT_EQ(item.find('\x13'), std::string::npos) << item;
    EXPECT_EQ(items[E + 1], S("\x10SENDC\x11" "A1\t10100001\t情報要素識別子=0xA1"));
}

TEST(ElementWalkDetail, UnknownElementsAreBareAndSkippedByLength) {
    auto items = Elements({0x28, 0x02, 0x41, 0x42, 0xB5, 0x18, 0x01, 0x83});
    EXPECT_EQ(items[E], "28");
    EXPECT_EQ(items[E + 1], "02");
    EXPECT_EQ(items[E + 3], "42");
    EXPECT_EQ(items[E + 4], "B5");  // single-octet identifiers other than shift and 0xA1
    EXPECT_EQ(items[E + 5].substr(0, 9), S("\x10" "CH+00\x11" "18"));
}

TEST(ElementWalkDetail, LocateElementGivesKindAndOffset) {
    FrameRecord r = Q931({0x01, 0x01}, 0x05, {0x9E, 0x6C, 0x02, 0x21, 0x83, 0x70, 0x01});
    auto at = [&](int p) { return ElementWalk::LocateElement(r, p); };
    EXPECT_EQ(at(E).kind, ElementWalk::kShift);
    EXPECT_EQ(at(E).identifier, 0x90);
    EXPECT_EQ(at(E + 3).kind, ElementWalk::kCallingNumber);
    EXPECT_EQ(at(E + 3).offset, 2);
    EXPECT_EQ(at(E + 5).kind, ElementWalk::kCalledNumber);
    EXPECT_EQ(at(E + 6).offset, 1);
}

TEST(ChannelDetail, PrimaryRateByNumber) {
    auto items = Elements({0x18, 0x04, 0xA9, 0x83, 0x81, 0x82});
    EXPECT_EQ(items[E + 2], S("\x10" "CH+02\x11" "A9\t"
                              "x0xxxxxx\tInt id=明示なし\n\t"
                              "xx1xxxxx\tInt type=一次群\n\t"
                              "xxxx1xxx\tPre/Excl=専用\n\t"
                              "xxxxx0xx\tD-ch ind=Dでない\n\t"
                              "xxxxxx01\t情報ﾁｬﾈﾙ選択=B1"));
    EXPECT_EQ(items[E + 3], S("\x10" "CH+03\x11" "83\t"
                              "x00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\t"
                              "xxx0xxxx\t番号/ﾏｯﾌﾟ識別=番号\n\t"
                              "xxxx0011\tﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=Bch"));
    EXPECT_EQ(items[E + 4], S("\x10" "CH+04\x11" "81\tx0000001\tﾁｬﾈﾙ番号=1"));
    // Bit 8 of the channel number ended the channels.
    EXPECT_EQ(items[E + 5], S("\x10" "CH+05\x11" "82\t"));
}

TEST(ChannelDetail, ChannelNumbersContinueWhileBit8IsClear) {
    auto items = Elements({0x18, 0x04, 0xA9, 0x83, 0x01, 0x97});
    EXPECT_EQ(items[E + 4], S("\x10" "CH+04\x11" "01\tx0000001\tﾁｬﾈﾙ番号=1"));
    EXPECT_EQ(items[E + 5], S("\x10" "CH+05\x11" "97\tx0010111\tﾁｬﾈﾙ番号=23"));
}

TEST(ChannelDetail, BChannelSlotMap) {
    auto items = Elements({0x18, 0x06, 0xA1, 0x93, 0x00, 0x00, 0x05, 0x77});
    EXPECT_EQ(items[E + 3], S("\x10" "CH+03\x11" "93\t"
                              "x00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\t"
                              "xxx1xxxx\t番号/ﾏｯﾌﾟ識別=ﾏｯﾌﾟ\n\t"
                              "xxxx0011\tﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=Bch"));
    EXPECT_EQ(items[E + 4], S("\x10" "CH+04\x11" "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[17][18][19][20][21][22][23][24]"));
    EXPECT_EQ(items[E + 5], S("\x10" "CH+05\x11" "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[9]0x020x040x080x100x200x40[16]"));
    EXPECT_EQ(items[E + 6], S("\x10" "CH+06\x11" "05\t00000101\tｽﾛｯﾄﾏｯﾌﾟ=使用[1][3]未使用[2][4][5][6][7][8]"));
    EXPECT_EQ(items[E + 7], S("\x10" "CH+07\x11" "77\t"));
}

TEST(ChannelDetail, H0AndH11Maps) {
    MessageCatalogue c = Catalogue(
        "IF_CHIDT33A:\n0xFF=\"U\"\n0x00=\"N\"\n0x01=\"a\"\n0x02=\"b\"\n0x04=\"c\"\n0x08=\"d\"\n"
        "IF_CHIDT33B:\n0xFF=\"U\"\n0x00=\"N\"\n0x01=\"h\"\n");
    auto h0 = Items(Q931({0x01, 0x01}, 0x05, {0x18, 0x03, 0xA1, 0x96, 0xF5}), c);
    EXPECT_EQ(h0[E + 4], S("\x10" "CH+04\x11" "F5\txxxx0101\tｽﾛｯﾄﾏｯﾌﾟ=UacNbd"));
    auto h11 = Items(Q931({0x01, 0x01}, 0x05, {0x18, 0x04, 0xA1, 0x98, 0x80, 0x01}), c);
    EXPECT_EQ(h11[E + 4], S("\x10" "CH+04\x11" "80\txxxxxxx0\tｽﾛｯﾄﾏｯﾌﾟ=Nh"));
    EXPECT_EQ(h11[E + 5], S("\x10" "CH+05\x11" "01\t"));
}

TEST(ChannelDetail, InterfaceIdentifierStopsTheFields) {
    auto items = Elements({0x18, 0x04, 0xE9, 0x01, 0x83, 0x81});
    EXPECT_NE(items[E + 2].find(S("Int id=明示\n")), std::string::npos) << items[E + 2];
    EXPECT_EQ(items[E + 3], S("\x10" "CH+03\x11" "01\t"));
    EXPECT_EQ(items[E + 4], S("\x10" "CH+04\x11" "83\t"));
    EXPECT_EQ(items[E + 5], S("\x10" "CH+05\x11" "81\t"));
}

TEST(ChannelDetail, VariantWithInterfaceIdentifierReadsTheNextOctetAsType) {
    MessageCatalogue c = Catalogue(
        "IF_BCI3:\n0x40=\"ID\"\n0xDF=\"BRI\"\n0x02=\"s2\"\n0xFE=\"n1\"\n"
        "IF_BCI32:\n0x00=\"CCITT\"\n0x10=\"MAP\"\n0x03=\"B\"\n"
        "IF_CHIDT331:\n0x00-0xFF=\"m\"\n");
    auto items = Items(Q931({0x01, 0x01}, 0x05, {0x03, 0x05, 0xC2, 0x01, 0x93, 0x00, 0x00}), c);
    EXPECT_EQ(items[E], S("\x10" "CI+00\x11" "03\t00000011\t情報要素識別子=0x03"));
    EXPECT_EQ(items[E + 2], S("\x10" "CI+02\x11" "C2\tx1xxxxxx\tInt id=ID\n\txx0xxxxx\tInt type=BRI\n\t"
                              "xxxxxx1x\t情報ﾁｬﾈﾙ選択=s2\n\txxxxxxx0\t情報ﾁｬﾈﾙ選択=n1"));
    EXPECT_EQ(items[E + 3], S("\x10" "CI+03\x11" "01\t"));
    EXPECT_EQ(items[E + 4], S("\x10" "CI+04\x11" "93\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\t"
                              "xxx1xxxx\tﾏｯﾌﾟ=MAP\n\txxxx0011\tﾏｯﾌﾟ要素ﾀｲﾌﾟ=B"));
    EXPECT_EQ(items[E + 5], S("\x10" "CI+05\x11" "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=mmmmmmmmm"));
}

TEST(BearerDetail, OctetsThreeToFiveAndTheLaterLayers) {
    auto items = Elements({0x04, 0x05, 0x80, 0x90, 0xA3, 0xC2, 0xE6, 0x27});
    EXPECT_EQ(items[E + 2], S("\x10" "BC+02\x11" "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx00000\t情報転送能力=音声"));
    EXPECT_EQ(items[E + 3], S("\x10" "BC+03\x11" "90\tx00xxxxx\t転送ﾓｰﾄﾞ=回線\n\txxx10000\t情報転送速度=64k"));
    EXPECT_EQ(items[E + 4], S("\x10" "BC+04\x11" "A3\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00011\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=A則"));
    EXPECT_EQ(items[E + 5], S("\x10" "BC+05\x11" "C2\tx10xxxxx\tﾚｲﾔ識別=ﾚｲﾔ2\n\txxx00010\tﾕｰｻﾞ情報ﾚｲﾔ2ﾌﾟﾛﾄｺﾙ=Q.921"));
    EXPECT_EQ(items[E + 6], S("\x10" "BC+06\x11" "E6\tx11xxxxx\tﾚｲﾔ識別=ﾚｲﾔ3\n\txxx00110\tﾕｰｻﾞ情報ﾚｲﾔ3ﾌﾟﾛﾄｺﾙ=0x06"));
    // Beyond the element's length: the next octet begins a new element.
    EXPECT_EQ(items[E + 7], "27");
}

TEST(BearerDetail, Octet5WithBit8ClearEndsTheFields) {
    auto items = Elements({0x04, 0x06, 0x88, 0x90, 0x21, 0x8F, 0xC2, 0xE6});
    EXPECT_EQ(items[E + 4], S("\x10" "BC+04\x11" "21\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00001\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=0x01"));
    EXPECT_EQ(items[E + 5], S("\x10" "BC+05\x11" "8F\t"));
    EXPECT_EQ(items[E + 6], S("\x10" "BC+06\x11" "C2\t"));
    EXPECT_EQ(items[E + 7], S("\x10" "BC+07\x11" "E6\t"));
}

TEST(BearerDetail, Octets4aAnd4bAndALayerOctetWithoutLayer) {
    auto items = Elements({0x04, 0x05, 0x88, 0x10, 0x00, 0x80, 0x81});
    EXPECT_EQ(items[E + 4], S("\x10" "BC+04\x11" "00\t"));  // 4a, bit 8 clear: 4b follows
    EXPECT_EQ(items[E + 5], S("\x10" "BC+05\x11" "80\t"));  // 4b
    EXPECT_EQ(items[E + 6], S("\x10" "BC+06\x11" "81\tx00xxxxx\tﾚｲﾔ識別=0x00\n\txxx00001\t"));
}

TEST(NumberDetail, CallingNumberWithOctet3aAndCharacters) {
    auto items = Elements({0x6C, 0x05, 0x21, 0x83, 0x33, 0x0D, 0xB1});
    EXPECT_EQ(items[E + 2], S("\x10発N02\x11" "21\tx010xxxx\t番号種別=0x20\n\txxxx0001\t番号計画識別子=0x01"));
    EXPECT_EQ(items[E + 3], S("\x10発N03\x11" "83\tx00xxxxx\t表示識別子=0x00\n\txxxxxx11\t網検証識別子=0x03"));
    EXPECT_EQ(items[E + 4], S("\x10発N04\x11" "33\t00110011\t番号='3'"));
    EXPECT_EQ(items[E + 5], S("\x10発N05\x11" "0D\t00001101\t番号='\\r'"));
    EXPECT_EQ(items[E + 6], S("\x10発N06\x11" "B1\t10110001\t番号='･'"));
}

TEST(NumberDetail, CalledNumberShowsOctet3aAsADigit) {
    auto items = Elements({0x70, 0x03, 0x01, 0x80, 0x31});
    EXPECT_EQ(items[E + 2], S("\x10着N02\x11" "01\tx000xxxx\t番号種別=0x00\n\txxxx0001\t番号計画識別子=0x01"));
    EXPECT_EQ(items[E + 3], S("\x10着N03\x11" "80\t10000000\t番号='･'"));
    EXPECT_EQ(items[E + 4], S("\x10着N04\x11" "31\t00110001\t番号='1'"));
}

TEST(CauseDetail, DiagnosticOfCause16) {
    auto items = Elements({0x08, 0x03, 0x80, 0x90, 0x81});
    EXPECT_EQ(items[E + 2], S("\x10" "CA+02\x11" "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxxx0000\t生成源=ﾕｰｻﾞ"));
    EXPECT_EQ(items[E + 3], S("\x10" "CA+03\x11" "90\tx0010000\t理由表示値=正常切断(CV=16)"));
    EXPECT_EQ(items[E + 4], S("\x10" "CA+04\x11" "81\txxxxxx01\t診断情報=診断1"));
}

TEST(CauseDetail, Octet3aIsPassedOverAndCountedWhenFindingTheCause) {
    auto items = Elements({0x08, 0x05, 0x02, 0x80, 0x90, 0x81, 0x01});
    EXPECT_NE(items[E + 2].find(S("生成源=公衆網")), std::string::npos);
    EXPECT_EQ(items[E + 3], S("\x10" "CA+03\x11" "80\t"));
    EXPECT_EQ(items[E + 4], S("\x10" "CA+04\x11" "90\tx0010000\t理由表示値=正常切断(CV=16)"));
    EXPECT_EQ(items[E + 5], S("\x10" "CA+05\x11" "81\txxxxxx01\t診断情報=診断1"));
    // One diagnostic octet only.
    EXPECT_EQ(items[E + 6], S("\x10" "CA+06\x11" "01\t"));
}

TEST(CauseDetail, DiagnosticOfCause98IsAMessageType) {
    auto items = Elements({0x08, 0x03, 0x82, 0xE2, 0x05});
    EXPECT_EQ(items[E + 3], S("\x10" "CA+03\x11" "E2\tx1100010\t理由表示値=ﾒｯｾｰｼﾞ不一致(CV=98)"));
    EXPECT_EQ(items[E + 4], S("\x10" "CA+04\x11" "05\t00000101\t診断情報=SETUP"));
}

TEST(CauseDetail, DiagnosticOfCause102IsATimerNumber) {
    auto items = Elements({0x08, 0x05, 0x80, 0xE6, 0x33, 0x30, 0x31});
    EXPECT_EQ(items[E + 3], S("\x10" "CA+03\x11" "E6\tx1100110\t理由表示値=ﾀｲﾏ満了(CV=102)"));
    EXPECT_EQ(items[E + 4], S("\x10" "CA+04\x11" "33\t00110011\tﾀｲﾏ番号='3'"));
    EXPECT_EQ(items[E + 5], S("\x10" "CA+05\x11" "30\t00110000\tﾀｲﾏ番号='0'"));
    EXPECT_EQ(items[E + 6], S("\x10" "CA+06\x11" "31\t00110001\tﾀｲﾏ番号='1'"));
}

TEST(CauseDetail, WithoutCauseValueOnlyOctet3) {
    auto items = Elements({0x08, 0x01, 0x80, 0xA1});
    EXPECT_EQ(items[E + 2], S("\x10" "CA+02\x11" "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxxx0000\t生成源=ﾕｰｻﾞ"));
    EXPECT_EQ(items[E + 3].substr(0, 6), S("\x10SENDC"));
}

TEST(CauseDetail, CauseSearchStopsAtTheFrameCheckSequence) {
    // The declared length runs past the frame; the octets before the FCS
    // hold only one octet with bit 8 set, so there is no cause value to
    // find. Pick filler octets so that the first FCS octet would look like
    // cause 16 (or another cause with a diagnostic) to a search that ran on.
    for (int x = 0; x < 0x80; ++x) {
        for (int y = 0; y < 0x80; ++y) {
            FrameRecord r = Q931({0x01, 0x01}, 0x05,
                                 {0x08, 0x20, 0x00, 0x90, 0x10, 0x01, static_cast<uint8_t>(x),
                                  static_cast<uint8_t>(y)});
            int fcs = r.ByteAt(r.Length() - 3);
            if (fcs != 0x81 && fcs != 0x83 && fcs != 0x90 && fcs != 0x95 && fcs != 0xB1) continue;
            auto items = Items(r, Names());
            EXPECT_EQ(items[E + 4], S("\x10" "CA+04\x11" "10\tx0010000\t理由表示値=正常切断(CV=16)"));
            EXPECT_EQ(items[E + 5], S("\x10" "CA+05\x11" "01\t"));
            return;
        }
    }
    FAIL() << "no filler gives such an FCS";
}

TEST(CallStateDetail, GlobalCallReferenceUsesTheGlobalSection) {
    auto global = Items(Q931({0x01, 0x00}, 0x7D, {0x14, 0x01, 0x00}), Names());
    EXPECT_EQ(global[E + 2], S("\x10" "CS+02\x11" "00\t00xxxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\t"
                               "xx000000\tｸﾞﾛｰﾊﾞﾙｲﾝﾀｰﾌｪｰｽ状態値=REST0"));
    auto call = Items(Q931({0x01, 0x01}, 0x7D, {0x14, 0x01, 0x0A}), Names());
    EXPECT_EQ(call[E + 2], S("\x10" "CS+02\x11" "0A\t00xxxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txx001010\t呼状態番号=通信中"));
    // A dummy call reference (length 0) is not the global one.
    auto dummy = Items(Q931({0x00}, 0x7D, {0x14, 0x01, 0x00}), Names());
    EXPECT_NE(dummy[E + 1].find(S("呼状態番号=0x00")), std::string::npos) << dummy[E + 1];
}

TEST(UserUserDetail, CharactersAreShownSafely) {
    auto items = Elements({0x7E, 0x05, 0x04, 0x41, 0x0D, 0xB1, 0x09});
    EXPECT_EQ(items[E + 2], S("\x10UU+02\x11" "04\t00000100\tﾌﾟﾛﾄｺﾙ識別子=IA5"));
    EXPECT_EQ(items[E + 3], S("\x10UU+03\x11" "41\t01000001\tﾕｰｻﾞｰ情報='A'"));
    EXPECT_EQ(items[E + 4], S("\x10UU+04\x11" "0D\t00001101\tﾕｰｻﾞｰ情報='\\r'"));
    EXPECT_EQ(items[E + 5], S("\x10UU+05\x11" "B1\t10110001\tﾕｰｻﾞｰ情報='･'"));
    EXPECT_EQ(items[E + 6], S("\x10UU+06\x11" "09\t00001001\tﾕｰｻﾞｰ情報='\\t'"));
}

TEST(PacketModeDetail, PacketSizeWindowSizeAndBinaryParameters) {
    MessageCatalogue c = Catalogue("IF_PB_PRM:\n0x18=\"FS\"\n0xFB=\"-\"\n0x02=\"D\"\n0xFE=\"m8\"\n");
    auto items = Items(Q931({0x01, 0x01}, 0x05,
                            {0x46, 0x02, 0x07, 0x08, 0x45, 0x02, 0x82, 0x07, 0x44, 0x01, 0x92}),
                       c);
    EXPECT_EQ(items[E + 2], S("\x10PS+02\x11" "07\txxxx0111\t着呼ﾕｰｻﾞからのｻｲｽﾞ=128"));
    EXPECT_EQ(items[E + 3], S("\x10PS+03\x11" "08\txxxx1000\t発呼ﾕｰｻﾞからのｻｲｽﾞ=256"));
    EXPECT_EQ(items[E + 6], S("\x10PW+02\x11" "82\tx0000010\t着呼ﾕｰｻﾞからのｻｲｽﾞ=2"));
    EXPECT_EQ(items[E + 7], S("\x10PW+03\x11" "07\tx0000111\t発呼ﾕｰｻﾞからのｻｲｽﾞ=7"));
    EXPECT_EQ(items[E + 10], S("\x10PB+02\x11" "92\txxx10xxx\tﾌｧｽﾄｾﾚｸﾄ=FS\n\txxxxx0xx\t優先ﾃﾞｰﾀ=-\n\t"
                               "xxxxxx1x\t送達確認=D\n\txxxxxxx0\tモジュロ=m8"));
}

TEST(SubaddressDetail, Ia5AndHexadecimalSubaddresses) {
    auto ia5 = Elements({0x71, 0x04, 0x80, 0x50, 0x37, 0x0A});
    EXPECT_EQ(ia5[E + 3], S("\x10着S03\x11" "50\t01010000\tAFIｺｰﾄﾞ=0x50"));
    EXPECT_EQ(ia5[E + 4], S("\x10着S04\x11" "37\t00110111\t着ｻﾌﾞｱﾄﾞﾚｽ='7'"));
    EXPECT_EQ(ia5[E + 5], S("\x10着S05\x11" "0A\t00001010\t着ｻﾌﾞｱﾄﾞﾚｽ='\\n'"));
    auto hex = Elements({0x6D, 0x03, 0x88, 0x51, 0x3C});
    EXPECT_EQ(hex[E + 2], S("\x10発S02\x11" "88\tx000xxxx\tｻﾌﾞｱﾄﾞﾚｽ種別=0x00\n\txxxx1xxx\t偶数／奇数表示=0x08"));
    EXPECT_EQ(hex[E + 4], S("\x10発S04\x11" "3C\t00111100\t発ｻﾌﾞｱﾄﾞﾚｽ=0x3C"));
}

TEST(FeatureDetail, IndicationIdentifierOctetsThenStatus) {
    auto items = Elements({0x39, 0x04, 0x05, 0x86, 0x01, 0x02});
    EXPECT_EQ(items[E + 2], S("\x10" "FI+02\x11" "05\tx0000101\tﾌｨｰﾁｬ識別子番号=5"));
    EXPECT_EQ(items[E + 3], S("\x10" "FI+03\x11" "86\tx0000110\tﾌｨｰﾁｬ識別子番号=6"));
    EXPECT_EQ(items[E + 4], S("\x10" "FI+04\x11" "01\txxxx0001\tﾌｨｰﾁｬ状態表示=0x01"));
    EXPECT_EQ(items[E + 5], S("\x10" "FI+05\x11" "02\txxxx0010\tﾌｨｰﾁｬ状態表示=0x02"));
}

TEST(LayerCompatibilityDetail, HighAndLowLayer) {
    auto items = Elements({0x7D, 0x03, 0x91, 0x01, 0x81, 0x7C, 0x04, 0x08, 0x80, 0x90, 0xA2});
    EXPECT_EQ(items[E + 2], S("\x10HL+02\x11" "91\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=0x00\n\txxx100xx\t解釈法=0x10\n\t"
                              "xxxxxx01\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ表現法=0x01"));
    EXPECT_EQ(items[E + 3], S("\x10HL+03\x11" "01\tx0000001\t高位ﾚｲﾔ特性識別=0x01"));
    EXPECT_EQ(items[E + 4], S("\x10HL+04\x11" "81\tx0000001\t拡張高位ﾚｲﾔ特性識別=0x01"));
    EXPECT_EQ(items[E + 8], S("\x10LL+03\x11" "80\t"));  // octet 3a
    EXPECT_EQ(items[E + 9], S("\x10LL+04\x11" "90\tx00xxxxx\t転送ﾓｰﾄﾞ=0x00\n\txxx10000\t情報転送速度=0x10"));
    EXPECT_EQ(items[E + 10], S("\x10LL+05\x11" "A2\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00010\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=0x02"));
}
