// The information element details of call-control messages: the walk, the
// identifier and length lines, and the decoders' fields and states.
#include <gtest/gtest.h>

#include "tests/support/DetailSupport.h"
#include "decode/ElementWalk.h"

using namespace testsupport;

namespace {

constexpr int E = kFirstElement;

FrameRecord SetupWith(const std::vector<uint8_t>& elements) { return Q931Frame(0x05, elements); }

struct Case {
    const char* name;
    FrameRecord frame;
    const char* tag;  // the element's tag up to the offset digits
    std::vector<Want> items;
    const MessageCatalogue* catalogue = nullptr;
    bool separators = false;
};

void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto items = Items(c.frame, c.catalogue ? *c.catalogue : Names(), true, c.separators);
        ExpectItems(items, E, c.tag, c.items);
    }
}

}  // namespace

TEST(ElementWalkDetail, ShiftUnknownAndSingleOctetElements) {
    RunCases({
        {"a single-octet shift is stepped over, the next element decoded",
         SetupWith({0x96, 0x18, 0x03, 0xA9, 0x83, 0x81}), "CH+",
         {{0, "\x10SHIFT\x11" "96\t1001xxxx\t情報要素識別子=ｼﾌﾄ\n\txxxxx110\tｺｰﾄﾞ群識別子=ｺｰﾄﾞ群6\x13"},
          {1, "\x10" "CH+00\x11" "18\t00011000\t情報要素識別子=ﾁｬﾈﾙ識別子\x13"},
          {2, "\x10" "CH+01\x11" "03\t00000011\t内容長=3"}},
         nullptr, true},
        {"separators off", SetupWith({0x96, 0xA1, 0x18, 0x01, 0x83}), "",
         {{1, "\x10SENDC\x11" "A1\t10100001\t情報要素識別子=0xA1"}}},
        {"unknown elements are bare and skipped by their length",
         SetupWith({0x28, 0x02, 0x41, 0x42, 0xB5, 0x18, 0x01, 0x83}), "",
         {{0, "28"}, {1, "02"}, {3, "42"}, {4, "B5"},  // B5: not shift or 0xA1
          {5, "\x10" "CH+00\x11" "18\t00011000\t情報要素識別子=ﾁｬﾈﾙ識別子"}}},
    });
    for (const auto& item : Items(SetupWith({0x96, 0xA1, 0x18, 0x01, 0x83})))
        EXPECT_EQ(item.find('\x13'), std::string::npos) << item;
}

TEST(ElementWalkDetail, LocateElementGivesIdentifierAndOffset) {
    FrameRecord r = SetupWith({0x9E, 0x6C, 0x02, 0x21, 0x83, 0x70, 0x01});
    auto at = [&](int p) { return ElementWalk::LocateElement(r, p); };
    EXPECT_EQ(at(E).identifier, 0x90);
    EXPECT_EQ(at(E + 3).identifier, 0x6C);
    EXPECT_EQ(at(E + 3).offset, 2);
    EXPECT_EQ(at(E + 5).identifier, 0x70);
    EXPECT_EQ(at(E + 6).offset, 1);
}

TEST(ChannelDetail, NumbersMapsAndInterfaceIdentifiers) {
    static const MessageCatalogue h0h11 = Catalogue(
        "IF_CHIDT33A:\n0xFF=\"U\"\n0x00=\"N\"\n0x01=\"a\"\n0x02=\"b\"\n0x04=\"c\"\n0x08=\"d\"\n"
        "IF_CHIDT33B:\n0xFF=\"U\"\n0x00=\"N\"\n0x01=\"h\"\n");
    static const MessageCatalogue variant = Catalogue(
        "IF_BCI3:\n0x40=\"ID\"\n0xDF=\"BRI\"\n0x02=\"s2\"\n0xFE=\"n1\"\n"
        "IF_BCI32:\n0x00=\"CCITT\"\n0x10=\"MAP\"\n0x03=\"B\"\nIF_CHIDT331:\n0x00-0xFF=\"m\"\n");
    RunCases({
        {"primary rate by number; bit 8 of the channel number ends the channels",
         SetupWith({0x18, 0x04, 0xA9, 0x83, 0x81, 0x82}), "CH+",
         {{2, "A9\tx0xxxxxx\tInt id=明示なし\n\txx1xxxxx\tInt type=一次群\n\t"
              "xxxx1xxx\tPre/Excl=専用\n\txxxxx0xx\tD-ch ind=Dでない\n\txxxxxx01\t情報ﾁｬﾈﾙ選択=B1"},
          {3, "83\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx0xxxx\t番号/ﾏｯﾌﾟ識別=番号\n\t"
              "xxxx0011\tﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=Bch"},
          {4, "81\tx0000001\tﾁｬﾈﾙ番号=1"}, {5, "82\t"}}},
        {"channel numbers continue while bit 8 is clear",
         SetupWith({0x18, 0x04, 0xA9, 0x83, 0x01, 0x97}), "CH+",
         {{4, "01\tx0000001\tﾁｬﾈﾙ番号=1"}, {5, "97\tx0010111\tﾁｬﾈﾙ番号=23"}}},
        {"B channel slot map", SetupWith({0x18, 0x06, 0xA1, 0x93, 0x00, 0x00, 0x05, 0x77}), "CH+",
         {{3, "93\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx1xxxx\t番号/ﾏｯﾌﾟ識別=ﾏｯﾌﾟ\n\t"
              "xxxx0011\tﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=Bch"},
          {4, "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[17][18][19][20][21][22][23][24]"},
          {5, "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[9]0x020x040x080x100x200x40[16]"},
          {6, "05\t00000101\tｽﾛｯﾄﾏｯﾌﾟ=使用[1][3]未使用[2][4][5][6][7][8]"}, {7, "77\t"}}},
        {"H0 map", SetupWith({0x18, 0x03, 0xA1, 0x96, 0xF5}), "CH+",
         {{4, "F5\txxxx0101\tｽﾛｯﾄﾏｯﾌﾟ=UacNbd"}}, &h0h11},
        {"H11 map", SetupWith({0x18, 0x04, 0xA1, 0x98, 0x80, 0x01}), "CH+",
         {{4, "80\txxxxxxx0\tｽﾛｯﾄﾏｯﾌﾟ=Nh"}, {5, "01\t"}}, &h0h11},
        {"an interface identifier stops the fields", SetupWith({0x18, 0x04, 0xE9, 0x01, 0x83, 0x81}),
         "CH+", {{3, "01\t"}, {4, "83\t"}, {5, "81\t"}}},
        {"the variant with an interface identifier reads the next octet as the type",
         SetupWith({0x03, 0x05, 0xC2, 0x01, 0x93, 0x00, 0x00}), "CI+",
         {{0, "03\t00000011\t情報要素識別子=0x03"},
          {2, "C2\tx1xxxxxx\tInt id=ID\n\txx0xxxxx\tInt type=BRI\n\t"
              "xxxxxx1x\t情報ﾁｬﾈﾙ選択=s2\n\txxxxxxx0\t情報ﾁｬﾈﾙ選択=n1"},
          {3, "01\t"},
          {4, "93\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx1xxxx\tﾏｯﾌﾟ=MAP\n\txxxx0011\tﾏｯﾌﾟ要素ﾀｲﾌﾟ=B"},
          {5, "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=mmmmmmmmm"}},
         &variant},
    });
    auto items = Items(SetupWith({0x18, 0x04, 0xE9, 0x01, 0x83, 0x81}));
    EXPECT_NE(items[E + 2].find(S("Int id=明示\n")), std::string::npos) << items[E + 2];
}

TEST(BearerDetail, OctetsAndLayers) {
    RunCases({
        {"octets 3 to 5 and the later layers", SetupWith({0x04, 0x05, 0x80, 0x90, 0xA3, 0xC2, 0xE6, 0x27}),
         "BC+",
         {{2, "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx00000\t情報転送能力=音声"},
          {3, "90\tx00xxxxx\t転送ﾓｰﾄﾞ=回線\n\txxx10000\t情報転送速度=64k"},
          {4, "A3\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00011\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=A則"},
          {5, "C2\tx10xxxxx\tﾚｲﾔ識別=ﾚｲﾔ2\n\txxx00010\tﾕｰｻﾞ情報ﾚｲﾔ2ﾌﾟﾛﾄｺﾙ=Q.921"},
          {6, "E6\tx11xxxxx\tﾚｲﾔ識別=ﾚｲﾔ3\n\txxx00110\tﾕｰｻﾞ情報ﾚｲﾔ3ﾌﾟﾛﾄｺﾙ=0x06"},
          {7, "27"}}},  // beyond the element's length: a new element begins
        {"octet 5 with bit 8 clear ends the fields",
         SetupWith({0x04, 0x06, 0x88, 0x90, 0x21, 0x8F, 0xC2, 0xE6}), "BC+",
         {{4, "21\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00001\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=0x01"},
          {5, "8F\t"}, {6, "C2\t"}, {7, "E6\t"}}},
        {"octets 4a and 4b, a layer octet without layer",
         SetupWith({0x04, 0x05, 0x88, 0x10, 0x00, 0x80, 0x81}), "BC+",
         {{4, "00\t"}, {5, "80\t"}, {6, "81\tx00xxxxx\tﾚｲﾔ識別=0x00\n\txxx00001\t"}}},
    });
}

TEST(NumberDetail, CallingAndCalledNumbers) {
    RunCases({
        {"calling number with octet 3a and characters",
         SetupWith({0x6C, 0x05, 0x21, 0x83, 0x33, 0x0D, 0xB1}), "発N",
         {{2, "21\tx010xxxx\t番号種別=0x20\n\txxxx0001\t番号計画識別子=0x01"},
          {3, "83\tx00xxxxx\t表示識別子=0x00\n\txxxxxx11\t網検証識別子=0x03"},
          {4, "33\t00110011\t番号='3'"}, {5, "0D\t00001101\t番号='\\r'"},
          {6, "B1\t10110001\t番号='･'"}}},
        {"the called number shows octet 3a as a digit", SetupWith({0x70, 0x03, 0x01, 0x80, 0x31}), "着N",
         {{2, "01\tx000xxxx\t番号種別=0x00\n\txxxx0001\t番号計画識別子=0x01"},
          {3, "80\t10000000\t番号='･'"}, {4, "31\t00110001\t番号='1'"}}},
    });
}

TEST(CauseDetail, DiagnosticsAndOctet3a) {
    RunCases({
        {"diagnostic of cause 16", SetupWith({0x08, 0x03, 0x80, 0x90, 0x81}), "CA+",
         {{2, "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxxx0000\t生成源=ﾕｰｻﾞ"},
          {3, "90\tx0010000\t理由表示値=正常切断(CV=16)"}, {4, "81\txxxxxx01\t診断情報=診断1"}}},
        {"octet 3a is passed over and counted; one diagnostic octet only",
         SetupWith({0x08, 0x05, 0x02, 0x80, 0x90, 0x81, 0x01}), "CA+",
         {{3, "80\t"}, {4, "90\tx0010000\t理由表示値=正常切断(CV=16)"},
          {5, "81\txxxxxx01\t診断情報=診断1"}, {6, "01\t"}}},
        {"the diagnostic of cause 98 is a message type", SetupWith({0x08, 0x03, 0x82, 0xE2, 0x05}), "CA+",
         {{3, "E2\tx1100010\t理由表示値=ﾒｯｾｰｼﾞ不一致(CV=98)"}, {4, "05\t00000101\t診断情報=SETUP"}}},
        {"the diagnostic of cause 102 is a timer number",
         SetupWith({0x08, 0x05, 0x80, 0xE6, 0x33, 0x30, 0x31}), "CA+",
         {{3, "E6\tx1100110\t理由表示値=ﾀｲﾏ満了(CV=102)"}, {4, "33\t00110011\tﾀｲﾏ番号='3'"},
          {5, "30\t00110000\tﾀｲﾏ番号='0'"}, {6, "31\t00110001\tﾀｲﾏ番号='1'"}}},
        {"without a cause value only octet 3", SetupWith({0x08, 0x01, 0x80, 0xA1}), "CA+",
         {{2, "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxxx0000\t生成源=ﾕｰｻﾞ"},
          {3, "\x10SENDC\x11" "A1\t10100001\t情報要素識別子=0xA1"}}},
    });
    auto items = Items(SetupWith({0x08, 0x05, 0x02, 0x80, 0x90, 0x81, 0x01}));
    EXPECT_NE(items[E + 2].find(S("生成源=公衆網")), std::string::npos) << items[E + 2];
}

TEST(CauseDetail, CauseSearchStopsAtTheFrameCheckSequence) {
    // The declared length runs past the frame; the octets before the FCS
    // hold only one octet with bit 8 set, so there is no cause value to
    // find. Pick filler octets so that the first FCS octet would look like
    // cause 16 (or another cause with a diagnostic) to a search that ran on.
    for (int x = 0; x < 0x80; ++x) {
        for (int y = 0; y < 0x80; ++y) {
            FrameRecord r = SetupWith({0x08, 0x20, 0x00, 0x90, 0x10, 0x01, static_cast<uint8_t>(x),
                                   static_cast<uint8_t>(y)});
            int fcs = r.ByteAt(r.Length() - 3);
            if (fcs != 0x81 && fcs != 0x83 && fcs != 0x90 && fcs != 0x95 && fcs != 0xB1) continue;
            ExpectItems(Items(r), E, "CA+",
                        {{4, "10\tx0010000\t理由表示値=正常切断(CV=16)"}, {5, "01\t"}});
            return;
        }
    }
    FAIL() << "no filler gives such an FCS";
}

TEST(OtherElementDetail, CallStateUserUserPacketModeSubaddressFeatureAndLayers) {
    static const MessageCatalogue packet =
        Catalogue("IF_PB_PRM:\n0x18=\"FS\"\n0xFB=\"-\"\n0x02=\"D\"\n0xFE=\"m8\"\n");
    RunCases({
        {"a global call reference uses the global section", Q931Frame({0x01, 0x00}, 0x7D, {0x14, 0x01, 0x00}),
         "CS+", {{2, "00\t00xxxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txx000000\tｸﾞﾛｰﾊﾞﾙｲﾝﾀｰﾌｪｰｽ状態値=REST0"}}},
        {"call state of a call", Q931Frame(0x7D, {0x14, 0x01, 0x0A}), "CS+",
         {{2, "0A\t00xxxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txx001010\t呼状態番号=通信中"}}},
        {"user-user characters are shown safely",
         SetupWith({0x7E, 0x05, 0x04, 0x41, 0x0D, 0xB1, 0x09}), "UU+",
         {{2, "04\t00000100\tﾌﾟﾛﾄｺﾙ識別子=IA5"}, {3, "41\t01000001\tﾕｰｻﾞｰ情報='A'"},
          {4, "0D\t00001101\tﾕｰｻﾞｰ情報='\\r'"}, {5, "B1\t10110001\tﾕｰｻﾞｰ情報='･'"},
          {6, "09\t00001001\tﾕｰｻﾞｰ情報='\\t'"}}},
        {"packet size, window size and binary parameters",
         SetupWith({0x46, 0x02, 0x07, 0x08, 0x45, 0x02, 0x82, 0x07, 0x44, 0x01, 0x92}), "",
         {{2, "\x10PS+02\x11" "07\txxxx0111\t着呼ﾕｰｻﾞからのｻｲｽﾞ=128"},
          {3, "\x10PS+03\x11" "08\txxxx1000\t発呼ﾕｰｻﾞからのｻｲｽﾞ=256"},
          {6, "\x10PW+02\x11" "82\tx0000010\t着呼ﾕｰｻﾞからのｻｲｽﾞ=2"},
          {7, "\x10PW+03\x11" "07\tx0000111\t発呼ﾕｰｻﾞからのｻｲｽﾞ=7"},
          {10, "\x10PB+02\x11" "92\txxx10xxx\tﾌｧｽﾄｾﾚｸﾄ=FS\n\txxxxx0xx\t優先ﾃﾞｰﾀ=-\n\t"
               "xxxxxx1x\t送達確認=D\n\txxxxxxx0\tモジュロ=m8"}},
         &packet},
        {"IA5 subaddress", SetupWith({0x71, 0x04, 0x80, 0x50, 0x37, 0x0A}), "着S",
         {{3, "50\t01010000\tAFIｺｰﾄﾞ=0x50"}, {4, "37\t00110111\t着ｻﾌﾞｱﾄﾞﾚｽ='7'"},
          {5, "0A\t00001010\t着ｻﾌﾞｱﾄﾞﾚｽ='\\n'"}}},
        {"hexadecimal subaddress", SetupWith({0x6D, 0x03, 0x88, 0x51, 0x3C}), "発S",
         {{2, "88\tx000xxxx\tｻﾌﾞｱﾄﾞﾚｽ種別=0x00\n\txxxx1xxx\t偶数／奇数表示=0x08"},
          {4, "3C\t00111100\t発ｻﾌﾞｱﾄﾞﾚｽ=0x3C"}}},
        {"feature indication: identifier octets, then status",
         SetupWith({0x39, 0x04, 0x05, 0x86, 0x01, 0x02}), "FI+",
         {{2, "05\tx0000101\tﾌｨｰﾁｬ識別子番号=5"}, {3, "86\tx0000110\tﾌｨｰﾁｬ識別子番号=6"},
          {4, "01\txxxx0001\tﾌｨｰﾁｬ状態表示=0x01"}, {5, "02\txxxx0010\tﾌｨｰﾁｬ状態表示=0x02"}}},
        {"high and low layer compatibility",
         SetupWith({0x7D, 0x03, 0x91, 0x01, 0x81, 0x7C, 0x04, 0x08, 0x80, 0x90, 0xA2}), "HL+",
         {{2, "91\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=0x00\n\txxx100xx\t解釈法=0x10\n\t"
              "xxxxxx01\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ表現法=0x01"},
          {3, "01\tx0000001\t高位ﾚｲﾔ特性識別=0x01"}, {4, "81\tx0000001\t拡張高位ﾚｲﾔ特性識別=0x01"},
          {8, "\x10LL+03\x11" "80\t"},  // octet 3a
          {9, "\x10LL+04\x11" "90\tx00xxxxx\t転送ﾓｰﾄﾞ=0x00\n\txxx10000\t情報転送速度=0x10"},
          {10, "\x10LL+05\x11" "A2\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00010\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=0x02"}}},
    });
    // A dummy call reference (length 0) is not the global one.
    auto dummy = Items(Q931Frame({0x00}, 0x7D, {0x14, 0x01, 0x00}));
    EXPECT_NE(dummy[E + 1].find(S("呼状態番号=0x00")), std::string::npos) << dummy[E + 1];
}
