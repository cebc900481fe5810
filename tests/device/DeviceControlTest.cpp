#include "device/DeviceControl.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/PtyDevice.h"
#include "base/Cp932.h"

namespace {

// Records what the procedures show and post, as the main window would.
class RecordingHost : public DeviceHost {
public:
    void ShowDeviceConnected(bool connected) override {
        events.push_back(connected ? "connected" : "not connected");
    }
    void PostCommunicationFault() override { events.push_back("fault"); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        events.push_back("box " + Cp932::ToUtf8(caption) + ": " + Cp932::ToUtf8(text));
    }
    bool IsMonitoring() const override { return monitoring; }
    void UncheckChannelInfo() override { events.push_back("uncheck"); }

    bool monitoring = false;
    std::vector<std::string> events;
};

// COM1 is where the thread starts; the device under test sits on COM3.
class DeviceControlTest : public ::testing::Test {
protected:
    DeviceControlTest() : options_(MakePath(), OptionData::kReadOnly) { thread_.Start(); }
    ~DeviceControlTest() override { for (int n : {1, 3}) TestPorts::Unlink(n); }
    static std::string MakePath() {
        return TestPorts::Folder() + "velk" + std::to_string(getpid()) + ".opt";
    }
    int StoredPort() {
        MonitorOptions m;
        options_.GetMonitorOptions(m);
        return m.portIndex;
    }
    void StorePort(int index) {
        MonitorOptions m;
        options_.GetMonitorOptions(m);
        m.portIndex = index;
        options_.SetMonitorOptions(m);
    }
    static std::string StatusLine(char dir) {
        return std::string("S") + dir + "-" + std::string(23, '1') + "1-1";
    }

    OptionData options_;
    PtyPair com1_;
    PtyPair device_;
    // The links stand before the thread opens COM1.
    bool linked_ = (TestPorts::Link(1, com1_.SlavePath()), TestPorts::Link(3, device_.SlavePath()), true);
    ComThread thread_;
    RecordingHost host_;
    DeviceControl control_{thread_, options_, host_};
};

TEST_F(DeviceControlTest, FallsBackTo38400WhenSilentAt9600) {
    FakeDevice device(device_, {B38400, "RQ-730 Ver1.03", "", {}});
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud9600);
    ASSERT_TRUE(control_.ConnectDevice(2, true));
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);
    EXPECT_EQ(StoredPort(), 2);
    EXPECT_EQ(device_.SlaveSpeed(), B38400);
    EXPECT_EQ(host_.events, (std::vector<std::string>{"not connected", "connected"}));
    ASSERT_TRUE(device.WaitForCommand("M 00,00"));
    std::vector<std::string> cmds = device.Commands();
    // Two unanswered tries at 9600, one answered at 38400, then stop and voice off.
    EXPECT_EQ(cmds, (std::vector<std::string>{"V", "V", "V", "E", "M 00,00"}));

    // The next identification begins at the rate that worked.
    ASSERT_TRUE(control_.IdentifyDevice(true));
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);
    EXPECT_EQ(device.Commands().size(), cmds.size() + 1);
}

TEST_F(DeviceControlTest, SilentDeviceIsReported) {
    FakeDevice device(device_, {B9600, "", "", {}});
    EXPECT_FALSE(control_.ConnectDevice(2, true));
    EXPECT_EQ(StoredPort(), 2);  // the port opened, so it is kept
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);  // last tried
    // The identification inside reports nothing itself: no fault notification.
    EXPECT_EQ(host_.events,
              (std::vector<std::string>{"not connected", "box 通信エラー: プロトコルモニタが見つかりません。"}));
    // Two tries at the current rate, three at the other.
    EXPECT_EQ(device.Commands().size(), 5u);

    host_.events.clear();
    EXPECT_FALSE(control_.IdentifyDevice(true));
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud9600);
    EXPECT_EQ(host_.events, (std::vector<std::string>{"fault"}));
}

TEST_F(DeviceControlTest, AnotherModelIsNotAccepted) {
    // Taken as an identification ("RQ"), but not the RQ-730.
    FakeDevice device(device_, {B9600, "RQ-731 clone", "", {}});
    StorePort(2);
    EXPECT_FALSE(control_.IdentifyDevice(true));
    EXPECT_EQ(host_.events, (std::vector<std::string>{"fault"}));
    EXPECT_EQ(device.Commands().size(), 1u);  // the first reply ends the asking
}

TEST_F(DeviceControlTest, ClockAndChannelStatus) {
    FakeDevice device(device_, {B9600, "RQ-730", "[10:20:30.400]", {StatusLine('T'), StatusLine('R')}});
    StorePort(2);
    ASSERT_TRUE(control_.ConnectDevice(-1, false));  // -1: the stored port
    TimeStamp clock;
    ASSERT_TRUE(control_.AskClock(clock));
    EXPECT_EQ(clock.Format(), "10:20:30.400");

    BChannelStatus status;
    ASSERT_TRUE(control_.AskChannelStatus(status));
    // The RX line may come just after the TX line that answered.
    ASSERT_TRUE(WaitUntil([&] {
        thread_.TakeChannelStatus(status);
        return status.direction[FrameRecord::kRx].lineNormal;
    }));
    EXPECT_TRUE(status.direction[FrameRecord::kTx].lineNormal);
    EXPECT_TRUE(status.direction[FrameRecord::kTx].bChannel[0]);
    EXPECT_TRUE(status.direction[FrameRecord::kRx].lineNormal);

    // While monitoring, no command: only what the device sent by itself.
    host_.monitoring = true;
    size_t before = device.Commands().size();
    EXPECT_FALSE(control_.AskChannelStatus(status));
    device_.Write(StatusLine('T') + "\r");
    ASSERT_TRUE(WaitUntil([&] { return control_.AskChannelStatus(status); }));
    EXPECT_EQ(device.Commands().size(), before);
    EXPECT_EQ(host_.events, (std::vector<std::string>{"not connected", "connected"}));
}

TEST_F(DeviceControlTest, ChannelStatusThatNeverComes) {
    FakeDevice device(device_, {B9600, "RQ-730", "", {}});
    ASSERT_TRUE(control_.ConnectDevice(2, false));
    host_.events.clear();
    BChannelStatus status;
    status.direction[0].dChannel = true;
    EXPECT_FALSE(control_.AskChannelStatus(status));
    EXPECT_TRUE(status.direction[0].dChannel);  // untouched
    EXPECT_EQ(host_.events, (std::vector<std::string>{"uncheck", "fault"}));
    EXPECT_TRUE(device.WaitForCommand("I"));
    TimeStamp clock;
    EXPECT_FALSE(control_.AskClock(clock));
}

}  // namespace
