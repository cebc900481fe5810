#include "store/FrameLayout.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

#include <vector>

using namespace testsupport;

namespace {

}  // namespace

TEST(FrameLayout, FieldsOfLapdFrames) {
    // SAPI 0 I frame: address 00 01, control 02 04, Q.931 SETUP with call reference 0x81.
    FrameRecord setupRecord = RawFrame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x01, 0x81, 0x05, 0, 0, 0x7E});
    FrameLayout setup(setupRecord);
    EXPECT_EQ(setup.ControlOffset(), 3);
    EXPECT_TRUE(setup.IsIFrame());
    EXPECT_FALSE(setup.IsUFrame());
    EXPECT_EQ(setup.InfoOffset(), 5);
    EXPECT_EQ(setup.Sapi(), 0);
    EXPECT_TRUE(setup.SapiProtocol() == FrameLayout::kCallControl);
    EXPECT_EQ(setup.CallRefLength(), 1);
    EXPECT_EQ(setup.CallReference(), 1);
    EXPECT_EQ(setup.MessageTypeOffset(), 8);

    // Two-octet call reference with the flag set.
    FrameRecord twoRecord = RawFrame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0x23, 0x05, 0, 0, 0x7E});
    FrameLayout two(twoRecord);
    EXPECT_EQ(two.CallReference(), 0x0123);
    // Dummy call reference.
    FrameRecord dummyRecord = RawFrame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x00, 0x62, 0, 0, 0x7E});
    FrameLayout dummy(dummyRecord);
    EXPECT_EQ(dummy.CallReference(), FrameLayout::kDummyCallReference);
    EXPECT_EQ(dummy.MessageTypeOffset(), 7);
    // A three-octet call reference yields its first octet.
    FrameRecord threeRecord = RawFrame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x03, 0x85, 1, 2, 0x05, 0, 0, 0x7E});
    FrameLayout three(threeRecord);
    EXPECT_EQ(three.CallReference(), 5);

    // TEI management UI frame on SAPI 63: message type three octets into the field.
    FrameRecord teiRecord = RawFrame({0x7E, 0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF, 0, 0, 0x7E});
    FrameLayout tei(teiRecord);
    EXPECT_TRUE(tei.IsUIFrame());
    EXPECT_TRUE(tei.IsUFrame());
    EXPECT_TRUE(tei.SapiProtocol() == FrameLayout::kManagement);
    EXPECT_EQ(tei.InfoOffset(), 4);
    EXPECT_EQ(tei.MessageTypeOffset(), 7);
    // UI with the P bit is still UI; SABME is U but not UI.
    FrameRecord uiPoll = RawFrame({0x7E, 0x00, 0x01, 0x13, 0, 0, 0x7E});
    EXPECT_TRUE(FrameLayout(uiPoll).IsUIFrame());
    FrameRecord sabmeRecord = RawFrame({0x7E, 0x00, 0x01, 0x7F, 0, 0, 0x7E});
    FrameLayout sabme(sabmeRecord);
    EXPECT_TRUE(sabme.IsUFrame());
    EXPECT_FALSE(sabme.IsUIFrame());
    // RR is S format with two control octets; X.25 on SAPI 16.
    FrameRecord rrRecord = RawFrame({0x7E, 0x40, 0x01, 0x01, 0x05, 0, 0, 0x7E});
    FrameLayout rr(rrRecord);
    EXPECT_TRUE(rr.IsSFrame());
    EXPECT_TRUE(rr.SapiProtocol() == FrameLayout::kPacket);
    EXPECT_EQ(rr.InfoOffset(), 5);
    // First address octet with EA set: control at 2.
    FrameRecord shortAddress = RawFrame({0x7E, 0x01, 0x03, 0xAA, 0, 0, 0x7E});
    EXPECT_EQ(FrameLayout(shortAddress).ControlOffset(), 2);
}

TEST(FrameLayout, QueriesNeverReadPastTheFrame) {
    // Every prefix of a frame, and frames whose fields run into the FCS.
    std::vector<uint8_t> full = {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0x23, 0x05, 0, 0, 0x7E};
    for (size_t n = 0; n <= full.size(); ++n) {
        FrameRecord rRecord = RawFrame(std::vector<uint8_t>(full.begin(), full.begin() + n));
        FrameLayout r(rRecord);
        int info = r.InfoOffset();
        int type = r.MessageTypeOffset();
        if (info != FrameLayout::kAbsent) EXPECT_LE(size_t(info), r.BodyEnd());
        if (type != FrameLayout::kAbsent) EXPECT_LT(size_t(type), r.BodyEnd());
        (void)r.CallReference();
        (void)r.IsIFrame();
    }
    // No EA bit anywhere in the body: no control field.
    FrameRecord noEaRecord = RawFrame({0x7E, 0x00, 0x02, 0x04, 0x01, 0x01, 0x7E});
    FrameLayout noEa(noEaRecord);
    EXPECT_EQ(noEa.ControlOffset(), FrameLayout::kAbsent);
    EXPECT_FALSE(noEa.IsIFrame() || noEa.IsSFrame() || noEa.IsUFrame());
    EXPECT_EQ(noEa.InfoOffset(), FrameLayout::kAbsent);
    // I frame whose second control octet would be the FCS.
    FrameRecord cutRecord = RawFrame({0x7E, 0x00, 0x01, 0x02, 0x11, 0x22, 0x7E});
    FrameLayout cut(cutRecord);
    EXPECT_EQ(cut.InfoOffset(), FrameLayout::kAbsent);
    // Call reference octets missing.
    FrameRecord noCrRecord = RawFrame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0, 0, 0x7E});
    FrameLayout noCr(noCrRecord);
    EXPECT_EQ(noCr.CallReference(), FrameLayout::kNoCallReference);
    EXPECT_EQ(noCr.MessageTypeOffset(), FrameLayout::kAbsent);
}
