// The layer-2 and layer-3 texts that the frame list shows and the detail reuses.
#include <gtest/gtest.h>

#include <tuple>

#include "decode/ChannelList.h"
#include "decode/Layer2Fields.h"
#include "decode/Layer3Fields.h"
#include "decode/X25PacketKind.h"
#include "tests/support/DetailSupport.h"

using namespace testsupport;
using L2 = Layer2Fields;
using L3 = Layer3Fields;

namespace {

constexpr uint8_t kTx = FrameRecord::kTx, kRx = FrameRecord::kRx;

std::string Layer2(const FrameRecord& r) {
    const MessageCatalogue& c = Names();
    return L2::SapiField(r, c) + "|" + L2::TeiField(r, c) + "|" + L2::CommandResponseField(r, c) + "|" +
           L2::CommandField(r, c) + "|" + L2::SendSequenceField(r) + "|" + L2::ReceiveSequenceField(r) + "|" +
           L2::PollFinalField(r, c);
}

}  // namespace

TEST(Layer2Fields, AddressControlAndPollFinalByDirection) {
    const std::tuple<std::vector<uint8_t>, uint8_t, const char*> cases[] = {
        // C/R 0 is a command sent, a response received; C/R 1 the other way round.
        {{0x00, 0x01, 0x7F}, kTx, "SAPI=呼制御|TEI=固定|C/R=ｺﾏﾝﾄﾞ|[SABME]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=|ﾎﾟｰﾙ=1"},
        {{0x00, 0x01, 0x73}, kRx, "SAPI=呼制御|TEI=固定|C/R=ﾚｽﾎﾟﾝｽ|[0x63]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=|ﾌｧｲﾅﾙ=1"},
        {{0x02, 0x01, 0x01, 0x05}, kTx, "SAPI=呼制御|TEI=固定|C/R=ﾚｽﾎﾟﾝｽ|[RR]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=2|ﾌｧｲﾅﾙ=1"},
        {{0x02, 0x01, 0x01, 0x05}, kRx, "SAPI=呼制御|TEI=固定|C/R=ｺﾏﾝﾄﾞ|[RR]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=2|ﾎﾟｰﾙ=1"},
        {{0x00, 0x01, 0xF9, 0xFE}, kTx, "SAPI=呼制御|TEI=固定|C/R=ｺﾏﾝﾄﾞ|[0x09]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=127|ﾎﾟｰﾙ=0"},
        // An I frame that is a response still shows "ﾎﾟｰﾙ=".
        {{0x02, 0x81, 0x0A, 0x07}, kTx, "SAPI=呼制御|TEI=自動|C/R=ﾚｽﾎﾟﾝｽ|[I]|送信ｼｰｹﾝｽ番号=5|受信ｼｰｹﾝｽ番号=3|ﾎﾟｰﾙ=1"},
        {{0xFC, 0xFF, 0x03, 0x0F}, kTx, "SAPI=L2管理|TEI=0x7F|C/R=ｺﾏﾝﾄﾞ|[UI]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=|ﾎﾟｰﾙ=0"},
        // A one-octet address gives the TEI as well.
        {{0x81, 0x7F}, kTx, "SAPI=0x20|TEI=自動|C/R=ｺﾏﾝﾄﾞ|[SABME]|送信ｼｰｹﾝｽ番号=|受信ｼｰｹﾝｽ番号=|ﾎﾟｰﾙ=1"},
        // Missing octets give empty fields.
        {{}, kTx, "||||||"},
        {{0x00, 0x00, 0x00}, kTx, "SAPI=呼制御||C/R=ｺﾏﾝﾄﾞ||||"},
        {{0x00, 0x01, 0x02}, kTx, "SAPI=呼制御|TEI=固定|C/R=ｺﾏﾝﾄﾞ|[I]|送信ｼｰｹﾝｽ番号=1||"},
    };
    for (const auto& [body, direction, expected] : cases)
        EXPECT_EQ(Layer2(FcsFrame(body, direction)), S(expected)) << expected;
    // No address, no command.
    EXPECT_EQ(std::pair(L2::IsCommand(FcsFrame({}, kTx)), L2::IsCommand(FcsFrame({}, kRx))), std::pair(false, false));
}

TEST(Layer2Fields, ActionIndicatorSectionFollowsTheMessageType) {
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {{0x01, 0xFF}, "動作表示=任意"}, {{0x02, 0x81}, "動作表示=割当TEI"}, {{0x03, 0x81}, "動作表示=0x40"},
        {{0x00, 0xFF}, "動作表示="}, {{0x08, 0xFF}, "動作表示="}, {{0x01}, ""}};
    for (const auto& [tail, expected] : cases) {
        std::vector<uint8_t> body{0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34};
        body.insert(body.end(), tail.begin(), tail.end());
        EXPECT_EQ(L2::ActionIndicator(FcsFrame(body), Names()), S(expected)) << expected;
    }
}

TEST(Layer3Fields, HeaderAndCallReference) {
    auto header = [](const FrameRecord& r) {
        return L3::ProtocolDiscriminator(r, Names()) + "|" + L3::CallRefLengthText(r) + "|" +
               L3::CallRefFlag(r, Names()) + "|" + L3::CallReferenceField(r) + "|" + L3::MessageTypeField(r, Names());
    };
    EXPECT_EQ(header(Q931Frame(0x85, {})), S("ﾌﾟﾛﾄｺﾙ識別子=Q.931|呼番号長=1|呼番号ﾌﾗｸﾞ=発側|呼番号=1|-SETUP-"));
    EXPECT_EQ(header(Q931Frame({0x02, 0x81, 0x23}, 0x45, {})),
              S("ﾌﾟﾛﾄｺﾙ識別子=Q.931|呼番号長=2|呼番号ﾌﾗｸﾞ=着側|呼番号=291|-DISC-"));
    EXPECT_EQ(header(Q931Frame({0x00}, 0x7B, {})), S("ﾌﾟﾛﾄｺﾙ識別子=Q.931|呼番号長=0|呼番号ﾌﾗｸﾞ=発側|呼番号=ﾀﾞﾐｰ|-INFO-"));
    // Call reference octets cut off by the FCS.
    EXPECT_EQ(header(FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x02, 0x81})),
              S("ﾌﾟﾛﾄｺﾙ識別子=Q.931|呼番号長=2|呼番号ﾌﾗｸﾞ=着側||"));
}

TEST(Layer3Fields, ChannelAndNumbersFromTheElementsUpToTheFcs) {
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {  // channel|calling|called
        {{0x18, 0x03, 0xA9, 0x83, 0x97}, "CH=23||"}, {{0x18, 0x04, 0xA9, 0x83, 0x01, 0x82}, "CH=1,2||"},
        {{0x18, 0x03, 0xA9, 0x88, 0x81}, "CH=1||"},  // H11 by number
        // Octet 3.2 follows the first octet with bit 8 set, and the octets 3.1 of an identified interface.
        {{0x18, 0x04, 0x29, 0x80, 0x83, 0x82}, "CH=2||"}, {{0x18, 0x04, 0xE9, 0x81, 0x83, 0x85}, "CH=5||"},
        {{0x18, 0x05, 0xE9, 0x01, 0x82, 0x83, 0x86}, "CH=6||"}, {{0x18, 0x03, 0xA9, 0x98, 0x00}, "CH=1||"},
        {{0x18, 0x05, 0xA9, 0x93, 0x00, 0x00, 0x05}, "CH=1,3||"}, {{0x18, 0x03, 0xA9, 0x96, 0xF8}, "CH=19～24||"},
        {{0x18, 0x05, 0xA9, 0x93, 0x80, 0x01, 0x01}, "CH=24,9,1||"}, {{0x18, 0x03, 0xA9, 0x96, 0x05}, "CH=1～6,13～18||"},
        {{0x18, 0x05, 0xA9, 0x93, 0x00, 0x00, 0x00}, "||"}, {{0x18, 0x03, 0xA9, 0x84, 0x81}, "CH=UnKnown||"},
        {{0x18, 0x01, 0x89}, "||"},  // basic rate
        // Found behind other and single-octet elements, not inside another's contents.
        {{0x04, 0x03, 0x80, 0x90, 0xA3, 0xA1, 0x96, 0x18, 0x03, 0xA9, 0x83, 0x8A}, "CH=10||"},
        {{0x1C, 0x04, 0x18, 0x03, 0xA9, 0x83}, "||"}, {{0x04, 0xFF, 0x18, 0x03, 0xA9, 0x83, 0x81}, "||"},
        // Octet 3 with bit 8 clear: an octet 3a, which the called number never has.
        {{0x6C, 0x06, 0x21, 0x80, '1', '2', '3', '4', 0x70, 0x05, 0x21, '0', '3', '1', '2'},
         "|発番号=\"1234\"|着番号=\"0312\""},
        {{0x6C, 0x04, 0xA1, '5', '6', '7', 0x70, 0x04, 0xA1, '#', '*', '0'}, "|発番号=\"567\"|着番号=\"#*0\""},
        {{0x6C, 0x02, 0x21, 0x80, 0x70, 0x01, 0xA1}, "||"}, {{0x6C, 0x01, 0xA1, 0x70, 0x00}, "||"},
        {{0x6C, 0x00, 0x70, 0x02, 0xA1, '9'}, "||着番号=\"9\""},
        {{0x70, 0x08, 0xA1, 0x0D, 0x0A, 0x09, 0x85, 0x7F, 0x00, '"'}, "||着番号=\"\\r\\n\\t･･･\"\""},
        // Reading stops at the FCS.
        {{0x18, 0x05, 0xA9, 0x83, 0x01}, "CH=1||"}, {{0x18, 0x05, 0xA9, 0x83}, "||"},
        {{0x18, 0x05, 0xA9, 0x93, 0x00, 0x01}, "CH=9||"}, {{0x18, 0x05, 0x29, 0x00}, "||"},
        {{0x70, 0x09, 0xA1, '1', '2'}, "||着番号=\"12\""}, {{0x70, 0x09, 0xA1}, "||"}, {{0x6C, 0x09}, "||"}, {{}, "||"},
    };
    for (const auto& [elements, expected] : cases) {
        FrameRecord r = Q931Frame(0x05, elements);
        EXPECT_EQ(ChannelList::Field(r) + "|" + L3::CallingNumberField(r) + "|" + L3::CalledNumberField(r),
                  S(expected)) << expected;
    }
}

TEST(X25PacketKind, ByIdentifierAndDirectionAndItsListText) {
    // identifier, TX kind, RX kind
    const int kinds[][3] = {{0x0B, 0, 1},   {0x0F, 2, 3},   {0x13, 4, 5},   {0x17, 6, 7},   {0xFB, 8, 9},
                            {0xFF, 10, 10}, {0x1B, 14, 15}, {0x1F, 16, 16}, {0x23, 17, 17}, {0x27, 18, 18},
                            {0x00, 11, 11}, {0xFE, 11, 11}, {0x21, 12, 12}, {0x01, 12, 12}, {0x25, 13, 13},
                            {0x09, -1, -1}, {0xF3, -1, -1}};
    for (const auto& k : kinds)
        EXPECT_EQ(std::tuple(X25PacketKind::Of(k[0], false), X25PacketKind::Of(k[0], true)), std::tuple(k[1], k[2]))
            << k[0];
    // The name after the first comma; a name without one whole.
    const std::tuple<std::vector<uint8_t>, uint8_t, const char*> fields[] = {
        {{0x10, 0x01, 0x0B, 0x00}, kTx, "-発呼要求-"}, {{0x10, 0x01, 0x0B, 0x00}, kRx, "-着呼-"},
        {{0x10, 0x01, 0x00}, kRx, "-ﾃﾞｰﾀ,D-"},       {{0x10, 0x01, 0x21}, kTx, "-受信可-"},
        {{0x10, 0x01, 0x25}, kTx, "-0x0D-"},          {{0x10, 0x01, 0x09}, kRx, ""},
        {{0x10, 0x01}, kTx, ""}};
    for (const auto& [packet, direction, expected] : fields)
        EXPECT_EQ(L3::X25PacketField(X25Frame(packet, direction), Names()), S(expected)) << expected;
}
