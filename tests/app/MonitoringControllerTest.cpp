#include "app/MonitoringController.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/UiStates.h"
#include "tests/support/PtyDevice.h"
#include "tests/support/TestSupport.h"

namespace {

using Log = std::vector<std::string>;

// The main window and the device procedures' host in one, logging what they are told.
struct Fake : MonitoringController::Window, DeviceHost {
    int UiState() const override { return state; }
    void SetUiState(int s) override { state = s; }
    void ShowMonitoring(bool on) override { log.push_back(on ? "monitoring" : "not monitoring"); }
    void ShowNewRun() override { log.push_back("new run"); }
    void ShowError(const std::string&, const std::string&) override {}
    void ShowWarning(const std::string&, const std::string&) override {}
    void ShowSystemFault() override { log.push_back("system fault"); }
    void ShowDeviceConnected(bool) override {}
    void PostCommunicationFault() override { log.push_back("fault"); }
    void ShowMessage(const std::string&, const std::string&) override {}
    bool IsMonitoring() const override { return false; }
    void UncheckChannelInfo() override {}

    int state = UiStates::kConnected;
    Log log;
};

}  // namespace

// On COM1 a device that answers only its identification.
TEST(MonitoringController, StartAndStopAskTheDeviceAndAChannelStatusNeedsAnAnswer) {
    PtyPair pty;
    TestPorts::Link(1, pty.slavePath);
    std::jthread device([&](const std::stop_token& stop) {
        while (!stop.stop_requested())
            if (pty.Read(SIZE_MAX, 20).find('V') != std::string::npos) pty.Write("V\rRQ-730\r");
    });
    testsupport::TempFolder dir;
    OptionData options(dir.Slash() + "velk.opt", OptionData::kReadOnly);
    FrameStore store;
    Fake fake;
    MonitoringController monitoring(store, options, fake, fake);
    BChannelStatus status;
    EXPECT_FALSE(monitoring.AskChannelStatus(status));
    monitoring.StartMonitoring();
    EXPECT_EQ(fake.state, UiStates::kMonitoring);
    TestPorts::Link(1, TestPorts::Folder() + "nowhere");  // gone when it is asked after the stop
    monitoring.StopMonitoring();
    EXPECT_EQ(fake.log, (Log{"fault", "new run", "monitoring", "not monitoring", "fault"}));
    monitoring.OnSystemFault();  // no device procedures any more
    EXPECT_EQ(fake.state, UiStates::kSystemFaulted);
    EXPECT_FALSE(monitoring.AskChannelStatus(status));
    TestPorts::Unlink(1);
}
