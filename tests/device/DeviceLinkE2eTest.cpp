// The device link against velksim over real pseudo-terminals: the program's
// whole conversation with its device, once. Odd devices are DeviceControlTest's.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "device/DeviceControl.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/Poll.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/VelksimProcess.h"

using testsupport::WaitUntil;

// The test is the procedures' window: whatever they report fails it.
class DeviceLinkE2e : public ::testing::Test, public DeviceHost {
protected:
    void ShowDeviceConnected(bool) override {}
    void PostCommunicationFault() override { ADD_FAILURE() << "communication fault"; }
    void ShowMessage(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
    bool IsMonitoring() const override { return false; }
    void UncheckChannelInfo() override { ADD_FAILURE() << "no channel status"; }
};

TEST_F(DeviceLinkE2e, ConversationWithBothModels) {
    TestPorts::Link(2, "/nonexistent/pts");  // a stale link of an earlier run is replaced
    VelksimProcess rq, tessaro;
    ASSERT_TRUE(rq.Start(2, {"--seed", "11", "--rate-fps", "0", "--count", "300"}));
    ASSERT_TRUE(tessaro.Start(3, {"--rate", "38400", "--model", "tessaro"}));
    ComThread thread;
    DeviceControl control(thread, *this);
    thread.Start();

    ASSERT_TRUE(control.ConnectDevice(1, true));
    std::string identity;
    ASSERT_TRUE(control.AskIdentity(identity));
    EXPECT_EQ(identity, "RQ-730 Ver1.03 PRI-JT velksim");
    TimeStamp clock;
    clock.Set(9, 30, 0, 0);
    ASSERT_TRUE(thread.SetDeviceClock(clock));
    ASSERT_TRUE(control.AskClock(clock));
    EXPECT_EQ(clock.Format().substr(0, 7), "09:30:0");
    // Idle: D channel up, line normal, no B channel; the RX line may come
    // after the TX line that answered, a stale status before both.
    BChannelStatus idle, status;
    for (auto& d : idle.direction) d.dChannel = d.lineNormal = true;
    auto isIdle = [&] {
        return control.AskChannelStatus(status) && WaitUntil([&] { return thread.TakeChannelStatus(status), status == idle; });
    };
    EXPECT_TRUE(isIdle());
    ASSERT_TRUE(control.SelectVoiceMonitor(3, 5));

    // The seed's sequence as TrafficGenerator makes it, stamped in order by
    // the device clock, until the count; a new run goes on where it stopped.
    ASSERT_TRUE(thread.StartMonitor());
    TrafficGenerator expected(11);
    std::string last = "09:30:00.000";
    for (int n = 0; n < 300; ++n) {
        FrameRecord r;
        ASSERT_TRUE(WaitUntil([&] { return thread.PopFrame(r); }, 5000)) << n;
        SimFrame f;
        expected.Next(f);
        ASSERT_EQ(r.Direction(), f.direction) << n;
        ASSERT_EQ(std::vector(r.Bytes() + 1, r.Bytes() + r.Length() - 1), f.octets) << n;
        EXPECT_EQ(r.CheckCrc(), !f.badFcs) << n;
        EXPECT_GE(r.Time().Format(), last) << n;
        last = r.Time().Format();
    }
    FrameRecord r;
    EXPECT_FALSE(WaitUntil([&] { return thread.PopFrame(r); }, 300));
    ASSERT_TRUE(thread.StartMonitor());
    ASSERT_TRUE(WaitUntil([&] { return thread.PopFrame(r); }));
    EXPECT_TRUE(std::vector(r.Bytes() + 1, r.Bytes() + r.Length() - 1) == TrafficGenerator::FrameAt(11, 300).octets);
    EXPECT_TRUE(thread.StopMonitor());

    // The Tessaro at 38400 is silent at 9600 and found by the fall-back; its
    // status fields stand 13 places further on.
    ASSERT_TRUE(control.ConnectDevice(2, true));
    EXPECT_EQ(control.BaudCode(), SerialPort::kBaud38400);
    EXPECT_TRUE(isIdle());

    // The voice monitor commands as the device read them; SIGTERM ends it
    // cleanly and takes its link away.
    const std::string log = rq.Log();
    EXPECT_NE(log.find("velksim: voice monitor \"M 00,00\": RX 00, TX 00\n"), std::string::npos) << log;
    EXPECT_NE(log.find("velksim: voice monitor \"M 05,03\": RX 05, TX 03\n"), std::string::npos) << log;
    EXPECT_EQ(rq.Stop(), 0);
    struct stat st;
    EXPECT_NE(lstat((TestPorts::Folder() + "COM2").c_str(), &st), 0);
}
