#include "app/MonitoringSession.h"

#include <cstdint>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

// A session over its own store, with frames queued by hand and the clock,
// free space and floating window given per tick.
struct Capture {
    TempFolder dir;
    FrameStore store;
    MonitoringSession session{store};
    MonitorOptions monitor;
    uint32_t queued = 0;
    uint32_t now = 5000;
    int64_t free = 100'000'000'000;
    int freeAsked = 0;
    FrameRecord frame = FcsFrame({0x02, 0x01, 0x01, 0x02}, FrameRecord::kRx);
    const MonitoringSession::PopFrame pop = [this](FrameRecord& r) {
        if (queued == 0) return false;
        --queued;
        r = frame;
        return true;
    };
    const MonitoringSession::FreeBytes freeBytes = [this] { return ++freeAsked, free; };

    Capture(bool ring, bool log) {
        monitor.ringBuffer = ring;
        monitor.logFile = log;
        store.Logs().SetFolder(dir.Slash());
        session.Tick(pop, monitor, now, freeBytes, false);  // idle ticks keep the refresh time
        session.NewRun(monitor);
        session.SetRunning(true);
    }
    MonitoringSession::Actions Tick(uint32_t frames, uint32_t gap, bool floatVisible = false) {
        queued += frames;
        now += gap;
        return session.Tick(pop, monitor, now, freeBytes, floatVisible);
    }
    // The frames numbered and logged so far, and whether logging is on.
    std::tuple<uint32_t, uint32_t, bool> Logged() const {
        return {store.NextIndex(), store.LoggedIndex(), store.IsLogging()};
    }
};

}  // namespace

// Without the ring buffer the frame that fills the store ends the taking (no
// 30001st frame taken); with it the taking goes on. A full store is
// repainted, not scrolled.
TEST(MonitoringSession, AFullStoreEndsTheTakingOnlyWithoutRingBuffer) {
    Capture run(false, false);
    const auto a = run.Tick(30010, 300);
    EXPECT_EQ(std::tuple(a.bufferFull, a.syncRows, a.repaintAll, run.session.IsRunning(), run.queued),
              std::tuple(true, true, true, false, 10u));
    EXPECT_TRUE(run.Tick(0, 300, true).closeFloat);

    Capture ring(true, false);
    EXPECT_TRUE(ring.Tick(29000, 300).showNewest);
    const auto b = ring.Tick(1500, 300);
    EXPECT_EQ(std::tuple(b.bufferFull, b.showNewest, b.repaintAll, ring.store.NextIndex()),
              std::tuple(false, false, true, 30500u));
    EXPECT_EQ(ring.freeAsked, 0);  // no log, no disk watch
}

TEST(MonitoringSession, RefreshPacingAndThinningOverTheRefreshGaps) {
    Capture run(true, false);
    run.now = 0xFFFFFF00u;  // the counter wraps during the test
    run.session.SetRunning(false);
    run.Tick(0, 0);
    run.session.SetRunning(true);
    // Each tick: the frames queued, the milliseconds since the one before,
    // then whether the list shows the newest or is repainted, and the factor;
    // every frame is taken.
    const struct { uint32_t frames, gap; bool showNewest, repaintAll; int factor; } steps[] = {
        {5, 260, 1, 0, 0}, {5, 499, 1, 0, 0}, {5, 500, 1, 0, 2}, {5, 749, 1, 0, 2}, {5, 750, 1, 0, 4},
        {5, 999, 1, 0, 4}, {5, 1000, 1, 0, 8}, {5, 300, 1, 0, 0},
        {5, 250, 0, 0, 0},  // 250 ms or less since the last refresh: frames are taken, the list waits
        {5, 600, 1, 0, 4},  // 850 ms since the refresh before
        {0, 100, 0, 1, 0},  // the first refresh without new frames drops it, without waiting 250 ms
        {0, 100, 0, 0, 0},
        {5, 200, 1, 0, 0},  // idle ticks leave the refresh time as it was
        {5, 1200, 1, 0, 8},
    };
    for (const auto& step : steps) {
        const auto a = run.Tick(step.frames, step.gap);
        EXPECT_EQ(std::tuple(a.showNewest, a.repaintAll, run.session.ThinningFactor(), run.queued),
                  std::tuple(step.showNewest, step.repaintAll, step.factor, 0u)) << step.gap;
    }
    run.frame = Q931Frame(0x05, {});  // a call
    run.Tick(5, 100);
    run.session.Calls().Ticked();
    // The run ends: back to 0 at once, nothing taken.
    run.session.SetRunning(false);
    EXPECT_TRUE(run.Tick(5, 100).repaintAll);
    EXPECT_EQ(std::tuple(run.session.ThinningFactor(), run.queued), std::tuple(0, 5u));
    // The next starts afresh: no calls, none changed, no frames the list has yet to show.
    run.queued = 0;
    run.session.NewRun(run.monitor);
    run.session.SetRunning(true);
    EXPECT_FALSE(run.Tick(0, 300).syncRows);
    EXPECT_EQ(run.session.Calls().Tracker().Count(), 0u);
    EXPECT_TRUE(run.session.Calls().Changed().empty());
}

// A slow log stops the take at the lag limit and is switched off; so is a log
// short of disk space, and one running low is warned of. The log needs the
// ring buffer.
TEST(MonitoringSession, TheLogWatchSwitchesOffASlowLogOrOneShortOfDiskSpace) {
    Capture slow(true, true);
    // The floating window up: the slow log is left alone.
    EXPECT_EQ(slow.Tick(1500, 300, true).message, MonitoringSession::kNoMessage);
    EXPECT_EQ(slow.Logged(), std::tuple(1000u, 1000u, true));
    // Not up: logging off with its message; the rest comes on the next tick.
    const auto a = slow.Tick(1500, 300);
    EXPECT_EQ(slow.Logged(), std::tuple(2000u, 2000u, false));
    EXPECT_EQ(MonitoringSession::Text(a.message),
              Sjis("LOGファイルの作成が間に合わないので、ログファイルの収集を強制中断しました。"));
    slow.Tick(0, 300);
    EXPECT_EQ(slow.Logged(), std::tuple(3000u, 2000u, false));

    Capture run(true, true);
    run.free = 14'999'999;
    EXPECT_EQ(MonitoringSession::Text(run.Tick(10, 300).message),
              Sjis("ディスクの空きスペースが足りないので、ログファイルの収集を強制中断しました。"));
    EXPECT_EQ(run.Logged(), std::tuple(10u, 10u, false));  // written before the check
    EXPECT_TRUE(run.store.IsRingBuffer());
    EXPECT_EQ(run.Tick(10, 300).message, MonitoringSession::kNoMessage);  // once

    Capture low(true, true);
    low.free = 15'000'000;
    EXPECT_EQ(low.Tick(10, 300).message, MonitoringSession::kDiskLow);
    EXPECT_EQ(low.Tick(10, 300, true).message, MonitoringSession::kNoMessage);
    EXPECT_EQ(low.Tick(10, 300).message, MonitoringSession::kDiskLow);  // back after it was closed
    EXPECT_TRUE(low.store.IsLogging());
    low.free = 20'000'000;
    EXPECT_EQ(low.Tick(10, 300).message, MonitoringSession::kNoMessage);

    Capture plain(false, true);
    plain.free = 1;
    EXPECT_EQ(plain.Tick(1500, 300).message, MonitoringSession::kNoMessage);
    EXPECT_EQ(std::tuple(plain.store.NextIndex(), plain.freeAsked, LogFiles(plain.dir.Slash()).empty()),
              std::tuple(1500u, 0, true));
}

// A failed write is tried again on the next ticks with the frames of the failed
// ones; logging ends, saying why, after three failing ticks in a row or at once
// on a full disk. Capture goes on at full speed throughout.
TEST(MonitoringSession, AFailingLogIsTriedAgainAndSwitchedOffWithItsCauseWhenItKeepsFailing) {
    using M = MonitoringSession;
    const auto none = M::kNoMessage;
    const struct { int away; std::vector<M::Message> messages; uint32_t logged; } cases[] = {
        {1, {none, none, none, none}, 2400},  // ticks without the log folder
        {M::kLogFailureTicks, {none, none, M::kLogNoFolder, none}, 0},
        {0, {none, M::kLogDiskFull, none, none}, 600},  // the disk full from the second tick
    };
    for (const auto& c : cases) {
        Capture run(true, true);
        const std::string folder = run.dir.Slash() + "logs/";
        run.store.Logs().SetFolder(folder);
        std::vector<M::Message> messages;
        for (int tick = 0; tick < 4; ++tick) {
            if (tick == c.away) std::filesystem::create_directory(folder);
            if (tick == 1 && c.away == 0) {
                std::filesystem::remove(run.store.LogFileName());
                std::filesystem::create_symlink("/dev/full", run.store.LogFileName());
            }
            messages.push_back(run.Tick(600, 300).message);
            EXPECT_EQ(run.queued, 0u) << tick;  // past the lag limit too
        }
        EXPECT_EQ(messages, c.messages) << c.away;
        EXPECT_EQ(std::tuple(run.store.LoggedIndex(), run.store.IsLogging(), run.store.IsRingBuffer()),
                  std::tuple(c.logged, c.logged == 2400, true));
        EXPECT_EQ(run.freeAsked, c.away == 1 ? 4 : 3) << c.away;  // not on the tick that ends the log
    }
    EXPECT_EQ(M::Text(M::kLogDiskFull),
              Sjis("ログファイルに書き込めないので、ログファイルの収集を強制中断しました。（ディスクがいっぱいです）"));
}

TEST(MonitoringSession, ALogThatCannotBeWrittenIsSwitchedOffAndCaptureGoesOnAtFullSpeed) {
    Capture run(true, true);
    run.free = 16'000'000;  // the low-space warning is up
    WithFileSizeLimit(0, [&] {
        EXPECT_EQ(run.Tick(1500, 300, true).message, MonitoringSession::kLogTooLarge);
        EXPECT_FALSE(run.store.IsLogging());
        EXPECT_EQ(run.store.LoggedIndex(), 0u);
        for (int tick = 0; tick < 3; ++tick) {
            run.Tick(1500, 300, true);
            EXPECT_EQ(run.queued, 0u) << tick;  // every queued frame taken in its tick
        }
        return true;
    });
    EXPECT_EQ(run.store.NextIndex(), 6000u);
    EXPECT_EQ(run.store.Count(), 6000u);
    const auto names = LogFiles(run.dir.Slash());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFile(run.dir.Slash() + names[0]), "");
}
