// The detail items of a frame: layer 2, TEI management, the layer-3 header,
// the information elements, facility contents and X.25 packets.
#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "decode/DetailEntries.h"
#include "tests/support/DetailSupport.h"

using namespace testsupport;

namespace {

constexpr int kElement = 9;  // the first element octet of a Q931Frame
constexpr int kPacket = 5;   // the information field of an X25Frame

// An item with its icon tag: "tag octet\t...".
std::string Tagged(std::string_view text) {
    const size_t space = text.find(' ');
    return "\x10" + S(text.substr(0, space)) + "\x11" + S(text.substr(space + 1));
}

// items[base + at] of a frame, titles off. A text with a TAB and no tag
// before its octet gets the case's tag with `at` as its offset.
struct Want {
    int at;
    std::string_view text;
};
struct Case {
    const char* name;
    const char* tag;
    FrameRecord frame;
    std::vector<Want> wants;
    bool separators = false;
};

std::string Expected(const char* caseTag, int at, std::string_view text) {
    const size_t tab = text.find('\t');
    if (tab == text.npos) return S(text);
    if (text.find(' ') < tab) return Tagged(text);
    char tag[16];
    std::snprintf(tag, sizeof tag, "%s%02X ", caseTag, at);
    return Tagged(tag + std::string(text));
}

void Check(int base, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto items = Items(c.frame, false, true, c.separators);
        for (const auto& [at, text] : c.wants)
            EXPECT_EQ(items.at(size_t(base + at)), Expected(c.tag, at, text)) << "item " << at;
    }
}

FrameRecord SetupWith(const std::vector<uint8_t>& elements) { return Q931Frame(0x05, elements); }

FrameRecord Facility(const std::vector<uint8_t>& contents) {
    std::vector<uint8_t> element{0x1C, static_cast<uint8_t>(contents.size())};
    element.insert(element.end(), contents.begin(), contents.end());
    return Q931Frame(0x62, element);
}

}  // namespace

TEST(LayerTwoDetail, TitlesIconsAndSeparatorsAndTheEntriesOfTheProgramsDecoder) {
    EXPECT_EQ(Items(FcsFrame({0x00, 0x01, 0x7F}), true),
              (std::vector<std::string>{
                  Tagged("Flag 7E\t01111110\tHDLC flag"), S("\x12＜＜アドレスフィールド＞＞"),
                  Tagged("AF+00 00\t000000xx\tSAPI=呼制御\n\txxxxxx0x\tC/R=ｺﾏﾝﾄﾞ"),
                  Tagged("AF+01 01\t0000000x\tTEI=固定(TEI=0)"), S("\x12＜＜コントロールフィールド＞＞"),
                  Tagged("CF+00 7F\t011x1111\tｺﾏﾝﾄﾞ=SABME\n\txxx1xxxx\tﾎﾟｰﾙ=1"),
                  S("\x12＜＜フレームチェックシーケンス＞＞"), Tagged("CRC+0 64\t01100100\tCRC=OK"),
                  Tagged("CRC+1 54\t01010100\tCRC=OK"), Tagged("Flag 7E\t01111110\tHDLC flag")}));
    // Other SAPIs: bare octets, no titles.
    EXPECT_EQ(Items(RawFrame({0x7E, 0x50, 0x01, 0x03, 0x12, 0x34, 0x7E}), true),
              (std::vector<std::string>{"7E", "50", "01", "03", "12", "34", "7E"}));
    // TEI management: the information title before its first octet.
    EXPECT_EQ(Items(FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}), true)[6],
              S("\x12＜＜インフォメーションフィールド＞＞"));
    // Switched off, icons, titles and separators leave the rest of the items as they are.
    FrameRecord r = Q931Frame({0x02, 0x81, 0x23}, 0x7D, {0x96, 0x18, 0x03, 0xA9, 0x83, 0x81});
    const auto all = Items(r, true, true, true);
    std::vector<std::string> plain;
    for (std::string item : all) {
        if (item[0] == '\x12') continue;
        if (item[0] == '\x10') item.erase(0, item.find('\x11') + 1);
        std::erase(item, '\x13');
        plain.push_back(item);
    }
    EXPECT_EQ(Items(r, false, false, false), plain);
    EXPECT_EQ(all.size(), r.Length() + 4);  // address, control, information, FCS
    const DetailEntries list(r, DetailSwitches(true, true, true), Names());
    EXPECT_EQ(std::tuple(list.Built(), list.Entries(), list.EntryText(list.EntryCount())), std::tuple(true, all, ""));
}

TEST(LayerTwoDetail, FieldsOfTheFrame) {
    Check(0, {
        {"an RR command", "", FcsFrame({0x00, 0x01, 0x01, 0x05}),
         {{3, "CF+00 01\txxxx0001\tｺﾏﾝﾄﾞ=RR"}, {4, "CF+01 05\t0000010x\t受信ｼｰｹﾝｽ番号=2\n\txxxxxxx1\tﾎﾟｰﾙ=1"}}},
        {"a wrong FCS", "", RawFrame({0x7E, 0x00, 0x01, 0x7F, 0x65, 0x55, 0x7E}), {{4, "CRC+0 65\t01100101\tCRC=NG"}}},
        {"no address end", "", FcsFrame({0x00, 0x00, 0x00, 0x02}), {{2, "AF+01 00\t"}, {4, "AF+03 02\t"}}},
        {"a two-octet call reference", "", Q931Frame({0x02, 0x80, 0x05}, 0x7D, {}),
         {{3, "CF+00 00\txxxxxxx0\tｺﾏﾝﾄﾞ=I\n\t0000000x\t送信ｼｰｹﾝｽ番号=0"},
          {4, "CF+01 00\t0000000x\t受信ｼｰｹﾝｽ番号=0\n\txxxxxxx0\tﾎﾟｰﾙ=0"},
          {5, "PRTCL 08\t00001000\tﾌﾟﾛﾄｺﾙ識別子=Q.931"}, {6, "CNLEN 02\txxxx0010\t呼番号長=2"},
          {7, "CN+00 80\t1xxxxxxx\t呼番号ﾌﾗｸﾞ=着側\n\tx0000000\t呼番号=2ｵｸﾃｯﾄ"}, {8, "CN+01 05\t00000101\t呼番号=5"},
          {9, "MESG 7D\tx1111101\tﾒｯｾｰｼﾞ種別=STATUS"}}},
        {"a one-octet call reference shows its value", "", Q931Frame({0x01, 0x85}, 0x05, {}),
         {{7, "CN+00 85\t1xxxxxxx\t呼番号ﾌﾗｸﾞ=着側\n\tx0000101\t呼番号=5"}}},
        // Information octet 3 of a UI frame is the message type's place.
        {"UI: call reference there", "", FcsFrame({0x00, 0x01, 0x03, 0x08, 0x02, 0x81, 0x23, 0x18, 0x01, 0x83}),
         {{7, "CN+01 23\t00100011\t呼番号=291"}, {8, "CH+00 18\t00011000\t情報要素識別子=ﾁｬﾈﾙ識別子"}}},
        {"a UI frame with a dummy call reference", "", FcsFrame({0x00, 0x01, 0x03, 0x08, 0x00, 0x55, 0x7B}),
         {{5, "CNLEN 00\txxxx0000\t呼番号長=0"}, {6, "55"}, {7, "MESG 7B\tx1111011\tﾒｯｾｰｼﾞ種別=INFO"}}},
        {"TEI management", "", FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF}),
         {{2, "AF+01 FF\t1111111x\tTEI=0x7F(TEI=127)"}, {4, "L2+00 0F\t00001111\tﾏﾈｼﾞﾒﾝﾄｴﾝﾃｨﾃｨ識別子"},
          {5, "L2+01 12\t00010010\t参照番号(Ri)"}, {6, "L2+02 34\t00110100\t参照番号(Ri)"},
          {7, "L2+03 01\t00000001\tﾒｯｾｰｼﾞ種別=ID要求"}, {8, "L2+04 FF\t1111111x\t動作表示=任意"}}},
    });
    // One octet's class: the fields' kinds and offsets are the tags above, 0
    // where a tag shows none; an element octet's offset is inside its element;
    // past the end, none.
    using D = DetailDecoder;
    FrameRecord r = Q931Frame(0x05, {0xA1, 0x18, 0x01, 0x83});
    for (const auto& [p, kind, offset] : {std::tuple{5, D::kProtocol, 0}, {6, D::kCallRefLength, 0}, {12, D::kElement, 2},
                                          {16, D::kUnclassified, 0}})
        EXPECT_EQ(std::pair(D::ClassifyOctet(r, p).kind, D::ClassifyOctet(r, p).offset), std::pair(kind, offset)) << p;
}

TEST(ElementDetail, WalkAndDecoders) {
    Check(kElement, {
        {"single-octet elements; separators", "", SetupWith({0x96, 0xA1, 0x18, 0x03, 0xA9, 0x83, 0x81}),
         {{0, "SHIFT 96\t1001xxxx\t情報要素識別子=ｼﾌﾄ\n\txxxxx110\tｺｰﾄﾞ群識別子=ｺｰﾄﾞ群6\x13"},
          {1, "SENDC A1\t10100001\t情報要素識別子=0xA1\x13"},
          {2, "CH+00 18\t00011000\t情報要素識別子=ﾁｬﾈﾙ識別子\x13"}, {3, "CH+01 03\t00000011\t内容長=3"}},
         true},
        {"unknown elements are bare", "", SetupWith({0x28, 0x02, 0x41, 0x42, 0xB5, 0x18, 0x01, 0x83}),
         {{0, "28"}, {1, "02"}, {3, "42"}, {4, "B5"}, {5, "CH+00 18\t00011000\t情報要素識別子=ﾁｬﾈﾙ識別子"}}},
        {"channel numbers up to the one with bit 8 set", "CH+", SetupWith({0x18, 0x05, 0xA9, 0x83, 0x01, 0x97, 0x82}),
         {{2, "A9\tx0xxxxxx\tInt id=明示なし\n\txx1xxxxx\tInt type=一次群\n\txxxx1xxx\tPre/Excl=専用\n\t"
              "xxxxx0xx\tD-ch ind=Dでない\n\txxxxxx01\t情報ﾁｬﾈﾙ選択=B1"},
          {3, "83\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx0xxxx\t番号/ﾏｯﾌﾟ識別=番号\n\txxxx0011\tﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=Bch"},
          {4, "01\tx0000001\tﾁｬﾈﾙ番号=1"}, {5, "97\tx0010111\tﾁｬﾈﾙ番号=23"}, {6, "82\t"}}},
        {"B channel slot map", "CH+", SetupWith({0x18, 0x06, 0xA1, 0x93, 0x00, 0x00, 0x05, 0x77}),
         {{3, "93\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx1xxxx\t番号/ﾏｯﾌﾟ識別=ﾏｯﾌﾟ\n\txxxx0011\tﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=Bch"},
          {4, "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[17][18][19][20][21][22][23][24]"},
          {5, "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[9]0x020x040x080x100x200x40[16]"},
          {6, "05\t00000101\tｽﾛｯﾄﾏｯﾌﾟ=使用[1][3]未使用[2][4][5][6][7][8]"}, {7, "77\t"}}},
        {"H0 map", "CH+", SetupWith({0x18, 0x03, 0xA1, 0x96, 0xF5}), {{4, "F5\txxxx0101\tｽﾛｯﾄﾏｯﾌﾟ=UacNbd"}}},
        {"H11 map", "CH+", SetupWith({0x18, 0x04, 0xA1, 0x98, 0x80, 0x01}),
         {{4, "80\txxxxxxx0\tｽﾛｯﾄﾏｯﾌﾟ=Nh"}, {5, "01\t"}}},
        {"interface identifier", "CH+", SetupWith({0x18, 0x04, 0xE9, 0x01, 0x83, 0x81}),
         {{3, "01\t"}, {4, "83\t"}, {5, "81\t"}}},
        {"the variant skips one octet 3.1; a primary rate selection", "CI+",
         SetupWith({0x03, 0x05, 0xC2, 0x01, 0x93, 0x00, 0x00, 0x03, 0x01, 0xA3}),
         {{2, "C2\tx1xxxxxx\tInt id=ID\n\txx0xxxxx\tInt type=BRI\n\txxxxxx1x\t情報ﾁｬﾈﾙ選択=s2\n\t"
              "xxxxxxx0\t情報ﾁｬﾈﾙ選択=n1"},
          {3, "01\t"}, {4, "93\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx1xxxx\tﾏｯﾌﾟ=MAP\n\txxxx0011\tﾏｯﾌﾟ要素ﾀｲﾌﾟ=B"},
          {5, "00\t00000000\tｽﾛｯﾄﾏｯﾌﾟ=未使用[17][18][19][20][21][22][23][24]"},
          {9, "CI+02 A3\tx0xxxxxx\tInt id=0xBF\n\txx1xxxxx\tInt type=0x20\n\txxxxxx11\t情報ﾁｬﾈﾙ選択=0x03"}}},
        {"bearer layers", "BC+", SetupWith({0x04, 0x05, 0x80, 0x90, 0xA3, 0xC2, 0xE6, 0x27}),
         {{2, "80\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxx00000\t情報転送能力=音声"},
          {3, "90\tx00xxxxx\t転送ﾓｰﾄﾞ=回線\n\txxx10000\t情報転送速度=64k"},
          {4, "A3\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00011\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=A則"},
          {5, "C2\tx10xxxxx\tﾚｲﾔ識別=ﾚｲﾔ2\n\txxx00010\tﾕｰｻﾞ情報ﾚｲﾔ2ﾌﾟﾛﾄｺﾙ=Q.921"},
          {6, "E6\tx11xxxxx\tﾚｲﾔ識別=ﾚｲﾔ3\n\txxx00110\tﾕｰｻﾞ情報ﾚｲﾔ3ﾌﾟﾛﾄｺﾙ=0x06"}, {7, "27"}}},
        {"bearer octet 5a ends", "BC+", SetupWith({0x04, 0x06, 0x88, 0x90, 0x21, 0x8F, 0xC2, 0xE6}),
         {{4, "21\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00001\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=0x01"}, {5, "8F\t"}, {7, "E6\t"}}},
        {"bearer 4a, 4b, no layer", "BC+", SetupWith({0x04, 0x05, 0x88, 0x10, 0x00, 0x80, 0x81}),
         {{4, "00\t"}, {5, "80\t"}, {6, "81\tx00xxxxx\tﾚｲﾔ識別=0x00\n\txxx00001\t"}}},
        {"calling number with octet 3a and characters", "発N", SetupWith({0x6C, 0x05, 0x21, 0x83, 0x33, 0x0D, 0xB1}),
         {{2, "21\tx010xxxx\t番号種別=0x20\n\txxxx0001\t番号計画識別子=0x01"},
          {3, "83\tx00xxxxx\t表示識別子=0x00\n\txxxxxx11\t網検証識別子=0x03"}, {4, "33\t00110011\t番号='3'"},
          {5, "0D\t00001101\t番号='\\r'"}, {6, "B1\t10110001\t番号='･'"}}},
        {"the called number shows octet 3a as a digit", "着N", SetupWith({0x70, 0x03, 0x01, 0x80, 0x31}),
         {{2, "01\tx000xxxx\t番号種別=0x00\n\txxxx0001\t番号計画識別子=0x01"}, {3, "80\t10000000\t番号='･'"},
          {4, "31\t00110001\t番号='1'"}}},
        {"cause: 3a, one diagnostic", "CA+", SetupWith({0x08, 0x05, 0x02, 0x80, 0x90, 0x81, 0x01}),
         {{2, "02\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txxxx0010\t生成源=公衆網"}, {3, "80\t"},
          {4, "90\tx0010000\t理由表示値=正常切断(CV=16)"}, {5, "81\txxxxxx01\t診断情報=診断1"}, {6, "01\t"}}},
        {"the diagnostic of cause 98 is a message type", "CA+", SetupWith({0x08, 0x03, 0x82, 0xE2, 0x05}),
         {{3, "E2\tx1100010\t理由表示値=ﾒｯｾｰｼﾞ不一致(CV=98)"}, {4, "05\t00000101\t診断情報=SETUP"}}},
        {"cause 102: timer number", "CA+", SetupWith({0x08, 0x05, 0x80, 0xE6, 0x33, 0x30, 0x31}),
         {{3, "E6\tx1100110\t理由表示値=ﾀｲﾏ満了(CV=102)"}, {4, "33\t00110011\tﾀｲﾏ番号='3'"},
          {5, "30\t00110000\tﾀｲﾏ番号='0'"}, {6, "31\t00110001\tﾀｲﾏ番号='1'"}}},
        // Had the search for the cause value run on, the FCS octet 0x90 would be cause 16.
        {"the cause value is searched for up to the FCS", "CA+",
         HexFrame("7E 00 01 00 00 08 01 01 05 08 20 00 90 10 01 00 60 90 6C 7E", FrameRecord::kTx, 0),
         {{4, "10\tx0010000\t理由表示値=正常切断(CV=16)"}, {5, "01\t"}}},
        // One octet of call reference less: the element starts an octet earlier.
        {"a dummy call reference is not the global one", "", Q931Frame({0x00}, 0x7D, {0x14, 0x01, 0x0A}),
         {{1, "CS+02 0A\t00xxxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txx001010\t呼状態番号=通信中"}}},
        {"global call reference", "CS+", Q931Frame({0x01, 0x00}, 0x7D, {0x14, 0x01, 0x00}),
         {{2, "00\t00xxxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=CCITT\n\txx000000\tｸﾞﾛｰﾊﾞﾙｲﾝﾀｰﾌｪｰｽ状態値=REST0"}}},
        {"user-user and keypad", "UU+", SetupWith({0x7E, 0x05, 0x04, 0x41, 0x0D, 0xB1, 0x09, 0x2C, 0x01, '#'}),
         {{2, "04\t00000100\tﾌﾟﾛﾄｺﾙ識別子=IA5"}, {3, "41\t01000001\tﾕｰｻﾞｰ情報='A'"},
          {9, "KF+02 23\t00100011\t情報='#'"}}},
        {"packet parameters", "", SetupWith({0x46, 0x02, 0x07, 0x08, 0x45, 0x02, 0x82, 0x07, 0x44, 0x01, 0x92}),
         {{2, "PS+02 07\txxxx0111\t着呼ﾕｰｻﾞからのｻｲｽﾞ=128"}, {3, "PS+03 08\txxxx1000\t発呼ﾕｰｻﾞからのｻｲｽﾞ=256"},
          {6, "PW+02 82\tx0000010\t着呼ﾕｰｻﾞからのｻｲｽﾞ=2"}, {7, "PW+03 07\tx0000111\t発呼ﾕｰｻﾞからのｻｲｽﾞ=7"},
          {10, "PB+02 92\txxx10xxx\tﾌｧｽﾄｾﾚｸﾄ=FS\n\txxxxx0xx\t優先ﾃﾞｰﾀ=-\n\txxxxxx1x\t送達確認=D\n\t"
               "xxxxxxx0\tモジュロ=m8"}}},
        {"IA5 subaddress", "着S", SetupWith({0x71, 0x04, 0xF1, 0x50, 0x37, 0x0A}),
         {{2, "F1\tx111xxxx\tｻﾌﾞｱﾄﾞﾚｽ種別=0x70\n\txxxx0xxx\t偶数／奇数表示=0xF7"}, {3, "50\t01010000\tAFIｺｰﾄﾞ=0x50"},
          {4, "37\t00110111\t着ｻﾌﾞｱﾄﾞﾚｽ='7'"}, {5, "0A\t00001010\t着ｻﾌﾞｱﾄﾞﾚｽ='\\n'"}}},
        {"hexadecimal subaddress, spare bits set", "発S", SetupWith({0x6D, 0x03, 0x8F, 0x51, 0x3C}),
         {{2, "8F\tx000xxxx\tｻﾌﾞｱﾄﾞﾚｽ種別=0x00\n\txxxx1xxx\t偶数／奇数表示=0x08"}, {4, "3C\t00111100\t発ｻﾌﾞｱﾄﾞﾚｽ=0x3C"}}},
        {"charging, signal, feature activation", "", SetupWith({0x01, 0x02, 0x02, 0x31, 0x34, 0x01, 0x05, 0x38, 0x02, 0x05, 0x86}),
         {{2, "AC+02 02\txxxx0010\t情報種別=0x02"}, {3, "AC+03 31\t00110001\t料金='1'"}, {6, "SG+02 05\t00000101\tｼｸﾞﾅﾙ値=0x05"},
          {9, "FA+02 05\tx0000101\tﾌｨｰﾁｬ識別子番号=5"}, {10, "FA+03 86\tx0000110\tﾌｨｰﾁｬ識別子番号=6"}}},
        {"feature indication", "FI+", SetupWith({0x39, 0x04, 0x05, 0x86, 0x01, 0x02}),
         {{2, "05\tx0000101\tﾌｨｰﾁｬ識別子番号=5"}, {3, "86\tx0000110\tﾌｨｰﾁｬ識別子番号=6"},
          {4, "01\txxxx0001\tﾌｨｰﾁｬ状態表示=0x01"}, {5, "02\txxxx0010\tﾌｨｰﾁｬ状態表示=0x02"}}},
        {"high and low layer compatibility, progress", "HL+",
         SetupWith({0x7D, 0x03, 0x91, 0x01, 0x81, 0x7C, 0x04, 0x09, 0x80, 0x90, 0xA2, 0x1E, 0x02, 0x81, 0x88}),
         {{2, "91\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=0x00\n\txxx100xx\t解釈法=0x10\n\txxxxxx01\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ表現法=0x01"},
          {3, "01\tx0000001\t高位ﾚｲﾔ特性識別=0x01"}, {4, "81\tx0000001\t拡張高位ﾚｲﾔ特性識別=0x01"},
          {7, "LL+02 09\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=0x00\n\txxx01001\t情報転送能力=0x09"}, {8, "LL+03 80\t"},  // octet 3a
          {9, "LL+04 90\tx00xxxxx\t転送ﾓｰﾄﾞ=0x00\n\txxx10000\t情報転送速度=0x10"},
          {10, "LL+05 A2\tx01xxxxx\tﾚｲﾔ識別=ﾚｲﾔ1\n\txxx00010\tﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=0x02"},
          {13, "PI+02 81\tx00xxxxx\tｺｰﾃﾞｨﾝｸﾞ標準=0x00\n\txxxx0001\t生成源=0x01"}, {14, "PI+03 88\tx0001000\t経過内容=0x08"}}},
    });
}

TEST(FacilityDetail, ContentsAndTheStateThatOutlivesTheBuild) {
    Check(kElement, {
        {"an invoke with the network's operation and a parameter", "FA+",
         Facility({0x91, 0xA1, 0x11, 0x02, 0x01, 0x05, 0x06, 0x07, 0x03, 0xA2, 0x31, 0x87, 0x69, 0x01, 0x05, 0x31,
                   0x03, 0x81, 0x01, 0x07}),
         {{2, "91\txxx10001\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ=遠隔操作"}, {3, "A1\t10100001\tｺﾝﾎﾟｰﾈﾝﾄ種別=起動"},
          {4, "11\t00010001\t内容長=17"}, {5, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"},
          {7, "05\t00000101\tｲﾝﾎﾞｰｸ識別子=5"}, {8, "06\t00000110\tｵﾍﾟﾚｰｼｮﾝﾊﾞﾘｭｰ=OID"},
          {10, "03\t00000011\tｵﾍﾟﾚｰｼｮﾝ値=CCITT NETWORK OPPERATOR"}, {11, "A2\t10100010\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"},
          {12, "31\t00110001\tｵﾍﾟﾚｰｼｮﾝ値=NTT"}, {13, "87\t10000111\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"},
          {14, "69\t01101001\tｵﾍﾟﾚｰｼｮﾝ値=ISDN NETWORKSPECIFIC-SERVICE"}, {15, "01\t00000001\tｵﾍﾟﾚｰｼｮﾝ値=OPERATION"},
          {16, "05\t00000101\tｵﾍﾟﾚｰｼｮﾝ値=着信鳴り分け機能ｻｰﾋﾞｽ"}, {17, "31\t00110001\tﾊﾟﾗﾒｰﾀｰ=SET"},
          {19, "81\t10000001\tｺﾝﾃｸｽﾄ特有=ﾌﾟﾘﾐﾃｨﾌﾞ"}, {20, "01\t00000001\tﾊﾟﾗﾒｰﾀ長=1"},
          {21, "07\t00000111\tﾊﾟﾗﾒｰﾀ内容=ﾎﾟｰﾄ7"}}},
        {"unmatched operation octets", "FA+", Facility({0x91, 0xA1, 0x06, 0x06, 0x04, 0x04, 0xA2, 0x32, 0x01}),
         {{7, "04\t00000100"}, {9, "32\t00110010"}, {10, "01\t00000001\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"}}},
        {"long form lengths, then a tag", "FA+", Facility({0x91, 0xA1, 0x81, 0x10, 0x02, 0x80, 0x01, 0x05, 0x02}),
         {{4, "81\t1xxxxxxx\t拡張=2ｵｸﾃｯﾄの内容長\n\tx0000001\t内容長=1ｵｸﾃｯﾄめ"}, {5, "10\t00010000\t内容長=272"},
          {7, "80\t1xxxxxxx\t拡張=2ｵｸﾃｯﾄの内容長\n\tx0000000\t内容長=1ｵｸﾃｯﾄめ"}, {8, "01\t00000001\t内容長=1"},
          {9, "05\t00000101\tｲﾝﾎﾞｰｸ識別子=5"}, {10, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"}}},
        {"a long-form operation value length", "FA+",
         Facility({0x91, 0xA1, 0x0A, 0x06, 0x80, 0x07, 0x03, 0xA2, 0x31, 0x87, 0x69, 0x01, 0x05}),
         {{8, "03\t00000011\tｵﾍﾟﾚｰｼｮﾝ値=CCITT NETWORK OPPERATOR"}, {14, "05\t00000101\tｵﾍﾟﾚｰｼｮﾝ値=着信鳴り分け機能ｻｰﾋﾞｽ"}}},
        {"an empty inner element", "FA+", Facility({0x91, 0xA1, 0x07, 0x30, 0x00, 0x02, 0x01, 0x09}),
         {{5, "30\t00110000"}, {6, "00\t00000000\t内容長=0"}, {7, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"},
          {9, "09\t00001001\tｲﾝﾎﾞｰｸ識別子=9"}}},
        {"another profile", "FA+", Facility({0x9F, 0xA1, 0x03}),
         {{2, "9F\txxx11111\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ=0x1F"}, {3, "A1\t"}, {4, "03\t"}}},
        {"another component shows bits and lengths only", "FA+", Facility({0x91, 0xA2, 0x03, 0x02, 0x01, 0x05}),
         {{3, "A2\t10100010\tｺﾝﾎﾟｰﾈﾝﾄ種別=結果"}, {5, "02\t00000010"}, {6, "01\t00000001\t内容長=1"}, {7, "05\t00000101"}}},
    });
    DetailDecoder decoder;
    // The first frame leaves "invoke identifier" as the inner kind; an
    // unrecognised tag keeps it, so its content reads as an invoke identifier.
    Items(Facility({0x91, 0xA1, 0x03, 0x02, 0x01, 0x05}), false, true, false, &decoder);
    FrameRecord second = Facility({0x91, 0xA1, 0x03, 0x30, 0x01, 0x09});
    EXPECT_EQ(Items(second, false, true, false, &decoder)[kElement + 7], Tagged("FA+07 09\t00001001\tｲﾝﾎﾞｰｸ識別子=9"));
    decoder.ResetFacility();
    EXPECT_EQ(Items(second, false, true, false, &decoder)[kElement + 7], Tagged("FA+07 09\t00001001"));
}

TEST(X25Detail, PacketsByTypeAndDirection) {
    Check(kPacket, {
        {"call request", "CR+", X25Frame({0x10, 0x01, 0x0B, 0x55, 0x12, 0x34, 0x56, 0x78, 0x90, 0x00, 0x41}),
         {{0, "10\tx0xxxxxx\tDﾋﾞｯﾄ=未ｻﾎﾟｰﾄ\n\t0x01xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {1, "01\t00000001\t論理ﾁｬﾈﾙ番号=1"}, {2, "0B\t00001011\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=発呼要求"},
          {3, "55\t0101xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=5\n\txxxx0101\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=5"}, {5, "34\t00110100\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"34\""},
          {6, "56\t0101xxxx\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"5\"xxxx0110\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"6\""},
          {8, "90\t10010000\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"90\""}, {9, "00\t00000000\tﾌｧｼﾘﾃｨ長=0"},
          {10, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"}}},
        {"odd digit counts and nibbles above nine", "CR+", X25Frame({0x10, 0x01, 0x0B, 0x23, 0x1F, 0x29, 0x5A}),
         {{4, "1F\t00011111\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"1\""}, {5, "29\t0010xxxx\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"2\"xxxx1001\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"9\""},
          {6, "5A\t0101xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"5\""}}},
        {"a calling address alone", "CR+", X25Frame({0x10, 0x01, 0x0B, 0x10, 0x70, 0x00}),
         {{4, "70\t0111xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"7\""}, {5, "00\t00000000\tﾌｧｼﾘﾃｨ長=0"}}},
        {"data packet: tag and name around the first comma", "DT+", X25Frame({0x10, 0x01, 0x22, 0x41, 0x42}),
         {{0, "10\t0xxxxxxx\tQﾋﾞｯﾄ=0\n\tx0xxxxxx\tDﾋﾞｯﾄ=ﾛｰｶﾙ確認\n\txx01xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\t"
              "xxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {2, "22\txxxxxxx0\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=ﾃﾞｰﾀ,D\n\txxxx001x\t送側順序番号=1\n\txxx0xxxx\tﾓｱﾃﾞｰﾀ=なし\n\t"
              "001xxxxx\t受信順序番号=1"}, {3, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"}, {4, "42\t01000010\tﾕｰｻﾞｰﾃﾞｰﾀ='B'"}}},
        {"a packet type name without a comma tags every octet \"+\"", "+", X25Frame({0x10, 0x01, 0x41}),
         {{0, "10\t0001xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {2, "41\txxx00001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=受信可\n\t010xxxxx\t順序番号=2"}}},
        {"clear request", "+", X25Frame({0x10, 0x01, 0x13, 0x05, 0x00}),
         {{3, "05\t00000101\t切断原因=0x05"}, {4, "00\t00000000\t診断符号=情報なし"}}},
        {"restart request", "SQ+", X25Frame({0x10, 0x00, 0xFB, 0x07, 0x00}),
         {{3, "07\t00000111\tﾘｽﾀｰﾄ原因=7"}, {4, "00\t00000000\t診断符号=0"}}},
        {"restart indication", "SI+", X25Frame({0x10, 0x00, 0xFB, 0x07, 0x00, 0x41}, FrameRecord::kRx),
         {{3, "07\t00000111\tﾘｽﾀｰﾄ原因=網運用開始"}, {4, "00\t00000000\t診断符号=情報なし"}, {5, "41\t"}}},
        {"facilities, user data", "CR+", X25Frame({0x10, 0x01, 0x0B, 0x00, 0x05, 0x01, 0x81, 0x42, 0x07, 0x07, 0x41}),
         {{4, "05\t00000101\tﾌｧｼﾘﾃｨ長=5"}, {5, "01\t00000001\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=FS"},
          {6, "81\t10xxxxxx\tﾌｧｽﾄｾﾚｸﾄ=制限\n\txxxxxxx1\t着信課金要求=着課金"},
          {7, "42\t01000010\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=ﾊﾟｹｯﾄｻｲｽﾞ"}, {8, "07\txxxx0111\t着呼ﾕｰｻﾞからのｻｲｽﾞ=128 byte"},
          {9, "07\txxxx0111\t発呼ﾕｰｻﾞからのｻｲｽﾞ=128 byte"}, {10, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"}}},
        {"throughput classes", "CR+", X25Frame({0x10, 0x01, 0x0B, 0x00, 0x02, 0x02, 0xA9}),
         {{6, "A9\t1010xxxx\t着呼ﾕｰｻﾞからのｸﾗｽ=0x0A bit/s\n\txxxx1001\t発呼ﾕｰｻﾞからのｸﾗｽ=0x09 bit/s"}}},
        {"unknown facility parameters", "CR+", X25Frame({0x10, 0x01, 0x0B, 0x00, 0x03, 0x05, 0x01, 0x02, 0x0D}),
         {{5, "05\t00000101\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=0x05"}, {6, "01\t"}, {7, "02\t"}, {8, "0D\t00001101\tﾕｰｻﾞｰﾃﾞｰﾀ='\\r'"}}},
        {"no kind", "+", X25Frame({0x10, 0x01, 0x09}), {{2, "09\t00001001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=0x09"}}},
    });
}
