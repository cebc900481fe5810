// The device link against velksim over real pseudo-terminals: the program's
// whole conversation with its device, once. Odd devices are DeviceControlTest's.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "device/DeviceControl.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/Poll.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/VelksimProcess.h"
#include "tests/tools/SentFrames.h"

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
    VelksimProcess rq, tessaro;
    ASSERT_TRUE(rq.Start(2, {"--seed", "11", "--rate-fps", "0", "--count", "300"}));
    ASSERT_TRUE(tessaro.Start(3, {"--rate", "38400", "--model", "tessaro"}));
    ComThread thread;
    DeviceControl control(thread, *this);
    thread.Start();

    ASSERT_TRUE(control.ConnectDevice(1, true));
    // What velksim answers is DeviceEmulatorTest's.
    std::string identity;
    ASSERT_TRUE(control.AskIdentity(identity));
    TimeStamp clock;
    clock.Set(9, 30, 0, 0);
    ASSERT_TRUE(thread.SetDeviceClock(clock));
    ASSERT_TRUE(control.AskClock(clock));
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
    FrameStore frames;
    FrameRecord r;
    while (frames.Count() < 300 && WaitUntil([&] { return thread.PopFrame(r); }, 5000)) frames.Add(r, true);
    ASSERT_EQ(frames.Count(), 300u);
    EXPECT_EQ(testsupport::SentFramesDiffer(frames, 11, false), "");
    for (size_t n = 0; n < frames.Count(); ++n)
        EXPECT_GE(frames.At(n).Time().Format(), n ? frames.At(n - 1).Time().Format() : "09:30:00.000") << n;
    EXPECT_FALSE(WaitUntil([&] { return thread.PopFrame(r); }, 300));
    ASSERT_TRUE(thread.StartMonitor());
    ASSERT_TRUE(WaitUntil([&] { return thread.PopFrame(r); }));
    EXPECT_TRUE(std::vector(r.Bytes() + 1, r.Bytes() + r.Length() - 1) == TrafficGenerator::FrameAt(11, 300).octets);
    EXPECT_TRUE(thread.StopMonitor());

    // The Tessaro at 38400 is silent at 9600 and found by the fall-back
    // (DeviceControlTest); its status fields stand 13 places further on.
    ASSERT_TRUE(control.ConnectDevice(2, true));
    EXPECT_TRUE(isIdle());

    // The voice monitor command as the device read it; SIGTERM ends it
    // cleanly and takes its link away.
    EXPECT_NE(rq.Log().find("velksim: voice monitor \"M 05,03\": RX 05, TX 03\n"), std::string::npos) << rq.Log();
    EXPECT_EQ(rq.Stop(), 0);
    struct stat st;
    EXPECT_NE(lstat((TestPorts::Folder() + "COM2").c_str(), &st), 0);
}
