// The facility element: profile, component, inner elements with short and
// long lengths, the invoke contents and the state that outlives a build.
#include <gtest/gtest.h>

#include "tests/support/DetailSupport.h"

using namespace testsupport;

namespace {

constexpr int E = kFirstElement;

FrameRecord Facility(const std::vector<uint8_t>& contents) {
    std::vector<uint8_t> element{0x1C, static_cast<uint8_t>(contents.size())};
    element.insert(element.end(), contents.begin(), contents.end());
    return Q931Frame(0x62, element);
}

void Expect(const std::vector<uint8_t>& contents, const std::vector<Want>& wants) {
    ExpectItems(Items(Facility(contents)), E, "FA+", wants);
}

}  // namespace

TEST(FacilityDetail, InvokeWithNetworkSpecificOperationAndParameter) {
    Expect({0x91, 0xA1, 0x11, 0x02, 0x01, 0x05, 0x06, 0x07, 0x03, 0xA2, 0x31,
            0x87, 0x69, 0x01, 0x05, 0x31, 0x03, 0x81, 0x01, 0x07},
           {{0, "1C\t00011100\t情報要素識別子=ﾌｧｼﾘﾃｨ"}, {1, "14\t00010100\t内容長=20"},
            {2, "91\txxx10001\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ=遠隔操作"}, {3, "A1\t10100001\tｺﾝﾎﾟｰﾈﾝﾄ種別=起動"},
            {4, "11\t00010001\t内容長=17"}, {5, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"},
            {6, "01\t00000001\t内容長=1"}, {7, "05\t00000101\tｲﾝﾎﾞｰｸ識別子=5"},
            {8, "06\t00000110\tｵﾍﾟﾚｰｼｮﾝﾊﾞﾘｭｰ=OID"}, {9, "07\t00000111\t内容長=7"},
            {10, "03\t00000011\tｵﾍﾟﾚｰｼｮﾝ値=CCITT NETWORK OPPERATOR"},
            {11, "A2\t10100010\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"}, {12, "31\t00110001\tｵﾍﾟﾚｰｼｮﾝ値=NTT"},
            {13, "87\t10000111\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"},
            {14, "69\t01101001\tｵﾍﾟﾚｰｼｮﾝ値=ISDN NETWORKSPECIFIC-SERVICE"},
            {15, "01\t00000001\tｵﾍﾟﾚｰｼｮﾝ値=OPERATION"},
            {16, "05\t00000101\tｵﾍﾟﾚｰｼｮﾝ値=着信鳴り分け機能ｻｰﾋﾞｽ"}, {17, "31\t00110001\tﾊﾟﾗﾒｰﾀｰ=SET"},
            {18, "03\t00000011\t内容長=3"}, {19, "81\t10000001\tｺﾝﾃｸｽﾄ特有=ﾌﾟﾘﾐﾃｨﾌﾞ"},
            {20, "01\t00000001\tﾊﾟﾗﾒｰﾀ長=1"}, {21, "07\t00000111\tﾊﾟﾗﾒｰﾀ内容=ﾎﾟｰﾄ7"}});
}

TEST(FacilityDetail, OperationValuesLengthsAndOtherComponents) {
    {
        SCOPED_TRACE("operation value octets that do not match show only their bits");
        Expect({0x91, 0xA1, 0x06, 0x06, 0x04, 0x04, 0xA2, 0x32, 0x01},
               {{7, "04\t00000100"}, {9, "32\t00110010"},  // 0xA232 is not the network
                {10, "01\t00000001\tｵﾍﾟﾚｰｼｮﾝ値=次ｵｸﾃｯﾄ"}});
    }
    {
        SCOPED_TRACE("long form lengths; used-up content makes the next octet a tag");
        Expect({0x91, 0xA1, 0x81, 0x10, 0x02, 0x80, 0x01, 0x05, 0x02},
               {{4, "81\t1xxxxxxx\t拡張=2ｵｸﾃｯﾄの内容長\n\tx0000001\t内容長=1ｵｸﾃｯﾄめ"},
                {5, "10\t00010000\t内容長=272"},
                {7, "80\t1xxxxxxx\t拡張=2ｵｸﾃｯﾄの内容長\n\tx0000000\t内容長=1ｵｸﾃｯﾄめ"},
                {8, "01\t00000001\t内容長=1"}, {9, "05\t00000101\tｲﾝﾎﾞｰｸ識別子=5"},
                {10, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"}});
    }
    {
        SCOPED_TRACE("an empty inner element is followed by a tag");
        Expect({0x91, 0xA1, 0x07, 0x30, 0x00, 0x02, 0x01, 0x09},
               {{5, "30\t00110000"}, {6, "00\t00000000\t内容長=0"},
                {7, "02\t00000010\tｺﾝﾎﾟｰﾈﾝﾄ識別子=起動識別子"}, {9, "09\t00001001\tｲﾝﾎﾞｰｸ識別子=9"}});
    }
    {
        SCOPED_TRACE("other profiles and components show no values");
        Expect({0x9F, 0xA1, 0x03},
               {{2, "9F\txxx11111\tﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ=0x1F"}, {3, "A1\t"}, {4, "03\t"}});
        Expect({0x91, 0xA2, 0x03, 0x02, 0x01, 0x05},
               {{3, "A2\t10100010\tｺﾝﾎﾟｰﾈﾝﾄ種別=結果"}, {5, "02\t00000010"},
                {6, "01\t00000001\t内容長=1"}, {7, "05\t00000101"}});
    }
}

TEST(FacilityDetail, StateOutlivesTheBuildUntilReset) {
    DetailDecoder decoder;
    // The first frame leaves "invoke identifier" as the inner kind.
    Items(decoder, Facility({0x91, 0xA1, 0x03, 0x02, 0x01, 0x05}), Names());
    // An unrecognised tag keeps it: its content reads as an invoke identifier.
    FrameRecord second = Facility({0x91, 0xA1, 0x03, 0x30, 0x01, 0x09});
    ExpectItems(Items(decoder, second, Names()), E, "FA+", {{7, "09\t00001001\tｲﾝﾎﾞｰｸ識別子=9"}});
    decoder.ResetFacility();
    ExpectItems(Items(decoder, second, Names()), E, "FA+", {{7, "09\t00001001"}});
}
