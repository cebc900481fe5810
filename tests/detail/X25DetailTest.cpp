// X.25 packets on SAPI 16: header, packet type by direction, address block,
// facilities, causes and user data.
#include <gtest/gtest.h>

#include "DetailTestSupport.h"

using namespace detailtest;

namespace {

constexpr int I = 5;  // the information field of an X25 frame

std::string Tag(std::string_view tag, int offset, std::string_view rest) {
    char t[16];
    std::snprintf(t, sizeof t, "+%02X\x11", offset);
    return "\x10" + S(tag) + t + S(rest);
}

}  // namespace

TEST(X25Detail, CallRequestAddressesAndEmptyFacilityField) {
    auto items = Items(X25({0x10, 0x01, 0x0B, 0x55, 0x12, 0x34, 0x56, 0x78, 0x90, 0x00, 0x41}),
                       Names());
    EXPECT_EQ(items[I], Tag("CR", 0, "10\tx0xxxxxx\tDﾋﾞｯﾄ=未ｻﾎﾟｰﾄ\n\t0x01xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\t"
                                     "xxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"));
    EXPECT_EQ(items[I + 1], Tag("CR", 1, "01\t00000001\t論理ﾁｬﾈﾙ番号=1"));
    EXPECT_EQ(items[I + 2], Tag("CR", 2, "0B\t00001011\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=発呼要求"));
    EXPECT_EQ(items[I + 3], Tag("CR", 3, "55\t0101xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=5\n\txxxx0101\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=5"));
    EXPECT_EQ(items[I + 4], Tag("CR", 4, "12\t00010010\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"12\""));
    EXPECT_EQ(items[I + 5], Tag("CR", 5, "34\t00110100\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"34\""));
    EXPECT_EQ(items[I + 6], Tag("CR", 6, "56\t0101xxxx\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"5\"xxxx0110\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"6\""));
    EXPECT_EQ(items[I + 7], Tag("CR", 7, "78\t01111000\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"78\""));
    EXPECT_EQ(items[I + 8], Tag("CR", 8, "90\t10010000\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"90\""));
    EXPECT_EQ(items[I + 9], Tag("CR", 9, "00\t00000000\tﾌｧｼﾘﾃｨ長=0"));
    // No facilities: the user data follows at once.
    EXPECT_EQ(items[I + 10], Tag("CR", 10, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"));
}

TEST(X25Detail, SamePacketReceivedIsAnIncomingCall) {
    auto items = Items(X25({0x10, 0x01, 0x0B, 0x00, 0x00}, FrameRecord::kRx), Names());
    EXPECT_EQ(items[I + 2], Tag("CN", 2, "0B\t00001011\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=着呼"));
    EXPECT_EQ(items[I + 3], Tag("CN", 3, "00\t0000xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=0\n\txxxx0000\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=0"));
    EXPECT_EQ(items[I + 4], Tag("CN", 4, "00\t00000000\tﾌｧｼﾘﾃｨ長=0"));
}

TEST(X25Detail, OddDigitCountsAndNibblesAboveNine) {
    // Called 3 digits, calling 2: the third called digit shares its octet.
    auto items = Items(X25({0x10, 0x01, 0x0B, 0x23, 0x1F, 0x24, 0x5A}), Names());
    EXPECT_EQ(items[I + 4], Tag("CR", 4, "1F\t00011111\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"1\""));
    EXPECT_EQ(items[I + 5], Tag("CR", 5, "24\t0010xxxx\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"2\"xxxx0100\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"4\""));
    EXPECT_EQ(items[I + 6], Tag("CR", 6, "5A\t0101xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"5\""));
}

TEST(X25Detail, DataPacket) {
    auto items = Items(X25({0x10, 0x01, 0x22, 0x41, 0x42}), Names());
    EXPECT_EQ(items[I], Tag("DT", 0, "10\t0xxxxxxx\tQﾋﾞｯﾄ=0\n\tx0xxxxxx\tDﾋﾞｯﾄ=ﾛｰｶﾙ確認\n\t"
                                     "xx01xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"));
    EXPECT_EQ(items[I + 2], Tag("DT", 2, "22\txxxxxxx0\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=ﾃﾞｰﾀ\n\txxxx001x\t送側順序番号=1\n\t"
                                         "xxx0xxxx\tﾓｱﾃﾞｰﾀ=なし\n\t001xxxxx\t受信順序番号=1"));
    EXPECT_EQ(items[I + 3], Tag("DT", 3, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"));
    EXPECT_EQ(items[I + 4], Tag("DT", 4, "42\t01000010\tﾕｰｻﾞｰﾃﾞｰﾀ='B'"));
}

TEST(X25Detail, ReceiveReadyShowsItsSequenceNumber) {
    auto items = Items(X25({0x10, 0x01, 0x41}), Names());
    EXPECT_EQ(items[I], Tag("RR", 0, "10\t0001xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"));
    EXPECT_EQ(items[I + 2], Tag("RR", 2, "41\txxx00001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=受信可\n\t010xxxxx\t順序番号=2"));
}

TEST(X25Detail, RestartCauseByDirection) {
    auto request = Items(X25({0x10, 0x00, 0xFB, 0x07, 0x00}), Names());
    EXPECT_EQ(request[I + 3], Tag("SQ", 3, "07\t00000111\tﾘｽﾀｰﾄ原因=7"));
    EXPECT_EQ(request[I + 4], Tag("SQ", 4, "00\t00000000\t診断符号=0"));
    auto indication = Items(X25({0x10, 0x00, 0xFB, 0x07, 0x00, 0x41}, FrameRecord::kRx), Names());
    EXPECT_EQ(indication[I + 3], Tag("SI", 3, "07\t00000111\tﾘｽﾀｰﾄ原因=網運用開始"));
    EXPECT_EQ(indication[I + 4], Tag("SI", 4, "00\t00000000\t診断符号=情報なし"));
    // Nothing follows a restart diagnostic.
    EXPECT_EQ(indication[I + 5], Tag("SI", 5, "41\t"));
}

TEST(X25Detail, PacketSizeFacilityThenUserData) {
    auto items = Items(X25({0x10, 0x01, 0x0B, 0x00, 0x03, 0x42, 0x07, 0x07, 0x41}), Names());
    EXPECT_EQ(items[I + 4], Tag("CR", 4, "03\t00000011\tﾌｧｼﾘﾃｨ長=3"));
    EXPECT_EQ(items[I + 5], Tag("CR", 5, "42\t01000010\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=ﾊﾟｹｯﾄｻｲｽﾞ"));
    EXPECT_EQ(items[I + 6], Tag("CR", 6, "07\txxxx0111\t着呼ﾕｰｻﾞからのｻｲｽﾞ=128 byte"));
    EXPECT_EQ(items[I + 7], Tag("CR", 7, "07\txxxx0111\t発呼ﾕｰｻﾞからのｻｲｽﾞ=128 byte"));
    EXPECT_EQ(items[I + 8], Tag("CR", 8, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"));
}

TEST(X25Detail, UnknownFacilityParametersArePassedOver) {
    auto items = Items(X25({0x10, 0x01, 0x0B, 0x00, 0x03, 0x05, 0x01, 0x02, 0x0D}), Names());
    EXPECT_EQ(items[I + 5], Tag("CR", 5, "05\t00000101\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=0x05"));
    EXPECT_EQ(items[I + 6], Tag("CR", 6, "01\t"));
    EXPECT_EQ(items[I + 7], Tag("CR", 7, "02\t"));
    EXPECT_EQ(items[I + 8], Tag("CR", 8, "0D\t00001101\tﾕｰｻﾞｰﾃﾞｰﾀ='\\r'"));
}

TEST(X25Detail, PacketTypeTextWithoutCommaTagsEveryOctetPlus) {
    MessageCatalogue c = Catalogue("IF_X25_PTYPE:\n0x0C=\"受信可\"\n");
    auto items = Items(X25({0x10, 0x01, 0x41}), c);
    EXPECT_EQ(items[I], S("\x10+00\x11" "10\t0001xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"));
    EXPECT_EQ(items[I + 2], S("\x10+02\x11" "41\txxx00001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=受信可\n\t010xxxxx\t順序番号=2"));
}

TEST(X25Detail, IdentifierWithoutKind) {
    auto items = Items(X25({0x10, 0x01, 0x09}), Names());
    EXPECT_EQ(items[I + 2], S("\x10+02\x11" "09\t00001001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=0x09"));
}
