// The timer's steps in their order against a recording device and window.
#include "app/MonitorTick.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

struct Clock : MonitorClockDialog {
    explicit Clock(Log& log) : log(log) {}
    bool IsOnScreen() const override { return onScreen; }
    bool ClockTabPresent() const override { return tab; }
    void ShowDeviceClock(const TimeStamp&) override { log.push_back("show clock"); }
    bool TakeClockRequest(TimeStamp&) override { return std::exchange(request, false); }
    void CloseAsCancelled() override { log.push_back("close dialog"); }
    void ShowTabs(bool, bool) override {}
    Log& log;
    bool onScreen = true, tab = true, request = false;
};

struct Fake : MonitorTick::Device, MonitorTick::View {
    // Device.
    bool Present() const override { return present; }
    void ConnectStoredPort() override { log.push_back("connect"); }
    bool HasFailed() const override { return failed; }
    bool AskClock(TimeStamp&) override { return clockAnswers; }
    void SetClock(const TimeStamp&) override { log.push_back("set clock"); }
    bool AskChannelStatus(BChannelStatus&) override { log.push_back("ask status"); return statusAnswers; }
    bool PopFrame(FrameRecord& record) override {
        if (queued.empty()) return false;
        record = queued.front();
        queued.pop_front();
        return true;
    }
    // View.
    void ShowFirstTick() override { log.push_back("first tick"); }
    void PostSystemFault() override { log.push_back("system fault"); }
    void PostCommunicationFault() override { log.push_back("communication fault"); }
    bool MayStartMonitoring() const override { return mayStart; }
    void PressMonitorStart() override { log.push_back("start"); }
    MonitorClockDialog* ClockDialog() override { return dialog; }
    bool LampsShown() const override { return lamps; }
    void RepaintLamps(const BChannelStatus&) override { log.push_back("repaint lamps"); }
    void AutoVoiceMonitor() override { log.push_back("auto voice"); }
    bool FloatMessageShown() const override { return false; }
    void CarryOut(const MonitoringSession::Actions&) override { log.push_back("carry out"); }
    uint32_t TickCount() const override { return 1000; }
    int64_t FreeDiskSpace() const override { return 1'000'000'000; }

    Log log;
    bool present = true, failed = false, clockAnswers = true, statusAnswers = true;
    bool mayStart = false, lamps = false;
    MonitorClockDialog* dialog = nullptr;
    std::deque<FrameRecord> queued;
};

struct MonitorTickTest : ::testing::Test {
    Log Tick(const MonitorOptions& monitor = {}) {
        fake.log.clear();
        tick.Run(fake, fake, session, monitor);
        return fake.log;
    }
    Fake fake;
    FrameStore store;
    MonitoringSession session{store};
    MonitorTick tick;
};

}  // namespace

TEST_F(MonitorTickTest, ConnectsOnTheFirstTickOnlyAndStopsAtAFailedLink) {
    EXPECT_EQ(Tick(), (Log{"connect", "first tick", "carry out"}));
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    fake.failed = true;
    EXPECT_EQ(Tick(), (Log{"system fault"}));
    // After a system fault the link is gone: nothing but the first tick's view.
    MonitorTick fresh;
    fake.present = false;
    fake.log.clear();
    fresh.Run(fake, fake, session, {});
    EXPECT_EQ(fake.log, (Log{"first tick"}));
}

TEST_F(MonitorTickTest, AnUnattendedStartWaitsUntilTheStateAllowsIt) {
    Tick();
    tick.StartWhenConnected();
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    fake.mayStart = true;
    EXPECT_EQ(Tick(), (Log{"start", "carry out"}));
    EXPECT_EQ(Tick(), (Log{"carry out"}));  // once
}

TEST_F(MonitorTickTest, TheClockIsPolledOnlyWhileItsTabIsOnScreen) {
    Clock clock(fake.log);
    fake.dialog = &clock;
    Tick();
    clock.request = true;
    EXPECT_EQ(Tick(), (Log{"show clock", "set clock", "carry out"}));
    clock.tab = false;
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    clock.tab = true;
    clock.onScreen = false;
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    // A device that stops answering closes the dialog and reports it.
    clock.onScreen = true;
    fake.clockAnswers = false;
    EXPECT_EQ(Tick(), (Log{"close dialog", "communication fault", "carry out"}));
}

TEST_F(MonitorTickTest, LampsAndTheAutomaticVoiceMonitorFollowTheirSettings) {
    Tick();
    fake.lamps = true;
    EXPECT_EQ(Tick(), (Log{"ask status", "repaint lamps", "carry out"}));
    fake.statusAnswers = false;
    EXPECT_EQ(Tick(), (Log{"ask status", "carry out"}));
    fake.lamps = false;
    MonitorOptions automatic;
    automatic.voiceAutomatic = 1;
    EXPECT_EQ(Tick(automatic), (Log{"auto voice", "carry out"}));
}

TEST_F(MonitorTickTest, TheTakeLoopMovesQueuedFramesIntoTheStoreWhileRunning) {
    Tick();
    FrameRecord record;
    fake.queued.assign(3, record);
    session.SetRunning(false);
    Tick();
    EXPECT_EQ(store.Count(), 0u);
    session.SetRunning(true);
    Tick();
    EXPECT_EQ(store.Count(), 3u);
    EXPECT_TRUE(fake.queued.empty());
}
