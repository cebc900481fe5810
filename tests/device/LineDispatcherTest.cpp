#include "device/LineDispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/PtyDevice.h"
#include "device/LineAssembler.h"

namespace {

class LineDispatcherTest : public ::testing::Test {
protected:
    LineDispatcher::LineKind Run(std::string_view line) { return dispatcher_.Dispatch(line); }
    static std::string StatusLine(char dir, size_t start, const std::string& channels,
                                  char d, char line) {
        std::string s = "S";
        s += dir;
        s.resize(start, '-');
        return s + channels + d + "-" + line;
    }
    BChannelStatus TakeStatus() {
        BChannelStatus status;
        EXPECT_TRUE(replies_.TakeChannelStatus(status));
        return status;
    }

    CaptureQueue queue_;
    DeviceReplies replies_;
    LineDispatcher dispatcher_{queue_, replies_};
};

TEST_F(LineDispatcherTest, FrameLinesBecomeRecordsWithFlags) {
    struct Case {
        const char* line;
        bool tx;
        const char* time;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"TX[12:34:56.789]0201007F", true, "12:34:56.789", {0x7E, 0x02, 0x01, 0x00, 0x7F, 0x7E}},
        {"RX[12:34:56.789]", false, "12:34:56.789", {0x7E, 0x7E}},
        // Lower case digits; an odd last digit is an octet by itself.
        {"RX[00:00:00.000]0aFf3", false, "00:00:00.000", {0x7E, 0x0A, 0xFF, 0x03, 0x7E}},
        // The octets always start at 16, whatever stands there.
        {"TX[01:02:03.004]x", true, "01:02:03.004", {0x7E, 0x00, 0x7E}},
        // Non-hex characters count as zero digits.
        {"TX[12:34:56.789]0G1Z\xFF" "A", true, "12:34:56.789", {0x7E, 0x00, 0x10, 0x0A, 0x7E}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run(c.line), LineDispatcher::kFrame);
        FrameRecord r;
        ASSERT_TRUE(queue_.TryPop(r));
        EXPECT_EQ(r.IsTx(), c.tx);
        EXPECT_EQ(r.IsRx(), !c.tx);
        EXPECT_EQ(r.Time().Format(), c.time);
        EXPECT_EQ(BytesOf(r), c.bytes);
        EXPECT_EQ(queue_.Size(), 0u);
    }
}

TEST_F(LineDispatcherTest, BadFramesEchoesAndStrangersLeaveNoTrace) {
    // Frame lines with a bad time, then lines that are nothing at all.
    for (const char* ignored : {"TX[12:60:00.000]0201", "TX[1:23:45.678]0201", "TX", "RX[", "TX12:34:56.789]02",
                                "RX[12:34:56.789", "", "SX", "X", "s", "TT", "Q", "RA-730", "tessaro",
                                "[12-34:56.789]", "[1:23:45.678]", "[1", "[12:60:00.000]"})
        EXPECT_EQ(Run(ignored), LineDispatcher::kIgnored) << ignored;
    for (const char* echo : {"S", "E", "T", "R", "V", "I", "M"})  // "S" alone is no status line
        EXPECT_EQ(Run(echo), LineDispatcher::kEcho) << echo;
    EXPECT_EQ(queue_.Size(), 0u);
    std::string text;
    TimeStamp time;
    BChannelStatus status;
    EXPECT_FALSE(replies_.TakeIdentity(text));
    EXPECT_FALSE(replies_.TakeClock(time));
    EXPECT_FALSE(replies_.TakeChannelStatus(status));
}

TEST_F(LineDispatcherTest, IdentificationSetsTheKind) {
    std::string text;
    EXPECT_EQ(Run("Tessaro V2.10"), LineDispatcher::kIdentity);
    EXPECT_EQ(replies_.Kind(), DeviceKind::kTessaro);
    EXPECT_EQ(Run("RQ-730 Ver1.03 1998"), LineDispatcher::kIdentity);
    EXPECT_EQ(replies_.Kind(), DeviceKind::kRq730);
    ASSERT_TRUE(replies_.TakeIdentity(text));
    EXPECT_EQ(text, "RQ-730 Ver1.03 1998");  // the latest, whole
    EXPECT_FALSE(replies_.TakeIdentity(text));
    // Only the first two characters of "RQ-730" are compared.
    Run("Tessaro");
    EXPECT_EQ(Run("RQ"), LineDispatcher::kIdentity);
    EXPECT_EQ(replies_.Kind(), DeviceKind::kRq730);
}

TEST_F(LineDispatcherTest, ClockRepliesAreTakenOnce) {
    EXPECT_EQ(Run("[23:59:59.999]"), LineDispatcher::kClock);
    EXPECT_EQ(Run("[12:34-56,789]rest"), LineDispatcher::kClock);
    TimeStamp time;
    ASSERT_TRUE(replies_.TakeClock(time));
    EXPECT_EQ(time.Format(), "12:34:56.789");
    time.Set(1, 1, 1, 1);
    EXPECT_FALSE(replies_.TakeClock(time));
    EXPECT_EQ(time.Format(), "01:01:01.001");  // untouched
}

TEST_F(LineDispatcherTest, StatusLineOfTheRq730) {
    EXPECT_EQ(Run(StatusLine('T', 3, std::string(23, '1'), '1', '0')), LineDispatcher::kStatus);
    BChannelStatus status = TakeStatus();
    for (bool on : status.direction[FrameRecord::kTx].bChannel) EXPECT_TRUE(on);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].dChannel);
    EXPECT_FALSE(status.direction[FrameRecord::kTx].lineNormal);
    EXPECT_EQ(status.direction[FrameRecord::kRx], BChannelStatus::Direction());

    // The RX line changes RX only; "2" and "0" are not "1".
    EXPECT_EQ(Run(StatusLine('R', 3, "10200000000000000000000", '0', '1')), LineDispatcher::kStatus);
    status = TakeStatus();
    EXPECT_TRUE(status.direction[FrameRecord::kTx].bChannel[22]);
    const auto& rx = status.direction[FrameRecord::kRx];
    for (int i = 0; i < 23; ++i) EXPECT_EQ(rx.bChannel[i], i == 0) << i;
    EXPECT_FALSE(rx.dChannel);
    EXPECT_TRUE(rx.lineNormal);
    EXPECT_FALSE(replies_.TakeChannelStatus(status));
}

TEST_F(LineDispatcherTest, StatusLineAfterATessaroReplyStartsAt16) {
    Run("Tessaro");
    Run(StatusLine('T', 3, std::string(23, '1'), '1', '0'));
    BChannelStatus status = TakeStatus();
    const auto& tx = status.direction[FrameRecord::kTx];
    // Read from 16: ten channel "1", the RQ-730 D flag "1" at 26, "-", "0";
    // D and line state lie past the end.
    for (int i = 0; i < 23; ++i) EXPECT_EQ(tx.bChannel[i], i < 11) << i;
    EXPECT_FALSE(tx.dChannel);
    EXPECT_FALSE(tx.lineNormal);

    Run(StatusLine('T', 16, std::string(23, '1'), '1', '1'));
    status = TakeStatus();
    for (bool on : status.direction[FrameRecord::kTx].bChannel) EXPECT_TRUE(on);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].dChannel);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].lineNormal);
}

TEST_F(LineDispatcherTest, ShortStatusLineReadsAsAllOff) {
    EXPECT_EQ(Run("ST"), LineDispatcher::kStatus);
    EXPECT_EQ(Run("SR-111"), LineDispatcher::kStatus);
    BChannelStatus status;
    status.direction[0].lineNormal = true;
    ASSERT_TRUE(replies_.TakeChannelStatus(status));
    EXPECT_EQ(status.direction[FrameRecord::kTx], BChannelStatus::Direction());
    EXPECT_TRUE(status.direction[FrameRecord::kRx].bChannel[2]);
    EXPECT_FALSE(status.direction[FrameRecord::kRx].bChannel[3]);
}

TEST(DeviceLineAssembler, CutsLinesAndStripsLineEnds) {
    LineAssembler a;
    std::string line;
    auto add = [&](std::string_view s) { a.Append(reinterpret_cast<const uint8_t*>(s.data()), s.size()); };
    add("TX[12:");
    EXPECT_FALSE(a.NextLine(line));
    add("00:00.000]02\n");
    EXPECT_FALSE(a.NextLine(line));
    add("01\r");
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "TX[12:00:00.000]0201");
    EXPECT_EQ(a.PendingSize(), 0u);
    add("\n\rA\r");
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "A");
    EXPECT_FALSE(a.NextLine(line));

    // Zero bytes are dropped without swallowing the line end.
    const uint8_t noisy[] = {'X', 0, 'Y', 0x80, 0xFF, 0, '\r'};
    a.Append(noisy, sizeof noisy);
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "XY\x80\xFF");
    add("RX[12:00:00.000]03\r");
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "RX[12:00:00.000]03");
}

}  // namespace
