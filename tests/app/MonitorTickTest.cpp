// The timer's steps in their order against a recording device, window and clock dialog.
#include "app/MonitorTick.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Each call that acts is logged by name; the others answer from the flags.
struct Fake : MonitorTick::Device, MonitorTick::View, MonitorClockDialog {
    bool Note(const char* call, bool answer = true) { return log.push_back(call), answer; }
    // Device.
    bool Present() const override { return present; }
    void ConnectStoredPort() override { Note("connect"); }
    bool HasFailed() const override { return failed; }
    bool Vanished() const override { return vanished; }
    bool ReleaseVanished() override { return Note("release", connected); }
    bool AskClock(TimeStamp&) override { return clockAnswers; }
    void SetClock(const TimeStamp&) override { Note("set clock"); }
    bool AskChannelStatus(BChannelStatus&) override { return Note("ask status", statusAnswers); }
    bool PopFrame(FrameRecord& record) override {
        if (queued.empty()) return false;
        record = queued.front(), queued.pop_front();
        return true;
    }
    // View.
    void ShowFirstTick() override { Note("first tick"); }
    void PostSystemFault() override { Note("system fault"); }
    void PostCommunicationFault() override { Note("communication fault"); }
    bool MayStartMonitoring() const override { return mayStart; }
    bool DeviceConnected() const override { return connected; }
    void PressMonitorStart() override { Note("start"); }
    void ShowWaitingForDevice() override { Note("waiting"); }
    MonitorClockDialog* ClockDialog() override { return dialog ? this : nullptr; }
    bool LampsShown() const override { return lamps; }
    void RepaintLamps(const BChannelStatus&) override { Note("repaint lamps"); }
    void AutoVoiceMonitor() override { Note("auto voice"); }
    bool FloatMessageShown() const override { return false; }
    void CarryOut(const MonitoringSession::Actions&) override { Note("carry out"); }
    uint32_t TickCount() const override { return 1000; }
    int64_t FreeDiskSpace() const override { return 1'000'000'000; }
    // The monitor options dialog.
    bool IsOnScreen() const override { return onScreen; }
    bool ClockTabPresent() const override { return tab; }
    void ShowDeviceClock(const TimeStamp&) override { Note("show clock"); }
    bool TakeClockRequest(TimeStamp&) override { return std::exchange(request, false); }
    void CloseAsCancelled() override { Note("close dialog"); }
    void ShowTabs(bool, bool) override {}

    Log log;
    bool present = true, failed = false, clockAnswers = true, statusAnswers = true, mayStart = false, lamps = false;
    bool dialog = false, onScreen = true, tab = true, request = false, vanished = false, connected = true;
    std::deque<FrameRecord> queued;
};

struct MonitorTickTest : ::testing::Test {
    Log Tick(const MonitorOptions& monitor = {}) { return Tick(tick, monitor); }
    Log Tick(MonitorTick& t, const MonitorOptions& monitor = {}) {
        fake.log.clear();
        t.Run(fake, fake, session, monitor);
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
    // A device that went away: what it sent is taken, the clock dialog
    // closes, and the loss is reported only by a connected window.
    fake.vanished = fake.dialog = true;
    fake.queued.assign(2, FrameRecord());
    session.SetRunning(true);
    EXPECT_EQ(Tick(), (Log{"carry out", "close dialog", "release", "communication fault"}));
    EXPECT_EQ(store.Count(), 2u);
    fake.connected = fake.tab = false;
    EXPECT_EQ(Tick(), (Log{"carry out", "release"}));
    // After a system fault the link is gone: nothing but the first tick's view.
    MonitorTick fresh;
    fake.present = false;
    EXPECT_EQ(Tick(fresh), (Log{"first tick"}));
}

TEST_F(MonitorTickTest, AnUnattendedStartWaitsForTheStateAndTheDeviceTryingThePortAgain) {
    Tick();
    tick.StartWhenConnected();
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    fake.mayStart = true, fake.connected = false;
    for (int n = 1; n < MonitorTick::kRetryTicks; ++n) EXPECT_EQ(Tick(), (Log{"waiting", "carry out"}));
    EXPECT_EQ(Tick(), (Log{"connect", "waiting", "carry out"}));
    fake.connected = true;
    EXPECT_EQ(Tick(), (Log{"start", "carry out"}));
    EXPECT_EQ(Tick(), (Log{"carry out"}));  // once
}

// The clock while its tab is on screen, the lamps while they are shown, the
// voice monitor when it is automatic.
TEST_F(MonitorTickTest, WhatTheWindowShowsIsPolledOnlyWhileShown) {
    fake.dialog = true;
    Tick();
    fake.request = true;
    EXPECT_EQ(Tick(), (Log{"show clock", "set clock", "carry out"}));
    fake.tab = false;
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    fake.tab = true, fake.onScreen = false;
    EXPECT_EQ(Tick(), (Log{"carry out"}));
    // A device that stops answering closes the dialog and reports it.
    fake.onScreen = true, fake.clockAnswers = false;
    EXPECT_EQ(Tick(), (Log{"close dialog", "communication fault", "carry out"}));
    fake.dialog = false, fake.lamps = true;
    EXPECT_EQ(Tick(), (Log{"ask status", "repaint lamps", "carry out"}));
    fake.statusAnswers = false;
    EXPECT_EQ(Tick(), (Log{"ask status", "carry out"}));
    fake.lamps = false;
    MonitorOptions automatic;
    automatic.voiceAutomatic = 1;
    EXPECT_EQ(Tick(automatic), (Log{"auto voice", "carry out"}));
}
