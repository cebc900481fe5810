#include "device/LineDispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/LineAssembler.h"

namespace {

std::vector<uint8_t> BytesOf(const FrameRecord& r) {
    return std::vector<uint8_t>(r.Bytes(), r.Bytes() + r.Length());
}

class Dispatch : public ::testing::Test {
protected:
    LineDispatcher::LineKind Run(std::string_view line) { return dispatcher_.Dispatch(line); }
    FrameRecord Pop() {
        FrameRecord r;
        EXPECT_TRUE(queue_.TryPop(r));
        return r;
    }
    static std::string StatusLine(char dir, size_t start, const std::string& channels,
                                  char d, char line) {
        std::string s = "S";
        s += dir;
        s.resize(start, '-');
        return s + channels + d + "-" + line;
    }

    CaptureQueue queue_;
    DeviceReplies replies_;
    LineDispatcher dispatcher_{queue_, replies_};
};

TEST_F(Dispatch, FrameLinesBecomeRecordsWithFlags) {
    EXPECT_EQ(Run("TX[12:34:56.789]0201007F"), LineDispatcher::kFrame);
    FrameRecord tx = Pop();
    EXPECT_TRUE(tx.IsTx());
    EXPECT_EQ(tx.Time().Format(), "12:34:56.789");
    EXPECT_EQ(BytesOf(tx), (std::vector<uint8_t>{0x7E, 0x02, 0x01, 0x00, 0x7F, 0x7E}));

    EXPECT_EQ(Run("RX[12:34:56.789]"), LineDispatcher::kFrame);
    FrameRecord rx = Pop();
    EXPECT_TRUE(rx.IsRx());
    EXPECT_EQ(BytesOf(rx), (std::vector<uint8_t>{0x7E, 0x7E}));

    // Lower case digits; an odd last digit is an octet by itself.
    EXPECT_EQ(Run("RX[00:00:00.000]0aFf3"), LineDispatcher::kFrame);
    EXPECT_EQ(BytesOf(Pop()), (std::vector<uint8_t>{0x7E, 0x0A, 0xFF, 0x03, 0x7E}));

    // Characters after the time stamp but before position 16 do not exist
    // here: the octets always start at 16.
    EXPECT_EQ(Run("TX[01:02:03.004]x"), LineDispatcher::kFrame);
    EXPECT_EQ(BytesOf(Pop()), (std::vector<uint8_t>{0x7E, 0x00, 0x7E}));
    EXPECT_EQ(queue_.Size(), 0u);
}

TEST_F(Dispatch, NonHexCharactersCountAsZeroDigits) {
    EXPECT_EQ(Run("TX[12:34:56.789]0G1Z\xFF" "A"), LineDispatcher::kFrame);
    EXPECT_EQ(BytesOf(Pop()), (std::vector<uint8_t>{0x7E, 0x00, 0x10, 0x0A, 0x7E}));
}

TEST_F(Dispatch, FrameLineWithABadTimeIsDropped) {
    for (const char* bad : {"TX[12:60:00.000]0201", "TX[1:23:45.678]0201", "TX", "RX[",
                            "TX12:34:56.789]02", "RX[12:34:56.789"}) {
        EXPECT_EQ(Run(bad), LineDispatcher::kIgnored) << bad;
    }
    EXPECT_EQ(queue_.Size(), 0u);
    std::string text;
    TimeStamp time;
    BChannelStatus status;
    EXPECT_FALSE(replies_.TakeIdentity(text));
    EXPECT_FALSE(replies_.TakeClock(time));
    EXPECT_FALSE(replies_.TakeChannelStatus(status));
}

TEST_F(Dispatch, EchoesAndStrangersAreIgnored) {
    for (const char* echo : {"S", "E", "T", "R", "V", "I", "M"})
        EXPECT_EQ(Run(echo), LineDispatcher::kEcho) << echo;
    for (const char* other : {"", "SX", "X", "s", "TT", "Q", "RA-730", "tessaro", "[12-34:56.789]",
                              "[1:23:45.678]", "[1"})
        EXPECT_EQ(Run(other), LineDispatcher::kIgnored) << other;
    BChannelStatus status;
    EXPECT_FALSE(replies_.TakeChannelStatus(status));  // "S" alone is no status line
    EXPECT_EQ(queue_.Size(), 0u);
}

TEST_F(Dispatch, IdentificationSetsTheKind) {
    std::string text;
    EXPECT_EQ(Run("Tessaro V2.10"), LineDispatcher::kIdentity);
    EXPECT_EQ(replies_.Kind(), DeviceKind::kTessaro);
    EXPECT_EQ(Run("RQ-730 Ver1.03 1998"), LineDispatcher::kIdentity);
    EXPECT_EQ(replies_.Kind(), DeviceKind::kRq730);
    ASSERT_TRUE(replies_.TakeIdentity(text));
    EXPECT_EQ(text, "RQ-730 Ver1.03 1998");  // the latest, whole
    EXPECT_FALSE(replies_.TakeIdentity(text));
    // Only the first two characters of "RQ-730" are compared.
    EXPECT_EQ(Run("RQ"), LineDispatcher::kIdentity);
    EXPECT_EQ(replies_.Kind(), DeviceKind::kRq730);
}

TEST_F(Dispatch, ClockRepliesAreTakenOnce) {
    EXPECT_EQ(Run("[23:59:59.999]"), LineDispatcher::kClock);
    EXPECT_EQ(Run("[12:34-56,789]rest"), LineDispatcher::kClock);
    TimeStamp time;
    ASSERT_TRUE(replies_.TakeClock(time));
    EXPECT_EQ(time.Format(), "12:34:56.789");
    time.Set(1, 1, 1, 1);
    EXPECT_FALSE(replies_.TakeClock(time));
    EXPECT_EQ(time.Format(), "01:01:01.001");  // untouched
    EXPECT_EQ(Run("[12:60:00.000]"), LineDispatcher::kIgnored);
    EXPECT_FALSE(replies_.TakeClock(time));
}

TEST_F(Dispatch, StatusLineOfTheRq730) {
    const std::string allOn(23, '1');
    EXPECT_EQ(Run(StatusLine('T', 3, allOn, '1', '0')), LineDispatcher::kStatus);
    BChannelStatus status;
    ASSERT_TRUE(replies_.TakeChannelStatus(status));
    for (bool on : status.direction[FrameRecord::kTx].bChannel) EXPECT_TRUE(on);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].dChannel);
    EXPECT_FALSE(status.direction[FrameRecord::kTx].lineNormal);
    EXPECT_EQ(status.direction[FrameRecord::kRx], BChannelStatus::Direction());

    // The RX line changes RX only; "2" and "0" are not "1".
    std::string mixed = "1020000000000000000000001";
    EXPECT_EQ(Run(StatusLine('R', 3, mixed.substr(0, 23), '0', '1')), LineDispatcher::kStatus);
    ASSERT_TRUE(replies_.TakeChannelStatus(status));
    EXPECT_TRUE(status.direction[FrameRecord::kTx].bChannel[22]);
    const auto& rx = status.direction[FrameRecord::kRx];
    EXPECT_TRUE(rx.bChannel[0]);
    EXPECT_FALSE(rx.bChannel[1]);
    EXPECT_FALSE(rx.bChannel[2]);
    EXPECT_FALSE(rx.dChannel);
    EXPECT_TRUE(rx.lineNormal);
    EXPECT_FALSE(replies_.TakeChannelStatus(status));
}

TEST_F(Dispatch, StatusLineAfterATessaroReplyStartsAt16) {
    const std::string line = StatusLine('T', 3, std::string(23, '1'), '1', '0');
    Run("Tessaro");
    Run(line);
    BChannelStatus status;
    ASSERT_TRUE(replies_.TakeChannelStatus(status));
    const auto& tx = status.direction[FrameRecord::kTx];
    // Read from 16: ten channel "1", the RQ-730 D flag "1" at 26, "-", "0";
    // D and line state lie past the end.
    for (int i = 0; i < 23; ++i) EXPECT_EQ(tx.bChannel[i], i < 11) << i;
    EXPECT_FALSE(tx.dChannel);
    EXPECT_FALSE(tx.lineNormal);

    Run(StatusLine('T', 16, std::string(23, '1'), '1', '1'));
    ASSERT_TRUE(replies_.TakeChannelStatus(status));
    for (bool on : status.direction[FrameRecord::kTx].bChannel) EXPECT_TRUE(on);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].dChannel);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].lineNormal);
}

TEST_F(Dispatch, ShortStatusLineReadsAsAllOff) {
    EXPECT_EQ(Run("ST"), LineDispatcher::kStatus);
    EXPECT_EQ(Run("SR-111"), LineDispatcher::kStatus);
    BChannelStatus status;
    status.direction[0].lineNormal = true;
    ASSERT_TRUE(replies_.TakeChannelStatus(status));
    EXPECT_EQ(status.direction[FrameRecord::kTx], BChannelStatus::Direction());
    EXPECT_TRUE(status.direction[FrameRecord::kRx].bChannel[2]);
    EXPECT_FALSE(status.direction[FrameRecord::kRx].bChannel[3]);
}

TEST(LineAssembler, CutsLinesAndStripsLineEnds) {
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
}

TEST(LineAssembler, ZeroBytesDoNotSwallowTheLineEnd) {
    LineAssembler a;
    std::string line;
    const uint8_t noisy[] = {'X', 0, 'Y', 0x80, 0xFF, 0, '\r'};
    a.Append(noisy, sizeof noisy);
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "XY\x80\xFF");
    std::string good = "RX[12:00:00.000]03\r";
    a.Append(reinterpret_cast<const uint8_t*>(good.data()), good.size());
    ASSERT_TRUE(a.NextLine(line));
    EXPECT_EQ(line, "RX[12:00:00.000]03");
}

}  // namespace
