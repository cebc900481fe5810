#pragma once
// A monitoring run as the 100 ms timer drives it: whether frames are being
// taken, the take loop from the capture queue into the frame store (and
// the calls the frames make), the pacing and thinning of the frame list,
// and the log and disk-space watch. It decides; the main window carries out
// the returned actions.
#include <cstdint>
#include <functional>
#include <string>

#include "calls/CallFeed.h"
#include "checks/ProtocolChecker.h"
#include "options/MonitorOptions.h"
#include "store/FrameRecord.h"
#include "store/FrameStore.h"

class MonitoringSession {
public:
    static constexpr uint32_t kRefreshMs = 250;
    static constexpr int64_t kDiskStopBytes = 15000000;
    static constexpr int64_t kDiskWarnBytes = 20000000;

    // A log that fails this many ticks in a row is switched off; a full disk
    // or a file at its size limit switches it off at once.
    static constexpr int kLogFailureTicks = 3;

    // Messages of the floating message window; kLogDiskFull to kLogFailed
    // say why the log file could not be written.
    enum Message {
        kNoMessage, kDiskStopped, kDiskLow, kLogTooSlow,
        kLogDiskFull, kLogTooLarge, kLogDenied, kLogNoFolder, kLogFailed
    };

    struct Actions {
        bool bufferFull = false;  // taking stopped: disable ﾓﾆﾀｰ終了, post buffer full
        bool syncRows = false;    // bring the list's rows in step with the store
        bool showNewest = false;  // row count = count + 1, select row count
        bool repaintAll = false;
        Message message = kNoMessage;  // show it in the floating window
        bool closeFloat = false;       // close the floating window
    };

    // Moves the next queued frame into the record; false when none is queued.
    using PopFrame = std::function<bool(FrameRecord&)>;
    // Free bytes where the log files go (asked only while logging).
    using FreeBytes = std::function<int64_t()>;

    // The checks' timers from the data folder's settings file (the
    // defaults where it is missing or broken).
    explicit MonitoringSession(FrameStore& store);
    MonitoringSession(const MonitoringSession&) = delete;
    MonitoringSession& operator=(const MonitoringSession&) = delete;

    // Frames are taken while this is set: from entering user-interface
    // state 2 until any other state or a buffer-full stop.
    bool IsRunning() const { return running_; }
    // The call feed takes it as the run being on until the state changes,
    // also when a full store ended the taking.
    void SetRunning(bool running) {
        running_ = running;
        calls_.SetRunOn(running);
    }
    // A new run: the store and its calls emptied, numbering from 0, the
    // modes of the options.
    void NewRun(const MonitorOptions& monitor);

    // One timer tick at `now` (milliseconds, 32-bit wrapping).
    Actions Tick(const PopFrame& pop, const MonitorOptions& monitor, uint32_t now, const FreeBytes& freeBytes,
                 bool floatVisible);

    // Every row is painted at 0; at 2, 4 or 8 only rows that are multiples of it.
    int ThinningFactor() const { return thinning_; }
    // The floating window's text (CP932).
    static const std::string& Text(Message message);
    // The calls of the store's frames: every frame taken is read as it is stored.
    CallFeed& Calls() { return calls_; }
    // The protocol checks of the same frames, read by the call feed beside
    // its tracker and started afresh with it.
    ProtocolChecker& Checks() { return checks_; }

    // Every frame taken, right after it is numbered and stored.
    std::function<void(const FrameRecord&)> onFrameTaken;

private:
    // False when it stopped because the log writer fell behind.
    bool TakeFrames(const PopFrame& pop, const MonitorOptions& monitor, Actions& actions);
    void RefreshList(uint32_t now, Actions& actions);
    void WatchLog(const MonitorOptions& monitor, const FreeBytes& freeBytes, bool floatVisible, bool logBehind,
                  Actions& actions);
    // After a failed log write: true when logging is switched off for it.
    bool SwitchOffFailedLog(const MonitorOptions& monitor, Actions& actions);

    FrameStore& store_;
    CallFeed calls_;
    ProtocolChecker checks_;
    bool running_ = false;
    uint32_t lastRefresh_ = 0;
    bool newFrames_ = false;
    int thinning_ = 0;
    // Ticks in a row whose log write failed.
    int logFailures_ = 0;
};
