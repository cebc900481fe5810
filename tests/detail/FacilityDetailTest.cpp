// The facility element: profile, component, inner elements with short and
// long lengths, the invoke contents and the state that outlives a build.
#include <gtest/gtest.h>

#include "DetailTestSupport.h"

using namespace detailtest;

namespace {

constexpr int E = kFirstElement;

FrameRecord Facility(const std::vector<uint8_t>& contents) {
    std::vector<uint8_t> element{0x1C, static_cast<uint8_t>(contents.size())};
    element.insert(element.end(), contents.begin(), contents.end());
    return Q931({0x01, 0x01}, 0x62, element);
}

std::string Fa(int offset, std::string_view rest) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "\x10" "FA+%02X\x11", offset);
    return tag + S(rest);
}

}  // namespace

TEST(FacilityDetail, InvokeWithNetworkSpecificOperationAndParameter) {
    auto items = Items(Facility({0x91, 0xA1, 0x11, 0x02, 0x01, 0x05, 0x06, 0x07, 0x03, 0xA2, 0x31,
                                 0x87, 0x69, 0x01, 0x05, 0x31, 0x03, 0x81, 0x01, 0x07}),
                       Names());
    std::vector<std::string> expected = {
        Fa(2, "91\txxx10001\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ=遠隔操作"),
        Fa(3, "A1\t10100001\tｺﾝﾎﾟｰﾈﾝﾄ種別=起動"),
        Fa(4, "11\t00010001\t内容長=17"),
        Fa(5, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"),
        Fa(6, "01\t00000001\t内容長=1"),
        Fa(7, "05\t00000101\tｲﾝﾎﾞｰｸ識別子=5"),
        Fa(8, "06\t00000110\tｵﾍﾟﾚｰｼｮﾝﾊﾞﾘｭｰ=OID"),
        Fa(9, "07\t00000111\t内容長=7"),
        Fa(10, "03\t00000011\tｵﾍﾟﾚｰｼｮﾝ値=CCITT NETWORK OPPERATOR"),
        Fa(11, "A2\t10100010\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"),
        Fa(12, "31\t00110001\tｵﾍﾟﾚｰｼｮﾝ値=NTT"),
        Fa(13, "87\t10000111\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"),
        Fa(14, "69\t01101001\tｵﾍﾟﾚｰｼｮﾝ値=ISDN NETWORKSPECIFIC-SERVICE"),
        Fa(15, "01\t00000001\tｵﾍﾟﾚｰｼｮﾝ値=OPERATION"),
        Fa(16, "05\t00000101\tｵﾍﾟﾚｰｼｮﾝ値=着信鳴り分け機能ｻｰﾋﾞｽ"),
        Fa(17, "31\t00110001\tﾊﾟﾗﾒｰﾀｰ=SET"),
        Fa(18, "03\t00000011\t内容長=3"),
        Fa(19, "81\t10000001\tｺﾝﾃｸｽﾄ特有=ﾌﾟﾘﾐﾃｨﾌﾞ"),
        Fa(20, "01\t00000001\tﾊﾟﾗﾒｰﾀ長=1"),
        Fa(21, "07\t00000111\tﾊﾟﾗﾒｰﾀ内容=ﾎﾟｰﾄ7"),
    };
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(items[E + 2 + i], expected[i]) << i;
    EXPECT_EQ(items[E], Fa(0, "1C\t00011100\t情報要素識別子=ﾌｧｼﾘﾃｨ"));
    EXPECT_EQ(items[E + 1], Fa(1, "14\t00010100\t内容長=20"));
}

TEST(FacilityDetail, OperationValueOctetsThatDoNotMatchShowOnlyTheirBits) {
    auto items = Items(Facility({0x91, 0xA1, 0x06, 0x06, 0x04, 0x04, 0xA2, 0x32, 0x01}), Names());
    EXPECT_EQ(items[E + 7], Fa(7, "04\t00000100"));
    EXPECT_EQ(items[E + 9], Fa(9, "32\t00110010"));  // 0xA232 is not the network
    EXPECT_EQ(items[E + 10], Fa(10, "01\t00000001\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"));
}

TEST(FacilityDetail, LongFormLengths) {
    auto items = Items(Facility({0x91, 0xA1, 0x81, 0x10, 0x02, 0x80, 0x01, 0x05, 0x02}), Names());
    EXPECT_EQ(items[E + 4], Fa(4, "81\t1xxxxxxx\t拡張=2ｵｸﾃｯﾄの内容長\n\tx0000001\t内容長=1ｵｸﾃｯﾄめ"));
    EXPECT_EQ(items[E + 5], Fa(5, "10\t00010000\t内容長=272"));
    EXPECT_EQ(items[E + 7], Fa(7, "80\t1xxxxxxx\t拡張=2ｵｸﾃｯﾄの内容長\n\tx0000000\t内容長=1ｵｸﾃｯﾄめ"));
    EXPECT_EQ(items[E + 8], Fa(8, "01\t00000001\t内容長=1"));
    EXPECT_EQ(items[E + 9], Fa(9, "05\t00000101\tｲﾝﾎﾞｰｸ識別子=5"));
    // The content is used up: the next octet is a tag again.
    EXPECT_EQ(items[E + 10], Fa(10, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"));
}

TEST(FacilityDetail, EmptyInnerElementIsFollowedByATag) {
    auto items = Items(Facility({0x91, 0xA1, 0x07, 0x30, 0x00, 0x02, 0x01, 0x09}), Names());
    EXPECT_EQ(items[E + 5], Fa(5, "30\t00110000"));
    EXPECT_EQ(items[E + 6], Fa(6, "00\t00000000\t内容長=0"));
    EXPECT_EQ(items[E + 7], Fa(7, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"));
    EXPECT_EQ(items[E + 9], Fa(9, "09\t00001001\tｲﾝﾎﾞｰｸ識別子=9"));
}

TEST(FacilityDetail, OtherProfilesAndComponentsShowNoValues) {
    auto other = Items(Facility({0x9F, 0xA1, 0x03}), Names());
    EXPECT_EQ(other[E + 2], Fa(2, "9F\txxx11111\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ=0x1F"));
    EXPECT_EQ(other[E + 3], Fa(3, "A1\t"));
    EXPECT_EQ(other[E + 4], Fa(4, "03\t"));
    auto result = Items(Facility({0x91, 0xA2, 0x03, 0x02, 0x01, 0x05}), Names());
    EXPECT_EQ(result[E + 3], Fa(3, "A2\t10100010\tｺﾝﾎﾟｰﾈﾝﾄ種別=結果"));
    EXPECT_EQ(result[E + 5], Fa(5, "02\t00000010"));
    EXPECT_EQ(result[E + 6], Fa(6, "01\t00000001\t内容長=1"));
    EXPECT_EQ(result[E + 7], Fa(7, "05\t00000101"));
}

TEST(FacilityDetail, StateOutlivesTheBuildUntilReset) {
    DetailDecoder decoder;
    // The first frame leaves "invoke identifier" as the inner kind.
    Items(decoder, Facility({0x91, 0xA1, 0x03, 0x02, 0x01, 0x05}), Names());
    // An unrecognised tag keeps it: its content reads as an invoke identifier.
    FrameRecord second = Facility({0x91, 0xA1, 0x03, 0x30, 0x01, 0x09});
    auto kept = Items(decoder, second, Names());
    EXPECT_EQ(kept[E + 7], Fa(7, "09\t00001001\tｲﾝﾎﾞｰｸ識別子=9"));
    decoder.ResetFacility();
    auto fresh = Items(decoder, second, Names());
    EXPECT_EQ(fresh[E + 7], Fa(7, "09\t00001001"));
}
