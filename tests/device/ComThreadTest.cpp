#include "device/ComThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <thread>

#include "tests/support/PtyDevice.h"

using namespace std::string_literals;

namespace {

// The next frame as Shown, "" when none comes within `ms`.
std::string NextFrame(ComThread& t, int ms = 2000) {
    FrameRecord r;
    return WaitUntil([&] { return t.PopFrame(r); }, ms) ? Shown(r) : "";
}

// COM1 on a pseudo-terminal, as the thread opens it when constructed.
class ComThreadOnPty : public ::testing::Test {
protected:
    ComThreadOnPty() { TestPorts::Link(1, pty_.slavePath); }
    ~ComThreadOnPty() override { TestPorts::Unlink(1); }
    PtyPair pty_;
};

TEST_F(ComThreadOnPty, OpensCom1SuspendedAndSendsCommandsWithCarriageReturn) {
    ComThread t;
    EXPECT_TRUE(t.IsPortOpen());
    EXPECT_EQ(t.Port().Definition(), "COM1:9600, n, 8, 1");
    EXPECT_EQ(t.Kind(), DeviceKind::kRq730);
    pty_.Write("TX[12:34:56.789]0201\r");
    EXPECT_EQ(NextFrame(t, 50), "");  // nothing is read before Start
    t.Start();
    EXPECT_EQ(NextFrame(t), "TX 12:34:56.789 7E02017E");
    TimeStamp time;
    time.Set(9, 30, 0, 0);
    EXPECT_TRUE(t.StopMonitor() && t.RequestIdentity() && t.RequestClock() && t.RequestChannelStatus());
    EXPECT_TRUE(t.SetDeviceClock(time));
    for (auto [tx, rx] : {std::pair{24, 1}, {1, 24}, {-1, 0}, {0, -1}})
        EXPECT_FALSE(t.SelectVoiceChannels(tx, rx)) << tx << "," << rx;
    EXPECT_TRUE(t.SelectVoiceChannels(0, 0));
    EXPECT_TRUE(t.SelectVoiceChannels(3, 23));  // RX first
    EXPECT_EQ(pty_.Read(39), "E\rV\rT\rI\rT 09:30:00.000\rM 00,00\rM 23,03\r");
}

TEST_F(ComThreadOnPty, TheLoopHandsOverFramesAndRepliesAndStartMonitorDropsOldFrames) {
    ComThread t;
    t.Start();
    // Split lines, line feeds, zero bytes, a long junk line and a long frame.
    const std::string hex(10000, 'A');
    pty_.Write("S\rTX[12:34:56.789]0201007F\r\nRX[12:34:56.790]03\r" + std::string(3000, 'Z') + "\r");
    pty_.Write("ST-" + std::string(24, '1') + "01\rRQ-730 Ver1.03\r[08:00:00.5");
    pty_.Write("00]\r\0\0RX[00:00:00.002]"s + hex + "\r");
    EXPECT_EQ(NextFrame(t), "TX 12:34:56.789 7E0201007F7E");
    EXPECT_EQ(NextFrame(t), "RX 12:34:56.790 7E037E");
    EXPECT_TRUE(NextFrame(t, 5000) == "RX 00:00:00.002 7E" + hex + "7E") << "the long frame";
    std::string identity;
    TimeStamp clock;
    BChannelStatus status;
    ASSERT_TRUE(t.TakeIdentity(identity) && t.TakeClock(clock) && t.TakeChannelStatus(status));
    EXPECT_EQ(identity + " " + clock.Format(), "RQ-730 Ver1.03 08:00:00.500");
    EXPECT_TRUE(status.direction[FrameRecord::kTx].bChannel[22] && status.direction[FrameRecord::kTx].lineNormal);
    EXPECT_FALSE(t.TakeClock(clock) || t.HasFailed());
    // A frame still queued from an earlier run goes before "S".
    pty_.Write("TX[12:00:00.000]0201\rRQ-730\r");
    ASSERT_TRUE(WaitUntil([&] { return t.TakeIdentity(identity); }));
    EXPECT_TRUE(t.StartMonitor());
    pty_.Write("RX[12:00:00.002]0401\r");
    EXPECT_EQ(NextFrame(t), "RX 12:00:00.002 7E04017E");
    EXPECT_EQ(pty_.Read(2), "S\r");
}

TEST(ComThread, ReopensWhileRunningAndStopsWithinOneSleepForGood) {
    TestPorts::Link(1, TestPorts::Folder() + "nowhere");
    ComThread t;
    EXPECT_FALSE(t.IsPortOpen() || t.StopMonitor());
    t.Start();
    PtyPair pty;
    TestPorts::Link(2, pty.slavePath);
    EXPECT_TRUE(t.Reopen(1, SerialPort::kBaud38400));  // the loop is held off the port meanwhile
    EXPECT_EQ(pty.SlaveSpeed(), B38400);
    pty.Write("RX[00:00:01.000]02\r");
    EXPECT_EQ(NextFrame(t), "RX 00:00:01.000 7E027E");
    EXPECT_FALSE(t.Reopen(0, SerialPort::kBaud9600));
    EXPECT_FALSE(t.IsPortOpen() || t.RequestIdentity());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // inside a 100 ms sleep
    const auto before = std::chrono::steady_clock::now();
    t.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(90));
    EXPECT_TRUE(t.Reopen(1, SerialPort::kBaud9600));
    t.Start();  // a stopped thread does not run again
    pty.Write("TX[00:00:00.002]01\r");
    EXPECT_EQ(NextFrame(t, 100), "");
    for (int n : {1, 2}) TestPorts::Unlink(n);
}

// A line handler that runs out of memory, as the loop's allocations can.
struct FailingThread : ComThread {
    ~FailingThread() override { Stop(); }
    void HandleLine(const std::string& line) override {
        if (line == "boom") throw std::bad_alloc();
        ComThread::HandleLine(line);
    }
};

TEST_F(ComThreadOnPty, AnErrorInTheLoopFailsTheLinkForGood) {
    FailingThread t;
    t.Start();
    pty_.Write("TX[00:00:00.001]01\rboom\rTX[00:00:00.002]01\r");
    ASSERT_TRUE(WaitUntil([&] { return t.HasFailed(); }));
    EXPECT_EQ(NextFrame(t), "TX 00:00:00.001 7E017E");  // what was queued before stays
    EXPECT_FALSE(t.RequestIdentity() || t.StartMonitor() || t.SelectVoiceChannels(0, 0));
    EXPECT_EQ(NextFrame(t, 50), "");  // nothing is read any more
}

}  // namespace
