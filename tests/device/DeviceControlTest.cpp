#include "device/DeviceControl.h"

#include <poll.h>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "base/Cp932.h"
#include "tests/support/Poll.h"
#include "tests/support/PtyDevice.h"

using testsupport::WaitUntil;

namespace {

using Lines = std::vector<std::string>;

// The procedures with the test as their window, recording what they show
// and post. The thread starts on COM1; on COM3 sits a scripted device that
// answers only while the host's line rate is its own, echoes each command's
// first character, answers "V" as told and records every command.
class DeviceControlTest : public ::testing::Test, public DeviceHost {
protected:
    DeviceControlTest() { thread_.Start(); }
    ~DeviceControlTest() override { for (int n : {1, 3}) TestPorts::Unlink(n); }
    void Script(speed_t rate, const std::string& identity) {
        std::lock_guard lock(mutex_);
        rate_ = rate;
        identity_ = identity;
        commands_.clear();
    }
    // The commands received, once there are `n` of them (or a while passed).
    Lines Commands(size_t n) {
        WaitUntil([&] { std::lock_guard lock(mutex_); return commands_.size() >= n; });
        std::lock_guard lock(mutex_);
        return commands_;
    }
    void ShowDeviceConnected(bool connected) override { events_.push_back(connected ? "connected" : "not connected"); }
    void PostCommunicationFault() override { events_.push_back("fault"); }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        events_.push_back(Cp932::ToUtf8(caption) + ": " + Cp932::ToUtf8(text));
    }
    bool IsMonitoring() const override { return monitoring_; }
    void UncheckChannelInfo() override { events_.push_back("uncheck"); }

    void RunDevice(const std::stop_token& stop) {
        for (std::string line; !stop.stop_requested();) {
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

    bool monitoring_ = false;
    Lines events_;
    PtyPair com1_, pty_;
    // The links stand before the thread opens COM1.
    bool linked_ = (TestPorts::Link(1, com1_.slavePath), TestPorts::Link(3, pty_.slavePath), true);
    ComThread thread_;
    DeviceControl control_{thread_, *this};
    std::mutex mutex_;
    speed_t rate_ = B9600;
    std::string identity_ = "RQ-730";
    Lines commands_;
    std::jthread device_{[this](std::stop_token stop) { RunDevice(stop); }};
};

TEST_F(DeviceControlTest, FallsBackTo38400WhenSilentAt9600AndStartsThereNextTime) {
    Script(B38400, "RQ-730 Ver1.03");
    ASSERT_TRUE(control_.ConnectDevice(2, true));
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);
    EXPECT_EQ(events_, (Lines{"not connected", "connected"}));
    // Two unanswered tries at 9600, one answered at 38400, then stop and voice off.
    EXPECT_EQ(Commands(5), (Lines{"V", "V", "V", "E", "M 00,00"}));
    ASSERT_TRUE(control_.IdentifyDevice(true));
    EXPECT_EQ(Commands(6).size(), 6u);
}

TEST_F(DeviceControlTest, SilentOtherAndMissingDevicesAreReported) {
    Script(B9600, "");
    EXPECT_FALSE(control_.ConnectDevice(2, true));
    EXPECT_EQ(Commands(5).size(), 5u);  // two tries at the current rate, three at the other
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud38400);
    EXPECT_FALSE(control_.IdentifyDevice(true));
    EXPECT_EQ(control_.BaudCode(), SerialPort::kBaud9600);
    EXPECT_EQ(Commands(10).size(), 10u);
    Script(B9600, "RQ-731 clone");  // an identification, but not the RQ-730
    EXPECT_FALSE(control_.IdentifyDevice(true));
    EXPECT_EQ(Commands(1).size(), 1u);  // the first reply ends the asking
    EXPECT_EQ(control_.Port(), 2);  // the port opened, so it is kept
    TestPorts::Link(7, TestPorts::Folder() + "nowhere");
    EXPECT_FALSE(control_.ConnectDevice(6, false));
    EXPECT_FALSE(control_.ConnectDevice(6, true));
    EXPECT_EQ(control_.Port(), 2);  // this one did not
    std::string identity;
    TimeStamp clock;
    EXPECT_FALSE(control_.AskIdentity(identity));  // nothing could be asked
    EXPECT_FALSE(control_.AskClock(clock));
    EXPECT_EQ(events_, (Lines{"not connected", "通信エラー: プロトコルモニタが見つかりません。", "fault", "fault",
                              "not connected", "not connected", "通信エラー: 指定のＣＯＭポートをオープン出来ません。"}));
    TestPorts::Unlink(7);
}

TEST_F(DeviceControlTest, ChannelStatusThatNeverComesAndWhileMonitoringOnlyWhatCame) {
    ASSERT_TRUE(control_.ConnectDevice(2, false));
    BChannelStatus status;
    status.direction[0].dChannel = true;
    EXPECT_FALSE(control_.AskChannelStatus(status));  // "I" is only echoed
    EXPECT_TRUE(status.direction[0].dChannel);  // untouched
    monitoring_ = true;  // no command: only what the device sent by itself
    EXPECT_FALSE(control_.AskChannelStatus(status));
    pty_.Write("ST-" + std::string(23, '1') + "0-1\r");
    EXPECT_TRUE(WaitUntil([&] { return control_.AskChannelStatus(status); }));
    EXPECT_FALSE(status.direction[0].dChannel);
    EXPECT_EQ(Commands(4), (Lines{"V", "E", "M 00,00", "I"}));
    EXPECT_EQ(events_, (Lines{"not connected", "connected", "uncheck", "fault"}));
}

}  // namespace
