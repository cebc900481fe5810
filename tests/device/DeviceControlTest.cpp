#include "device/DeviceControl.h"

#include <poll.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "base/Cp932.h"
#include "tests/support/PtyDevice.h"

namespace {

using Lines = std::vector<std::string>;

// A scripted capture device: it answers only while the host's line rate is
// its own, echoes each command's first character and answers "V" as told.
class FakeDevice {
public:
    FakeDevice(PtyPair& pty, speed_t rate, std::string identity) : pty_(pty), rate_(rate), identity_(identity) {}
    ~FakeDevice() {
        stop_ = true;
        thread_.join();
    }
    // The commands received, once there are `n` of them (or a while passed).
    Lines Commands(size_t n) const {
        WaitUntil([&] { std::lock_guard lock(mutex_); return commands_.size() >= n; });
        std::lock_guard lock(mutex_);
        return commands_;
    }

private:
    void Run() {
        for (std::string line; !stop_;) {
            struct pollfd p = {pty_.master, POLLIN, 0};
            char c;
            if (poll(&p, 1, 10) <= 0 || read(pty_.master, &c, 1) != 1 || c == '\n') continue;
            if (c != '\r') {
                line += c;
                continue;
            }
            std::lock_guard lock(mutex_);
            commands_.push_back(line);
            // A device at another rate sees only garbage.
            if (pty_.SlaveSpeed() == rate_ && !line.empty())
                pty_.Write(line.substr(0, 1) + "\r" + (line == "V" ? identity_ + "\r" : ""));
            line.clear();
        }
    }

    PtyPair& pty_;
    const speed_t rate_;
    const std::string identity_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    Lines commands_;
    std::thread thread_{[this] { Run(); }};
};

// The procedures with the test as their window, recording what they show and
// post. The thread starts on COM1; the device under test sits on COM3.
class DeviceControlTest : public ::testing::Test, public DeviceHost {
protected:
    DeviceControlTest() { thread_.Start(); }
    ~DeviceControlTest() override { for (int n : {1, 3}) TestPorts::Unlink(n); }
    int StoredPort() {
        MonitorOptions m;
        options_.GetMonitorOptions(m);
        return m.portIndex;
    }
    void ShowDeviceConnected(bool connected) override { events_.push_back(connected ? "connected" : "not connected"); }
    void PostCommunicationFault() override { events_.push_back("fault"); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        events_.push_back(Cp932::ToUtf8(caption) + ": " + Cp932::ToUtf8(text));
    }
    bool IsMonitoring() const override { return monitoring_; }
    void UncheckChannelInfo() override { events_.push_back("uncheck"); }

    bool monitoring_ = false;
    Lines events_;
    OptionData options_{TestPorts::Folder() + "velk" + std::to_string(getpid()) + ".opt", OptionData::kReadOnly};
    PtyPair com1_, device_;
    // The links stand before the thread opens COM1.
    bool linked_ = (TestPorts::Link(1, com1_.slavePath), TestPorts::Link(3, device_.slavePath), true);
    ComThread thread_;
    DeviceControl control_{thread_, options_, *this};
};

TEST_F(DeviceControlTest, FallsBackTo38400WhenSilentAt9600AndStartsThereNextTime) {
    FakeDevice device(device_, B38400, "RQ-730 Ver1.03");
    ASSERT_TRUE(control_.ConnectDevice(2, true));
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);
    EXPECT_EQ(StoredPort(), 2);
    EXPECT_EQ(events_, (Lines{"not connected", "connected"}));
    // Two unanswered tries at 9600, one answered at 38400, then stop and voice off.
    EXPECT_EQ(device.Commands(5), (Lines{"V", "V", "V", "E", "M 00,00"}));
    ASSERT_TRUE(control_.IdentifyDevice(true));
    EXPECT_EQ(device.Commands(6).size(), 6u);
}

TEST_F(DeviceControlTest, SilentOtherAndMissingDevicesAreReported) {
    {
        FakeDevice device(device_, B9600, "");
        EXPECT_FALSE(control_.ConnectDevice(2, true));
        EXPECT_EQ(device.Commands(5).size(), 5u);  // two tries at the current rate, three at the other
        EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);
        EXPECT_FALSE(control_.IdentifyDevice(true));
        EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud9600);
        EXPECT_EQ(device.Commands(10).size(), 10u);
    }
    FakeDevice device(device_, B9600, "RQ-731 clone");  // an identification, but not the RQ-730
    EXPECT_FALSE(control_.IdentifyDevice(true));
    EXPECT_EQ(device.Commands(1).size(), 1u);  // the first reply ends the asking
    EXPECT_EQ(StoredPort(), 2);  // the port opened, so it is kept
    TestPorts::Link(7, TestPorts::Folder() + "nowhere");
    EXPECT_FALSE(control_.ConnectDevice(6, false));
    EXPECT_FALSE(control_.ConnectDevice(6, true));
    EXPECT_EQ(StoredPort(), 2);  // this one did not
    EXPECT_EQ(events_, (Lines{"not connected", "通信エラー: プロトコルモニタが見つかりません。", "fault", "fault",
                                   "not connected", "not connected", "通信エラー: 指定のＣＯＭポートをオープン出来ません。"}));
    TestPorts::Unlink(7);
}

TEST_F(DeviceControlTest, ChannelStatusThatNeverComesAndWhileMonitoringOnlyWhatCame) {
    FakeDevice device(device_, B9600, "RQ-730");
    ASSERT_TRUE(control_.ConnectDevice(2, false));
    BChannelStatus status;
    status.direction[0].dChannel = true;
    EXPECT_FALSE(control_.AskChannelStatus(status));  // "I" is only echoed
    EXPECT_TRUE(status.direction[0].dChannel);  // untouched
    monitoring_ = true;  // no command: only what the device sent by itself
    EXPECT_FALSE(control_.AskChannelStatus(status));
    device_.Write("ST-" + std::string(23, '1') + "0-1\r");
    EXPECT_TRUE(WaitUntil([&] { return control_.AskChannelStatus(status); }));
    EXPECT_FALSE(status.direction[0].dChannel);
    EXPECT_EQ(device.Commands(4), (Lines{"V", "E", "M 00,00", "I"}));
    EXPECT_EQ(events_, (Lines{"not connected", "connected", "uncheck", "fault"}));
}

}  // namespace
