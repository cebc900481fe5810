#include "decode/Layer3Fields.h"
#include "decode/X25PacketKind.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "decode/ChannelList.h"
#include "decode/FrameQueries.h"

using namespace testsupport;
using L3 = Layer3Fields;

namespace {

const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue(
        "IF_PROTOCOL:\n0x08=\"Q.931\"\n"
        "IF_CALLNUMFLG:\n0x00=\"発信側\"\n0x01=\"着信側\"\n"
        "IF_CALLNUMLEN:\n0x02=\"2ｵｸﾃｯﾄ\"\n"
        "IF_MESSAGE:\n0x05=\"SETUP\"\n0x0D=\"SETUP ACK\"\n"
        "IF_X25_PTYPE:\n0x00=\"CALL REQUEST,発呼要求\"\n0x01=\"着呼\"\n0x0B=\"A,B,C\"\n");
    return c;
}

FrameRecord Packet(uint8_t identifier, uint8_t direction) {
    return FcsFrame({0x40, 0x01, 0x00, 0x00, 0x10, 0x01, identifier, 0x00}, direction);
}

}  // namespace

TEST(Layer3CallReference, Forms) {
    FrameRecord dummy = FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x00, 0x05});
    EXPECT_EQ(L3::CallReferenceField(dummy), Sjis("呼番号=ﾀﾞﾐｰ"));
    EXPECT_EQ(L3::MessageTypeField(dummy, Names()), "-SETUP-");
    FrameRecord two = FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x02, 0x81, 0x23, 0x05});
    EXPECT_EQ(L3::CallReferenceField(two), Sjis("呼番号=291"));
    EXPECT_EQ(L3::CallRefFlag(two, Names()), Sjis("呼番号ﾌﾗｸﾞ=着信側"));
    EXPECT_EQ(L3::CallRefLengthText(two), Sjis("呼番号長=2"));
    EXPECT_EQ(L3::MessageTypeName(two, Names()), "SETUP");
    FrameRecord one = Q931Frame(0x85, {});
    EXPECT_EQ(L3::CallReferenceField(one), Sjis("呼番号=1"));
    EXPECT_EQ(L3::CallRefFlag(one, Names()), Sjis("呼番号ﾌﾗｸﾞ=発信側"));
    EXPECT_EQ(L3::MessageType(one), 0x05);
    EXPECT_EQ(L3::ProtocolDiscriminator(one, Names()), Sjis("ﾌﾟﾛﾄｺﾙ識別子=Q.931"));
    // Call reference octets cut off by the FCS.
    FrameRecord cut = FcsFrame({0x00, 0x01, 0x00, 0x00, 0x08, 0x02, 0x81});
    EXPECT_EQ(L3::CallReferenceField(cut), "");
    EXPECT_EQ(L3::MessageTypeField(cut, Names()), "");
}

TEST(Layer3CallReference, UiFrameTakesMessageTypeAtFixedPlace) {
    // Two-octet call reference: octet 3 of the information field is its second octet.
    FrameRecord ui = FcsFrame({0x00, 0x01, 0x03, 0x08, 0x02, 0x81, 0x85, 0x0D});
    EXPECT_EQ(L3::MessageType(ui), 0x05);
    EXPECT_EQ(L3::MessageTypeField(ui, Names()), "-SETUP-");
}

TEST(Layer3Channels, ByNumberByMapOtherTypesAndTheFcs) {
    const std::pair<std::vector<uint8_t>, std::string> cases[] = {
        {{0x18, 0x03, 0xA9, 0x83, 0x97}, "CH=23"},
        {{0x18, 0x04, 0xA9, 0x83, 0x01, 0x82}, "CH=1,2"},
        {{0x18, 0x03, 0xA9, 0x88, 0x81}, "CH=1"},  // H11 by number
        // Octet 3 without its extension bit: octet 3.2 follows the next octet that has it.
        {{0x18, 0x04, 0x29, 0x80, 0x83, 0x82}, "CH=2"},
        // Interface identifier present: octet 3.2 follows the octets 3.1.
        {{0x18, 0x04, 0xE9, 0x81, 0x83, 0x85}, "CH=5"},
        {{0x18, 0x05, 0xE9, 0x01, 0x82, 0x83, 0x86}, "CH=6"},
        // By map.
        {{0x18, 0x05, 0xA9, 0x93, 0x00, 0x00, 0x05}, "CH=1,3"},
        {{0x18, 0x05, 0xA9, 0x93, 0x80, 0x01, 0x01}, "CH=24,9,1"},
        {{0x18, 0x03, 0xA9, 0x96, 0x05}, Sjis("CH=1～6,13～18")},
        {{0x18, 0x03, 0xA9, 0x96, 0xF8}, Sjis("CH=19～24")},
        {{0x18, 0x03, 0xA9, 0x98, 0x00}, "CH=1"},
        {{0x18, 0x05, 0xA9, 0x93, 0x00, 0x00, 0x00}, ""},
        // Other element types.
        {{0x18, 0x03, 0xA9, 0x84, 0x81}, "CH=UnKnown"},
        {{0x18, 0x01, 0x89}, ""},  // basic-rate interface type
        {{}, ""},
        // Found behind other elements and single-octet elements.
        {{0x04, 0x03, 0x80, 0x90, 0xA3, 0xA1, 0x96, 0x18, 0x03, 0xA9, 0x83, 0x8A}, "CH=10"},
        // 0x18 inside another element's contents is not an element.
        {{0x1C, 0x04, 0x18, 0x03, 0xA9, 0x83}, ""},
        // Reading stops at the FCS: only channel numbers before it.
        {{0x18, 0x05, 0xA9, 0x83, 0x01}, "CH=1"},
        {{0x18, 0x05, 0xA9, 0x83}, ""},
        {{0x18, 0x05, 0xA9, 0x93, 0x00, 0x01}, "CH=9"},
        {{0x18, 0x05, 0x29, 0x00}, ""},  // no octet 3.2 before the FCS
    };
    for (const auto& [element, expected] : cases)
        EXPECT_EQ(ChannelList::Field(Q931Frame(0x05, element)), expected) << ::testing::PrintToString(element);
}

TEST(Layer3Numbers, WithAndWithoutOctet3aUpToTheFcs) {
    auto calling = [](std::vector<uint8_t> e) { return L3::CallingNumberField(Q931Frame(0x05, e)); };
    EXPECT_EQ(calling({0x6C, 0x06, 0x21, 0x80, '1', '2', '3', '4'}), Sjis("発番号=\"1234\""));
    EXPECT_EQ(calling({0x6C, 0x04, 0xA1, '5', '6', '7'}), Sjis("発番号=\"567\""));
    EXPECT_EQ(calling({0x6C, 0x02, 0x21, 0x80}), "");
    EXPECT_EQ(calling({0x6C, 0x01, 0xA1}), "");
    EXPECT_EQ(calling({0x6C, 0x00, 0x70, 0x02, 0xA1, '9'}), "");
    // The called number never has an octet 3a.
    auto called = [](std::vector<uint8_t> e) { return L3::CalledNumberField(Q931Frame(0x05, e)); };
    EXPECT_EQ(called({0x70, 0x05, 0x21, '0', '3', '1', '2'}), Sjis("着番号=\"0312\""));
    EXPECT_EQ(called({0x70, 0x04, 0xA1, '#', '*', '0'}), Sjis("着番号=\"#*0\""));
    EXPECT_EQ(called({0x70, 0x00}), "");
}

TEST(Layer3Numbers, OctetsThatAreNotPrintableAreEscaped) {
    FrameRecord r = Q931Frame(0x05, {0x70, 0x08, 0xA1, 0x0D, 0x0A, 0x09, 0x85, 0x7F, 0x00, '"'});
    EXPECT_EQ(L3::CalledNumberField(r), Sjis("着番号=\"\\r\\n\\t･･･\"\""));
    // Digits stop at the FCS.
    EXPECT_EQ(L3::CalledNumberField(Q931Frame(0x05, {0x70, 0x09, 0xA1, '1', '2'})), Sjis("着番号=\"12\""));
    EXPECT_EQ(L3::CalledNumberField(Q931Frame(0x05, {0x70, 0x09, 0xA1})), "");
    EXPECT_EQ(L3::CallingNumberField(Q931Frame(0x05, {0x6C, 0x09})), "");
}

TEST(Layer3ElementSearch, SkipsElementsByTheirLength) {
    FrameRecord r = Q931Frame(0x05, {0xA1, 0x08, 0x02, 0x80, 0x90, 0x96, 0x6C, 0x02, 0xA1, '1'});
    EXPECT_EQ(FrameQueries::FindElement(r, 0x08), 10);
    EXPECT_EQ(FrameQueries::FindElement(r, 0x6C), 15);  // behind the shift, codeset ignored
    EXPECT_EQ(FrameQueries::FindElement(r, 0x70), FrameRecord::kAbsent);
    EXPECT_EQ(FrameQueries::FindElement(Q931Frame(0x05, {0x04, 0xFF, 0x18}), 0x18), FrameRecord::kAbsent);
}

TEST(Layer3Packets, KindsByDirection) {
    // identifier, TX kind, RX kind
    const int kinds[][3] = {{0x0B, 0, 1},   {0x0F, 2, 3},   {0xFB, 8, 9},   {0xFF, 10, 10},
                            {0x1B, 14, 15}, {0x27, 18, 18}, {0x00, 11, 11}, {0xFE, 11, 11},
                            {0x21, 12, 12}, {0x01, 12, 12}, {0x25, 13, 13}, {0x09, -1, -1},
                            {0xF3, -1, -1}};
    for (auto& k : kinds) {
        EXPECT_EQ(X25PacketKind::Of(k[0], false), k[1]) << k[0];
        EXPECT_EQ(X25PacketKind::Of(k[0], true), k[2]) << k[0];
    }
    EXPECT_EQ(X25PacketKind::Of(Packet(0x0B, FrameRecord::kRx)), X25PacketKind::kIncomingCall);
}

TEST(Layer3Packets, FieldShowsNameAfterFirstComma) {
    EXPECT_EQ(L3::X25PacketField(Packet(0x0B, FrameRecord::kTx), Names()), Sjis("-発呼要求-"));
    EXPECT_EQ(L3::X25PacketField(Packet(0x0B, FrameRecord::kRx), Names()), Sjis("-着呼-"));
    EXPECT_EQ(L3::X25PacketField(Packet(0x01, FrameRecord::kRx), Names()), "-0x0C-");
    EXPECT_EQ(L3::X25PacketField(Packet(0x09, FrameRecord::kRx), Names()), "");
    MessageCatalogue commas = Catalogue("IF_X25_PTYPE:\n0x0B=\"A,B,C\"\n0x0C=\",\"\n");
    EXPECT_EQ(L3::X25PacketField(Packet(0x00, FrameRecord::kRx), commas), "-B,C-");
    EXPECT_EQ(L3::X25PacketField(Packet(0x21, FrameRecord::kRx), commas), "--");
    EXPECT_EQ(L3::X25PacketField(FcsFrame({0x40, 0x01, 0x00, 0x00, 0x10, 0x01}), Names()), "");
}
