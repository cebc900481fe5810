// Line dispatch, and the receive thread on a pseudo-terminal.
#include "device/ComThread.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <new>
#include <thread>
#include <tuple>
#include <utility>

#include "tests/support/Poll.h"
#include "tests/support/PtyDevice.h"

using namespace std::string_literals;
using testsupport::WaitUntil;

namespace {

// The next frame as Shown, "" when none comes within `ms`.
std::string NextFrame(ComThread& t, int ms = testsupport::kPollBoundMs) {
    FrameRecord r;
    return WaitUntil([&] { return t.PopFrame(r); }, ms) ? Shown(r) : "";
}

// The threads of this process, and the times they have waited so far.
long Threads() { return std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}); }
long Waits() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw;
}

// A direction as its 23 B-channel digits, then D channel and line state.
std::string Flags(const BChannelStatus::Direction& d) {
    std::string s;
    for (bool b : d.bChannel) s += b ? '1' : '0';
    return s + ' ' + (d.dChannel ? '1' : '0') + ' ' + (d.lineNormal ? '1' : '0');
}

// What can be taken now, each of it once: the frames, then the identity with
// the model it makes, the clock and the channel status.
std::string Taken(ComThread& c) {
    std::string out, text;
    FrameRecord r;
    TimeStamp t;
    BChannelStatus s;
    while (c.PopFrame(r)) out += " " + Shown(r);
    if (c.TakeIdentity(text)) out += " " + text + (c.Kind() == DeviceKind::kTessaro ? " (Tessaro)" : " (RQ-730)");
    if (c.TakeClock(t)) out += " " + t.Format();
    if (c.TakeChannelStatus(s)) out += " " + Flags(s.direction[0]) + " / " + Flags(s.direction[1]);
    EXPECT_EQ(std::tuple(c.TakeIdentity(text), c.TakeClock(t), c.TakeChannelStatus(s)),
              std::tuple(false, false, false));
    return out;
}

// COM1 on a pseudo-terminal, as the thread opens it when constructed.
class ComThreadOnPty : public ::testing::Test {
protected:
    ComThreadOnPty() { TestPorts::Link(1, pty_.slavePath); }
    ~ComThreadOnPty() override { TestPorts::Unlink(1); }
    PtyPair pty_;
};

TEST_F(ComThreadOnPty, EachLineByItsShapeAndWhatItLeavesToTake) {
    ComThread c;
    // The line's kind, then what can be taken after it.
    auto dispatch = [&](const std::string& line) {
        SCOPED_TRACE(line);
        const char* kinds[] = {"ignored", "echo", "frame", "identity", "clock", "status"};
        const std::string kind = kinds[c.Dispatch(line)];
        return kind + Taken(c);
    };
    const std::string ones(23, '1');
    const std::pair<std::string, std::string> cases[] = {
        {"TX[12:34:56.789]0201007F", "frame TX 12:34:56.789 7E0201007F7E"},
        {"RX[12:34:56.789]", "frame RX 12:34:56.789 7E7E"},
        // Lower case digits; an odd last digit is an octet by itself.
        {"RX[00:00:00.000]0aFf3", "frame RX 00:00:00.000 7E0AFF037E"},
        // The octets start at 16 whatever stands there; non-hex counts as zero.
        {"TX[01:02:03.004]x", "frame TX 01:02:03.004 7E007E"},
        {"TX[12:34:56.789]0G1Z\xFF" "A", "frame TX 12:34:56.789 7E00100A7E"},
        {"Tessaro V2.10", "identity Tessaro V2.10 (Tessaro)"},
        {"RQ-730 Ver1.03 1998", "identity RQ-730 Ver1.03 1998 (RQ-730)"},
        {"[23:59:59.999]", "clock 23:59:59.999"},
        {"[12:34-56,789]rest", "clock 12:34:56.789"},
        // RQ-730 status: the field at 3, D at 26, line state at 28. A line
        // changes its own direction only; "2" and "0" are not "1".
        {"ST-" + ones + "1-0", "status " + ones + " 1 0 / 00000000000000000000000 0 0"},
        {"SR-10200000000000000000000" "0-1", "status " + ones + " 1 0 / 10000000000000000000000 0 1"},
        {"SR-111", "status " + ones + " 1 0 / 11100000000000000000000 0 0"},
        // After a Tessaro reply everything stands 13 places further on.
        {"Tessaro", "identity Tessaro (Tessaro)"},
        {"ST-" + ones + "1-0", "status 11111111111000000000000 0 0 / 11100000000000000000000 0 0"},
        {"ST" + std::string(14, '-') + ones + "1-1", "status " + ones + " 1 1 / 11100000000000000000000 0 0"},
        {"RQ", "identity RQ (RQ-730)"},  // two characters of "RQ-730" suffice
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(dispatch(line), expected) << line;
    for (const char* line : {"TX[12:60:00.000]0201", "TX[1:23:45.678]0201", "TX", "RX[", "TX12:34:56.789]02", "",
                             "AX[12:34:56.789]02", "SX", "X", "s", "TT", "RA-730", "tessaro", "[12-34:56.789]", "[1",
                             "[12:60:00.000]"})
        EXPECT_EQ(dispatch(line), "ignored") << line;
    for (const char* line : {"S", "E", "T", "R", "V", "I", "M"})  // "S" alone is no status line
        EXPECT_EQ(dispatch(line), "echo") << line;
}

TEST_F(ComThreadOnPty, OpensCom1SuspendedAndSendsCommandsWithCarriageReturn) {
    ComThread t;
    EXPECT_TRUE(t.IsPortOpen());
    EXPECT_EQ(t.Port().Definition(), "COM1:9600, n, 8, 1");
    pty_.Write("TX[12:34:56.789]0201\r");
    EXPECT_EQ(NextFrame(t, 50), "");  // nothing is read before Start
    t.Start();
    EXPECT_EQ(NextFrame(t), "TX 12:34:56.789 7E02017E");
    TimeStamp time;
    time.Set(9, 30, 0, 0);
    // "E", "V" and "M 00,00" as DeviceControlTest's device reads them.
    EXPECT_TRUE(t.RequestClock());
    EXPECT_TRUE(t.RequestChannelStatus());
    EXPECT_TRUE(t.SetDeviceClock(time));
    for (auto [tx, rx] : {std::pair{24, 1}, {1, 24}, {-1, 0}, {0, -1}})
        EXPECT_FALSE(t.SelectVoiceChannels(tx, rx)) << tx << "," << rx;
    EXPECT_TRUE(t.SelectVoiceChannels(3, 23));  // RX first
    EXPECT_EQ(pty_.Read(27), "T\rI\rT 09:30:00.000\rM 23,03\r");
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
    EXPECT_TRUE(NextFrame(t) == "RX 00:00:00.002 7E" + hex + "7E") << "the long frame";
    EXPECT_EQ(Taken(t), " RQ-730 Ver1.03 (RQ-730) 08:00:00.500 " + std::string(23, '1') + " 1 1 / " +
                            std::string(23, '0') + " 0 0");
    EXPECT_FALSE(t.HasFailed());
    // A frame still queued from an earlier run goes before "S".
    pty_.Write("TX[12:00:00.000]0201\rRQ-730\r");
    std::string identity;
    ASSERT_TRUE(WaitUntil([&] { return t.TakeIdentity(identity); }));
    EXPECT_TRUE(t.StartMonitor());
    pty_.Write("RX[12:00:00.002]0401\r");
    EXPECT_EQ(NextFrame(t), "RX 12:00:00.002 7E04017E");
    EXPECT_EQ(pty_.Read(2), "S\r");
}

TEST(ComThread, ReopensWhileRunningAndStopsFromItsSleep) {
    TestPorts::Link(1, TestPorts::Folder() + "nowhere");
    ComThread t;
    EXPECT_FALSE(t.IsPortOpen());
    const long threads = Threads();
    t.Start();
    EXPECT_EQ(Threads(), threads + 1);
    PtyPair pty;
    TestPorts::Link(2, pty.slavePath);
    // At 38400 as DeviceControlTest's device needs it; the loop is held off the port meanwhile.
    EXPECT_TRUE(t.Reopen(1, SerialPort::kBaud38400));
    pty.Write("RX[00:00:01.000]02\r");
    EXPECT_EQ(NextFrame(t), "RX 00:00:01.000 7E027E");
    // Idle, with a port or without one, the loop sleeps: little CPU time, and
    // few wake-ups (a wait of no length still sleeps a little).
    const std::clock_t cpu = std::clock();
    const long waits = Waits();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(t.Reopen(0, SerialPort::kBaud9600));
    EXPECT_FALSE(t.IsPortOpen());
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_LT(std::clock() - cpu, CLOCKS_PER_SEC / 20);
    EXPECT_LT(Waits() - waits, 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // inside a 100 ms sleep
    t.Stop();
    EXPECT_TRUE(WaitUntil([&] { return Threads() == threads; }));  // the loop's thread has ended
    for (int n : {1, 2}) TestPorts::Unlink(n);
}

// The device's end of the line closes, as when an adapter is unplugged: the
// slave then reads 0 octets as an idle line does, but polls as hung up.
TEST_F(ComThreadOnPty, AVanishedDeviceFailsTheLinkKeepingItsLinesUntilThePortCloses) {
    ComThread t;
    t.Start();
    PtyPair again;  // plugged in again: opened afresh, a failure pending, the unfinished line gone
    for (PtyPair* device : {&pty_, &again}) {
        TestPorts::Link(1, device->slavePath);
        ASSERT_TRUE(t.Reopen(0, SerialPort::kBaud9600));
        // Read in one piece; a hang-up would drop what the host has not read.
        device->Write("TX[00:00:00.001]01\rTX[00:00:00.002]02\rRX[");
        EXPECT_EQ(std::tuple(NextFrame(t), t.HasFailed()), std::tuple("TX 00:00:00.001 7E017E"s, false));
        close(std::exchange(device->master, -1));
        ASSERT_TRUE(WaitUntil([&] { return t.HasFailed(); }));
        EXPECT_EQ(std::tuple(t.DeviceVanished(), t.IsPortOpen(), t.RequestIdentity()), std::tuple(true, false, false));
        EXPECT_EQ(NextFrame(t), "TX 00:00:00.002 7E027E");
    }
    EXPECT_TRUE(t.ReleaseVanishedPort());
    EXPECT_EQ(std::tuple(t.HasFailed(), t.DeviceVanished(), t.ReleaseVanishedPort(), t.Port().IsOpen()),
              std::tuple(false, false, false, false));
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
    EXPECT_FALSE(t.RequestIdentity());
    EXPECT_FALSE(t.StartMonitor());
    EXPECT_FALSE(t.SelectVoiceChannels(0, 0));
    EXPECT_EQ(NextFrame(t, 50), "");  // nothing is read any more
    EXPECT_FALSE(t.DeviceVanished() || t.ReleaseVanishedPort());
}

}  // namespace
