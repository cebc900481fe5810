// X.25 packets on SAPI 16: header, packet type by direction, address block,
// facilities, causes and user data.
#include <gtest/gtest.h>

#include "tests/support/DetailSupport.h"

using namespace testsupport;

namespace {

constexpr int I = 5;  // the information field of an X25 frame

struct Case {
    const char* name;
    FrameRecord frame;
    const char* tag;
    std::vector<Want> items;
    const MessageCatalogue* catalogue = nullptr;
};

}  // namespace

TEST(X25Detail, PacketsByTypeAndDirection) {
    static const MessageCatalogue noComma = Catalogue("IF_X25_PTYPE:\n0x0C=\"受信可\"\n");
    const uint8_t kRx = FrameRecord::kRx;
    const std::vector<Case> cases = {
        {"call request: addresses and an empty facility field, user data at once",
         X25Frame({0x10, 0x01, 0x0B, 0x55, 0x12, 0x34, 0x56, 0x78, 0x90, 0x00, 0x41}), "CR+",
         {{0, "10\tx0xxxxxx\tDﾋﾞｯﾄ=未ｻﾎﾟｰﾄ\n\t0x01xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\t"
              "xxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {1, "01\t00000001\t論理ﾁｬﾈﾙ番号=1"}, {2, "0B\t00001011\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=発呼要求"},
          {3, "55\t0101xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=5\n\txxxx0101\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=5"},
          {4, "12\t00010010\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"12\""}, {5, "34\t00110100\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"34\""},
          {6, "56\t0101xxxx\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"5\"xxxx0110\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"6\""},
          {7, "78\t01111000\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"78\""}, {8, "90\t10010000\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"90\""},
          {9, "00\t00000000\tﾌｧｼﾘﾃｨ長=0"}, {10, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"}}},
        {"the same packet received is an incoming call", X25Frame({0x10, 0x01, 0x0B, 0x00, 0x00}, kRx), "CN+",
         {{2, "0B\t00001011\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=着呼"},
          {3, "00\t0000xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=0\n\txxxx0000\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=0"},
          {4, "00\t00000000\tﾌｧｼﾘﾃｨ長=0"}}},
        {"odd digit counts and nibbles above nine", X25Frame({0x10, 0x01, 0x0B, 0x23, 0x1F, 0x24, 0x5A}),
         "CR+",
         {{4, "1F\t00011111\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"1\""},
          {5, "24\t0010xxxx\t着呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"2\"xxxx0100\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"4\""},
          {6, "5A\t0101xxxx\t発呼ﾕｰｻﾞｱﾄﾞﾚｽ=\"5\""}}},
        {"data packet", X25Frame({0x10, 0x01, 0x22, 0x41, 0x42}), "DT+",
         {{0, "10\t0xxxxxxx\tQﾋﾞｯﾄ=0\n\tx0xxxxxx\tDﾋﾞｯﾄ=ﾛｰｶﾙ確認\n\t"
              "xx01xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {2, "22\txxxxxxx0\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=ﾃﾞｰﾀ\n\txxxx001x\t送側順序番号=1\n\t"
              "xxx0xxxx\tﾓｱﾃﾞｰﾀ=なし\n\t001xxxxx\t受信順序番号=1"},
          {3, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"}, {4, "42\t01000010\tﾕｰｻﾞｰﾃﾞｰﾀ='B'"}}},
        {"receive ready shows its sequence number", X25Frame({0x10, 0x01, 0x41}), "RR+",
         {{0, "10\t0001xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {2, "41\txxx00001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=受信可\n\t010xxxxx\t順序番号=2"}}},
        {"restart request", X25Frame({0x10, 0x00, 0xFB, 0x07, 0x00}), "SQ+",
         {{3, "07\t00000111\tﾘｽﾀｰﾄ原因=7"}, {4, "00\t00000000\t診断符号=0"}}},
        {"restart indication; nothing follows its diagnostic",
         X25Frame({0x10, 0x00, 0xFB, 0x07, 0x00, 0x41}, kRx), "SI+",
         {{3, "07\t00000111\tﾘｽﾀｰﾄ原因=網運用開始"}, {4, "00\t00000000\t診断符号=情報なし"},
          {5, "41\t"}}},
        {"packet size facility, then user data",
         X25Frame({0x10, 0x01, 0x0B, 0x00, 0x03, 0x42, 0x07, 0x07, 0x41}), "CR+",
         {{4, "03\t00000011\tﾌｧｼﾘﾃｨ長=3"}, {5, "42\t01000010\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=ﾊﾟｹｯﾄｻｲｽﾞ"},
          {6, "07\txxxx0111\t着呼ﾕｰｻﾞからのｻｲｽﾞ=128 byte"},
          {7, "07\txxxx0111\t発呼ﾕｰｻﾞからのｻｲｽﾞ=128 byte"}, {8, "41\t01000001\tﾕｰｻﾞｰﾃﾞｰﾀ='A'"}}},
        {"unknown facility parameters are passed over",
         X25Frame({0x10, 0x01, 0x0B, 0x00, 0x03, 0x05, 0x01, 0x02, 0x0D}), "CR+",
         {{5, "05\t00000101\tﾕｰｻﾞｰﾌｧｼﾘﾃｨ=0x05"}, {6, "01\t"}, {7, "02\t"},
          {8, "0D\t00001101\tﾕｰｻﾞｰﾃﾞｰﾀ='\\r'"}}},
        {"a packet type text without a comma tags every octet \"+\"", X25Frame({0x10, 0x01, 0x41}), "+",
         {{0, "10\t0001xxxx\tｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=1\n\txxxx0000\t論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=0"},
          {2, "41\txxx00001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=受信可\n\t010xxxxx\t順序番号=2"}},
         &noComma},
        {"an identifier without a kind", X25Frame({0x10, 0x01, 0x09}), "+",
         {{2, "09\t00001001\tﾊﾟｹｯﾄﾀｲﾌﾟ識別子=0x09"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectItems(Items(c.frame, c.catalogue ? *c.catalogue : Names()), I, c.tag, c.items);
    }
}
