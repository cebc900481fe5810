#include "device/ComThread.h"

#include <time.h>

#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/PtyDevice.h"

namespace {

// COM1 on a pseudo-terminal, as the thread opens it when constructed.
class ComThreadOnPty : public ::testing::Test {
protected:
    ComThreadOnPty() { TestPorts::Link(1, pty_.SlavePath()); }
    ~ComThreadOnPty() override { TestPorts::Unlink(1); }

    bool PopSoon(ComThread& t, FrameRecord& r, int ms = 2000) {
        return WaitUntil([&] { return t.PopFrame(r); }, ms);
    }
    // True when no frame comes in a while.
    static bool NoFrameComes(ComThread& t) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        FrameRecord r;
        return !t.PopFrame(r);
    }

    PtyPair pty_;
};

TEST_F(ComThreadOnPty, ConstructedOnCom1AndSuspended) {
    ComThread t;
    EXPECT_TRUE(t.IsPortOpen());
    EXPECT_EQ(t.Port().Definition(), "COM1:9600, n, 8, 1");
    EXPECT_EQ(pty_.SlaveSpeed(), B9600);
    EXPECT_EQ(t.Kind(), DeviceKind::kRq730);
    // Nothing is read before Start.
    pty_.Write("TX[12:34:56.789]0201\r");
    EXPECT_TRUE(NoFrameComes(t));
    FrameRecord r;
    t.Start();
    EXPECT_TRUE(PopSoon(t, r));
}

TEST_F(ComThreadOnPty, CommandsGoOutWithCarriageReturn) {
    ComThread t;
    EXPECT_TRUE(t.StopMonitor());
    EXPECT_TRUE(t.RequestIdentity());
    EXPECT_TRUE(t.RequestClock());
    EXPECT_TRUE(t.RequestChannelStatus());
    TimeStamp time;
    time.Set(9, 30, 0, 0);
    EXPECT_TRUE(t.SetDeviceClock(time));
    EXPECT_EQ(pty_.Read(23), "E\rV\rT\rI\rT 09:30:00.000\r");
}

TEST_F(ComThreadOnPty, VoiceChannelsAreCheckedAndSentRxFirst) {
    ComThread t;
    // An RX channel above 23 is refused as well as a TX one.
    for (auto [tx, rx] : {std::pair{24, 1}, {1, 24}, {-1, 0}, {0, -1}})
        EXPECT_FALSE(t.SelectVoiceChannels(tx, rx)) << tx << "," << rx;
    EXPECT_EQ(pty_.Drain(), "");
    EXPECT_TRUE(t.SelectVoiceChannels(0, 0));
    EXPECT_TRUE(t.SelectVoiceChannels(3, 23));
    EXPECT_EQ(pty_.Read(16), "M 00,00\rM 23,03\r");
}

TEST_F(ComThreadOnPty, StartMonitorDiscardsFramesOfAnEarlierRun) {
    ComThread t;
    t.Dispatch("TX[12:00:00.000]0201");
    t.Dispatch("RX[12:00:00.001]0301");
    EXPECT_TRUE(t.StartMonitor());
    FrameRecord r;
    EXPECT_FALSE(t.PopFrame(r));
    EXPECT_EQ(pty_.Read(2), "S\r");
    t.Dispatch("RX[12:00:00.002]0401");
    ASSERT_TRUE(t.PopFrame(r));
    EXPECT_EQ(r.Time().Format(), "12:00:00.002");
}

TEST_F(ComThreadOnPty, ReceiveLoopEndToEnd) {
    ComThread t;
    t.Start();
    pty_.Write("S\rTX[12:34:56.789]0201007F\r\nRX[12:34:56.790]03\r");
    pty_.Write("ST-" + std::string(24, '1') + "01\rRQ-730 Ver1.03\r[08:00:00.5");
    pty_.Write("00]\r");
    FrameRecord r;
    ASSERT_TRUE(PopSoon(t, r));
    EXPECT_TRUE(r.IsTx());
    EXPECT_EQ(BytesOf(r), (std::vector<uint8_t>{0x7E, 0x02, 0x01, 0x00, 0x7F, 0x7E}));
    ASSERT_TRUE(PopSoon(t, r));
    EXPECT_TRUE(r.IsRx());
    EXPECT_EQ(r.Time().Format(), "12:34:56.790");
    std::string identity;
    ASSERT_TRUE(WaitUntil([&] { return t.TakeIdentity(identity); }));
    EXPECT_EQ(identity, "RQ-730 Ver1.03");
    TimeStamp clock;
    ASSERT_TRUE(WaitUntil([&] { return t.TakeClock(clock); }));
    EXPECT_EQ(clock.Format(), "08:00:00.500");
    EXPECT_FALSE(t.TakeClock(clock));
    BChannelStatus status;
    ASSERT_TRUE(t.TakeChannelStatus(status));  // came before the clock line
    EXPECT_TRUE(status.direction[FrameRecord::kTx].bChannel[22]);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].lineNormal);
    EXPECT_FALSE(t.PopFrame(r));
    EXPECT_FALSE(t.HasFailed());
}

TEST_F(ComThreadOnPty, LongLinesAndNoise) {
    ComThread t;
    t.Start();
    std::string hex;
    while (hex.size() < 10000 - 16) hex += "A5";
    std::string noise = "\xFF\x80garbage";
    noise += '\0';
    noise += "more\x8E\x9F";
    noise += '\0';
    pty_.Write("TX[00:00:00.001]" + hex + "\r" + noise + "\r");
    pty_.Write(std::string(10000, 'Z') + "\r" + std::string(3, '\0') + "RX[00:00:00.002]ff\r");
    FrameRecord r;
    ASSERT_TRUE(PopSoon(t, r, 5000));
    ASSERT_EQ(r.Length(), 2 + hex.size() / 2);
    EXPECT_EQ(r.ByteAt(1), 0xA5);
    EXPECT_EQ(r.ByteAt(r.Length() - 2), 0xA5);
    ASSERT_TRUE(PopSoon(t, r, 5000));
    EXPECT_EQ(BytesOf(r), (std::vector<uint8_t>{0x7E, 0xFF, 0x7E}));
    EXPECT_FALSE(t.HasFailed());
}

TEST_F(ComThreadOnPty, PeerClosingDoesNotCrashOrSpin) {
    ComThread t;
    t.Start();
    pty_.Write("TX[00:00:00.001]01\r");
    FrameRecord r;
    ASSERT_TRUE(PopSoon(t, r));
    pty_.CloseMaster();
    // The loop idles on a dead line: it must not eat a core meanwhile.
    timespec before{}, after{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
    double cpuMs = (after.tv_sec - before.tv_sec) * 1e3 + (after.tv_nsec - before.tv_nsec) / 1e6;
    EXPECT_LT(cpuMs, 150.0);
    EXPECT_FALSE(t.HasFailed());
    EXPECT_FALSE(t.RequestIdentity());
    t.Stop();
}

TEST_F(ComThreadOnPty, ReopenMovesThePortAndRate) {
    PtyPair second;
    TestPorts::Link(2, second.SlavePath());
    ComThread t;
    t.Start();
    EXPECT_TRUE(t.Reopen(1, SerialPort::kBaud38400));
    EXPECT_EQ(second.SlaveSpeed(), B38400);
    EXPECT_EQ(t.Port().PortIndex(), 1);
    second.Write("RX[00:00:01.000]02\r");
    FrameRecord r;
    ASSERT_TRUE(PopSoon(t, r));
    EXPECT_EQ(r.Time().Format(), "00:00:01.000");
    EXPECT_TRUE(t.RequestIdentity());
    EXPECT_EQ(second.Read(2), "V\r");

    EXPECT_FALSE(t.Reopen(1, 3));  // opened, rate refused
    EXPECT_TRUE(t.IsPortOpen());
    TestPorts::Link(5, TestPorts::Folder() + "nowhere");
    EXPECT_FALSE(t.Reopen(4, SerialPort::kBaud9600));
    EXPECT_FALSE(t.IsPortOpen());
    EXPECT_FALSE(t.RequestIdentity());
    EXPECT_TRUE(t.Reopen(0, SerialPort::kBaud9600));  // the first port is free again
    EXPECT_TRUE(t.IsPortOpen());
    TestPorts::Unlink(2);
    TestPorts::Unlink(5);
}

TEST(ComThreadNoPort, IdlesWithoutAPortAndStops) {
    TestPorts::Link(1, TestPorts::Folder() + "nowhere");
    ComThread t;
    EXPECT_FALSE(t.IsPortOpen());
    EXPECT_FALSE(t.StopMonitor());
    t.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(t.HasFailed());
    t.Stop();
    t.Stop();  // a second stop is harmless
    TestPorts::Unlink(1);
}

// A line handler that runs out of memory, as the loop's allocations can.
class FailingThread : public ComThread {
public:
    ~FailingThread() override { Stop(); }

protected:
    void HandleLine(const std::string& line) override {
        if (line == "boom") throw std::bad_alloc();
        ComThread::HandleLine(line);
    }
};

TEST_F(ComThreadOnPty, AnErrorInTheLoopFailsTheLinkForGood) {
    FailingThread t;
    t.Start();
    pty_.Write("TX[00:00:00.001]01\rboom\r");
    ASSERT_TRUE(WaitUntil([&] { return t.HasFailed(); }));
    FrameRecord r;
    EXPECT_TRUE(t.PopFrame(r));  // what was queued before stays
    EXPECT_FALSE(t.RequestIdentity());
    EXPECT_FALSE(t.StartMonitor());
    EXPECT_FALSE(t.SelectVoiceChannels(0, 0));
    pty_.Write("TX[00:00:00.002]01\r");
    EXPECT_TRUE(NoFrameComes(t));  // nothing is read any more
    EXPECT_EQ(pty_.Drain(), "");
    EXPECT_TRUE(t.HasFailed());
}

TEST_F(ComThreadOnPty, StopEndsARunningLoop) {
    ComThread t;
    t.Start();
    pty_.Write("TX[00:00:00.001]01\r");
    FrameRecord r;
    ASSERT_TRUE(PopSoon(t, r));
    t.Stop();
    pty_.Write("TX[00:00:00.002]01\r");
    EXPECT_TRUE(NoFrameComes(t));
    t.Start();  // a stopped thread does not run again
    EXPECT_TRUE(NoFrameComes(t));
}

}  // namespace
