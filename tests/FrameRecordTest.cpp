#include "store/FrameRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

FrameRecord Frame(std::vector<uint8_t> bytes, uint8_t direction = FrameRecord::kTx) {
    FrameRecord r(direction);
    EXPECT_TRUE(r.SetBytes(bytes.data(), bytes.size()));
    return r;
}

// "123456789" with its X.25 FCS 0x906E (the standard check value).
FrameRecord CheckValueFrame() {
    return Frame({0x7E, '1', '2', '3', '4', '5', '6', '7', '8', '9', 0x6E, 0x90, 0x7E});
}

}  // namespace

TEST(FrameRecord, StartsEmptyAndUnnumbered) {
    FrameRecord r(FrameRecord::kRx);
    EXPECT_TRUE(r.IsRx());
    EXPECT_EQ(r.Index(), -1);
    EXPECT_EQ(r.Length(), 0u);
    EXPECT_EQ(r.ByteAt(0), FrameRecord::kAbsent);
    EXPECT_EQ(r.Time(), TimeStamp());
}

TEST(FrameRecord, AssemblesByteByByteBetweenFlags) {
    FrameRecord r;
    EXPECT_FALSE(r.AppendByte(0x7E, true));
    EXPECT_FALSE(r.AppendByte(0x02, false));
    EXPECT_TRUE(r.AppendByte(0x7E, true));
    EXPECT_TRUE(r.AppendByte(0x55, false));  // ignored once complete
    EXPECT_EQ(r.Length(), 3u);
    EXPECT_EQ(r.ByteAt(2), 0x7E);
    // SetBytes only fills an empty record.
    uint8_t more[] = {1, 2};
    EXPECT_FALSE(r.SetBytes(more, 2));
    r.Clear();
    EXPECT_EQ(r.Length(), 0u);
    EXPECT_TRUE(r.SetBytes(more, 2));
    EXPECT_EQ(r.ByteAt(1), 2);
}

TEST(FrameRecord, CopiesAreDeepAndMovesLeaveNothingBehind) {
    FrameRecord a = CheckValueFrame();
    TimeStamp t;
    t.Set(1, 2, 3, 4);
    a.SetTime(t);
    a.SetIndex(77);
    EXPECT_TRUE(a.CheckCrc());
    FrameRecord b = a;
    EXPECT_NE(a.Bytes(), b.Bytes());
    EXPECT_EQ(b.Index(), 77);
    EXPECT_EQ(b.Time(), t);
    EXPECT_TRUE(b.CrcKnown());
    a.Clear();
    EXPECT_EQ(b.ByteAt(1), '1');

    FrameRecord c = std::move(b);
    EXPECT_EQ(c.Length(), 13u);
    EXPECT_EQ(b.Length(), 0u);  // NOLINT(bugprone-use-after-move): moved-from must be safe
    EXPECT_EQ(b.ByteAt(0), FrameRecord::kAbsent);
    EXPECT_FALSE(b.CheckCrc());
}

TEST(FrameRecord, FrameCheckSequence) {
    FrameRecord good = CheckValueFrame();
    EXPECT_TRUE(good.CheckCrc());
    EXPECT_TRUE(good.CrcKnown());
    FrameRecord bad = Frame({0x7E, '1', '2', '3', '4', '5', '6', '7', '8', '9', 0x6F, 0x90, 0x7E});
    EXPECT_FALSE(bad.CheckCrc());
    EXPECT_TRUE(bad.CrcKnown());
    // Shorter than five bytes never passes and caches nothing.
    FrameRecord shortFrame = Frame({0x7E, 0x02, 0x7E, 0x7E});
    EXPECT_FALSE(shortFrame.CheckCrc());
    EXPECT_FALSE(shortFrame.CrcKnown());
}

TEST(FrameRecord, SixByteFrameCoversAddressOctetsOnly) {
    // Find the FCS of 02 01 by trying every value: exactly one must pass,
    // which shows the flags and FCS themselves are outside the check.
    int passing = 0;
    for (int fcs = 0; fcs < 0x10000; ++fcs) {
        FrameRecord r = Frame({0x7E, 0x02, 0x01, uint8_t(fcs & 0xFF), uint8_t(fcs >> 8), 0x7E});
        if (r.CheckCrc()) {
            ++passing;
            // Changing the flags does not change the result.
            FrameRecord noFlags =
                Frame({0x00, 0x02, 0x01, uint8_t(fcs & 0xFF), uint8_t(fcs >> 8), 0x00});
            EXPECT_TRUE(noFlags.CheckCrc());
        }
    }
    EXPECT_EQ(passing, 1);
}

TEST(FrameRecord, LayoutOfLapdFrames) {
    // SAPI 0 I frame: address 00 01, control 02 04, Q.931 SETUP with call reference 0x81.
    FrameRecord setup = Frame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x01, 0x81, 0x05, 0, 0, 0x7E});
    EXPECT_EQ(setup.ControlOffset(), 3);
    EXPECT_TRUE(setup.IsIFrame());
    EXPECT_FALSE(setup.IsUFrame());
    EXPECT_EQ(setup.InfoOffset(), 5);
    EXPECT_EQ(setup.Sapi(), 0);
    EXPECT_TRUE(setup.IsSapiCallControl());
    EXPECT_EQ(setup.CallRefLength(), 1);
    EXPECT_EQ(setup.CallReference(), 1);
    EXPECT_EQ(setup.MessageTypeOffset(), 8);

    // Two-octet call reference with the flag set.
    FrameRecord two = Frame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0x23, 0x05, 0, 0, 0x7E});
    EXPECT_EQ(two.CallReference(), 0x0123);
    // Dummy call reference.
    FrameRecord dummy = Frame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x00, 0x62, 0, 0, 0x7E});
    EXPECT_EQ(dummy.CallReference(), FrameRecord::kDummyCallReference);
    EXPECT_EQ(dummy.MessageTypeOffset(), 7);
    // A three-octet call reference yields its first octet.
    FrameRecord three = Frame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x03, 0x85, 1, 2, 0x05, 0, 0, 0x7E});
    EXPECT_EQ(three.CallReference(), 5);

    // TEI management UI frame on SAPI 63: message type three octets into the field.
    FrameRecord tei = Frame({0x7E, 0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x01, 0xFF, 0, 0, 0x7E});
    EXPECT_TRUE(tei.IsUIFrame());
    EXPECT_TRUE(tei.IsUFrame());
    EXPECT_TRUE(tei.IsSapiManagement());
    EXPECT_EQ(tei.InfoOffset(), 4);
    EXPECT_EQ(tei.MessageTypeOffset(), 7);
    // UI with the P bit is still UI; SABME is U but not UI.
    EXPECT_TRUE(Frame({0x7E, 0x00, 0x01, 0x13, 0, 0, 0x7E}).IsUIFrame());
    FrameRecord sabme = Frame({0x7E, 0x00, 0x01, 0x7F, 0, 0, 0x7E});
    EXPECT_TRUE(sabme.IsUFrame());
    EXPECT_FALSE(sabme.IsUIFrame());
    // RR is S format with two control octets; X.25 on SAPI 16.
    FrameRecord rr = Frame({0x7E, 0x40, 0x01, 0x01, 0x05, 0, 0, 0x7E});
    EXPECT_TRUE(rr.IsSFrame());
    EXPECT_TRUE(rr.IsSapiPacket());
    EXPECT_EQ(rr.InfoOffset(), 5);
    // First address octet with EA set: control at 2.
    EXPECT_EQ(Frame({0x7E, 0x01, 0x03, 0xAA, 0, 0, 0x7E}).ControlOffset(), 2);
}

TEST(FrameRecord, LayoutQueriesNeverReadPastTheFrame) {
    // Every prefix of a frame, and frames whose fields run into the FCS.
    std::vector<uint8_t> full = {0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0x23, 0x05, 0, 0, 0x7E};
    for (size_t n = 0; n <= full.size(); ++n) {
        FrameRecord r = Frame(std::vector<uint8_t>(full.begin(), full.begin() + n));
        int info = r.InfoOffset();
        int type = r.MessageTypeOffset();
        if (info != FrameRecord::kAbsent) EXPECT_LE(size_t(info), r.BodyEnd());
        if (type != FrameRecord::kAbsent) EXPECT_LT(size_t(type), r.BodyEnd());
        (void)r.CallReference();
        (void)r.IsIFrame();
    }
    // No EA bit anywhere in the body: no control field.
    FrameRecord noEa = Frame({0x7E, 0x00, 0x02, 0x04, 0x01, 0x01, 0x7E});
    EXPECT_EQ(noEa.ControlOffset(), FrameRecord::kAbsent);
    EXPECT_FALSE(noEa.IsIFrame() || noEa.IsSFrame() || noEa.IsUFrame());
    EXPECT_EQ(noEa.InfoOffset(), FrameRecord::kAbsent);
    // I frame whose second control octet would be the FCS.
    FrameRecord cut = Frame({0x7E, 0x00, 0x01, 0x02, 0x11, 0x22, 0x7E});
    EXPECT_EQ(cut.InfoOffset(), FrameRecord::kAbsent);
    // Call reference octets missing.
    FrameRecord noCr = Frame({0x7E, 0x00, 0x01, 0x02, 0x04, 0x08, 0x02, 0x81, 0, 0, 0x7E});
    EXPECT_EQ(noCr.CallReference(), FrameRecord::kNoCallReference);
    EXPECT_EQ(noCr.MessageTypeOffset(), FrameRecord::kAbsent);
}
