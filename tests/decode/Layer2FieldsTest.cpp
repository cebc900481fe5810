#include "decode/Layer2Fields.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using namespace testsupport;
using L2 = Layer2Fields;

namespace {

constexpr uint8_t kTx = FrameRecord::kTx, kRx = FrameRecord::kRx;

const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue(
        "AF_SAPI:\n0x3F=\"管理\"\nAF_TEI:\n0x40-0x7E=\"自動\"\nAF_UCR:\n0x00=\"C\"\n0x02=\"R\"\n"
        "CF_FRAME:\n0x03=\"UI\"\n0x6F=\"SABME\"\nCF_PF:\n0x00=\"0\"\n0x01=\"1\"\n"
        "IF_L2MG_MSG:\n0x01=\"ID要求\"\nIF_L2MG_AI1:\n0x7F=\"任意\"\n"
        "IF_L2MG_AI2:\n0x40-0x7E=\"割当TEI\"\nCRC:\n0x00=\"OK\"\n0x01=\"NG\"\n");
    return c;
}

}  // namespace

TEST(Layer2CommandResponse, DependsOnDirectionAndCrBit) {
    EXPECT_EQ(L2::CommandResponseField(FcsFrame({0x00, 0x01, 0x7F}, kTx), Names()), "C/R=C");
    EXPECT_EQ(L2::CommandResponseField(FcsFrame({0x02, 0x01, 0x7F}, kTx), Names()), "C/R=R");
    EXPECT_EQ(L2::CommandResponseField(FcsFrame({0x02, 0x01, 0x7F}, kRx), Names()), "C/R=C");
    EXPECT_EQ(L2::CommandResponseField(FcsFrame({0x00, 0x01, 0x7F}, kRx), Names()), "C/R=R");
}

TEST(Layer2PollFinal, NamedByFormatAndCommandOrResponse) {
    // An I frame sent TX with C/R 1 is a response, yet shows "ﾎﾟｰﾙ=".
    EXPECT_EQ(L2::PollFinalField(FcsFrame({0x02, 0x01, 0x0A, 0x07, 0x08}, kTx), Names()), Sjis("ﾎﾟｰﾙ=1"));
    EXPECT_EQ(L2::PollFinalField(FcsFrame({0x02, 0x01, 0x01, 0x05}, kTx), Names()), Sjis("ﾌｧｲﾅﾙ=1"));
    EXPECT_EQ(L2::PollFinalField(FcsFrame({0x00, 0x01, 0x01, 0x04}, kTx), Names()), Sjis("ﾎﾟｰﾙ=0"));
    // U frames: bit 4 of the control octet.
    EXPECT_EQ(L2::PollFinalField(FcsFrame({0x00, 0x01, 0x73}, kRx), Names()), Sjis("ﾌｧｲﾅﾙ=1"));
    EXPECT_EQ(L2::PollFinalField(FcsFrame({0x00, 0x01, 0x6F}, kTx), Names()), Sjis("ﾎﾟｰﾙ=0"));
}

TEST(Layer2Control, FrameTypeCodesAndSequenceNumbers) {
    EXPECT_EQ(L2::CommandField(FcsFrame({0x00, 0x01, 0x7F}), Names()), "[SABME]");  // P cleared
    EXPECT_EQ(L2::FrameTypeCode(FcsFrame({0x00, 0x01, 0xFE, 0xFF})), 0x00);
    EXPECT_EQ(L2::FrameTypeCode(FcsFrame({0x00, 0x01, 0xF9, 0xFF})), 0x09);
    EXPECT_EQ(L2::FrameTypeCode(FcsFrame({0x00, 0x01, 0x73})), 0x63);
    FrameRecord i = FcsFrame({0x00, 0x01, 0x0A, 0x07, 0x08});
    EXPECT_EQ(L2::SendSequenceField(i), Sjis("送信ｼｰｹﾝｽ番号=5"));
    EXPECT_EQ(L2::ReceiveSequenceField(i), Sjis("受信ｼｰｹﾝｽ番号=3"));
    FrameRecord s = FcsFrame({0x00, 0x01, 0x01, 0xFE});
    EXPECT_EQ(L2::SendSequenceField(s), Sjis("送信ｼｰｹﾝｽ番号="));
    EXPECT_EQ(L2::ReceiveSequenceField(s), Sjis("受信ｼｰｹﾝｽ番号=127"));
    EXPECT_EQ(L2::ReceiveSequenceField(FcsFrame({0x00, 0x01, 0x7F})), Sjis("受信ｼｰｹﾝｽ番号="));
}

TEST(Layer2Address, EmptyCatalogueShowsHexCodes) {
    MessageCatalogue empty;
    FrameRecord sabme = FcsFrame({0x00, 0x81, 0x7F});  // SAPI 0, TEI 64, command
    EXPECT_EQ(L2::SapiField(sabme, empty), "SAPI=0x00");
    EXPECT_EQ(L2::TeiField(sabme, empty), "TEI=0x40");
    EXPECT_EQ(L2::CommandResponseField(sabme, empty), "C/R=0x00");
    EXPECT_EQ(L2::CommandField(sabme, empty), "[0x6F]");
    EXPECT_EQ(L2::CrcField(false, empty), "CRC=0x01");
}

TEST(Layer2Address, SapiTeiAndOneOctetAddress) {
    FrameRecord r = FcsFrame({0xFC, 0xFF, 0x03, 0x0F});
    EXPECT_EQ(L2::SapiField(r, Names()), Sjis("SAPI=管理"));
    EXPECT_EQ(L2::TeiField(r, Names()), "TEI=0x7F");
    // EA bit set in octet 1: the TEI comes from octet 1 as well.
    EXPECT_EQ(L2::TeiField(FcsFrame({0x81, 0x7F}), Names()), Sjis("TEI=自動"));
}

TEST(Layer2Frame, TimeDataCheckAndLayer3) {
    FrameRecord r = FcsFrame({0x00, 0x01, 0x7F});
    TimeStamp t;
    t.Set(1, 2, 3, 4);
    r.SetTime(t);
    EXPECT_EQ(L2::TimeField(r), "TIME=01:02:03.004");
    std::string data;
    L2::AppendData(data, r);
    EXPECT_EQ(data.substr(0, 12), "7E 00 01 7F ");
    EXPECT_EQ(data.size(), 21u);
    EXPECT_EQ(L2::CrcField(r.CheckCrc(), Names()), "CRC=OK");
    FrameRecord bad = FcsFrame({0x00, 0x01, 0x7F}, kTx, false);
    EXPECT_EQ(L2::CrcField(bad.CheckCrc(), Names()), "CRC=NG");
    EXPECT_TRUE(L2::HasLayer3(FcsFrame({0x40, 0x01, 0x00, 0x00, 0x01})));  // I on SAPI 16
    EXPECT_TRUE(L2::HasLayer3(FcsFrame({0x00, 0x7F, 0x13, 0x08})));        // UI with P, SAPI 0
    EXPECT_FALSE(L2::HasLayer3(FcsFrame({0xFC, 0xFF, 0x03, 0x0F})));       // UI on SAPI 63
    EXPECT_FALSE(L2::HasLayer3(FcsFrame({0x00, 0x01, 0x01, 0x01})));       // RR
}

TEST(Layer2Management, MessageAndActionIndicator) {
    FrameRecord request = FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF});
    EXPECT_EQ(L2::ManagementMessageField(request, Names()), Sjis("-ID要求-"));
    EXPECT_EQ(L2::ManagementMessageType(request, Names()), Sjis("ﾒｯｾｰｼﾞ種別=ID要求"));
    EXPECT_EQ(L2::ActionIndicator(request, Names()), Sjis("動作表示=任意"));
    FrameRecord assigned = FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x02, 0x81});
    EXPECT_EQ(L2::ActionIndicator(assigned, Names()), Sjis("動作表示=割当TEI"));
    FrameRecord denied = FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x03, 0x81});
    EXPECT_EQ(L2::ActionIndicator(denied, Names()), Sjis("動作表示=0x40"));
    for (uint8_t type : {0x00, 0x08})
        EXPECT_EQ(L2::ActionIndicator(FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, type, 0xFF}), Names()),
                  Sjis("動作表示="));
}

TEST(Layer2ShortFrames, MissingOctetsGiveEmptyFields) {
    for (const FrameRecord& r : {FcsFrame({}), FcsFrame({0x00, 0x00}), FcsFrame({0x00, 0x01}), FrameRecord()}) {
        EXPECT_EQ(L2::CommandField(r, Names()), "");
        EXPECT_EQ(L2::SendSequenceField(r), "");
        EXPECT_EQ(L2::PollFinalField(r, Names()), "");
        EXPECT_EQ(L2::ManagementMessageField(r, Names()), "");
    }
    EXPECT_EQ(L2::TeiField(FcsFrame({0x00, 0x00, 0x00}), Names()), "");
    EXPECT_EQ(L2::SapiField(FcsFrame({}), Names()), "");
    EXPECT_EQ(L2::CommandResponseField(FcsFrame({}), Names()), "");
    // An I frame cut after its first control octet: no N(R), no P/F.
    FrameRecord cut = FcsFrame({0x00, 0x01, 0x02});
    EXPECT_EQ(L2::ReceiveSequenceField(cut), "");
    EXPECT_EQ(L2::PollFinalField(cut, Names()), "");
    // A TEI management message without its action indicator octet.
    EXPECT_EQ(L2::ActionIndicator(FcsFrame({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01}), Names()), "");
}
