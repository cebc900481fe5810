#include "app/MonitoringSession.h"

#include <cerrno>

#include "base/Cp932.h"

namespace {

CheckSettings LoadedSettings() {
    CheckSettings settings;
    settings.Load(CheckSettings::DefaultPath());
    return settings;
}

}  // namespace

MonitoringSession::MonitoringSession(FrameStore& store) : store_(store), checks_(LoadedSettings()) {
    calls_.AddReader(checks_);
}

void MonitoringSession::NewRun(const MonitorOptions& monitor) {
    logFailures_ = 0;
    store_.Clear();
    calls_.Clear();
    store_.SetModes(monitor.ringBuffer != 0, monitor.logFile != 0);
}

MonitoringSession::Actions MonitoringSession::Tick(const PopFrame& pop, const MonitorOptions& monitor, uint32_t now,
                                                   const FreeBytes& freeBytes, bool floatVisible) {
    Actions actions;
    if (!running_) {
        actions.closeFloat = floatVisible;
        if (thinning_ != 0) {
            thinning_ = 0;
            actions.repaintAll = true;
        }
        newFrames_ = false;
        lastRefresh_ = now;
        return actions;
    }
    const bool logBehind = !TakeFrames(pop, monitor, actions);
    RefreshList(now, actions);
    if (monitor.ringBuffer && monitor.logFile) WatchLog(monitor, freeBytes, floatVisible, logBehind, actions);
    return actions;
}

bool MonitoringSession::TakeFrames(const PopFrame& pop, const MonitorOptions& monitor, Actions& actions) {
    FrameRecord work(FrameRecord::kRx);
    while (pop(work)) {
        newFrames_ = true;
        const int r = store_.Add(work, true);
        // A refused frame is in no store, and in no call.
        if (r != FrameStore::kRefused) calls_.Take(work);
        if (onFrameTaken) onFrameTaken(work);
        if (r != FrameStore::kStored && !monitor.ringBuffer) {
            running_ = false;
            actions.bufferFull = true;
            return true;
        }
        // The rest stays queued for the next tick. While a failed write is
        // retried the take goes on: the retry writes what the lag holds.
        if (logFailures_ == 0 && !store_.LogKeepsUp()) return false;
    }
    return true;
}

void MonitoringSession::RefreshList(uint32_t now, Actions& actions) {
    const uint32_t elapsed = now - lastRefresh_;
    if (!(elapsed > kRefreshMs || (!newFrames_ && thinning_ != 0))) return;
    lastRefresh_ = now;
    if (!newFrames_) {
        if (thinning_ != 0) {
            thinning_ = 0;
            actions.repaintAll = true;
        }
        return;
    }
    newFrames_ = false;
    thinning_ = elapsed < 500 ? 0 : elapsed < 750 ? 2 : elapsed < 1000 ? 4 : 8;
    actions.syncRows = true;
    // A full store shifts under an unchanged row count in ring-buffer mode.
    if (store_.Count() != FrameStore::kCapacity) actions.showNewest = true;
    else actions.repaintAll = true;
}

void MonitoringSession::WatchLog(const MonitorOptions& monitor, const FreeBytes& freeBytes, bool floatVisible,
                                 bool logBehind, Actions& actions) {
    const bool written = store_.WriteLog();
    if (written) logFailures_ = 0;
    else if (SwitchOffFailedLog(monitor, actions)) return;
    const int64_t free = freeBytes();
    if (free < kDiskStopBytes) {
        if (store_.IsLogging()) {
            store_.SetModes(monitor.ringBuffer != 0, false);
            actions.message = kDiskStopped;
        }
    } else if (free < kDiskWarnBytes) {
        if (!floatVisible) actions.message = kDiskLow;
    } else if (written && logBehind && !floatVisible) {
        store_.SetModes(monitor.ringBuffer != 0, false);
        actions.message = kLogTooSlow;
    }
}

bool MonitoringSession::SwitchOffFailedLog(const MonitorOptions& monitor, Actions& actions) {
    const int error = store_.LogError();
    const bool atOnce = error == ENOSPC || error == EDQUOT || error == EFBIG;
    // A passing failure is tried again on the next ticks, quietly.
    if (!atOnce && ++logFailures_ < kLogFailureTicks) return false;
    logFailures_ = 0;
    store_.SetModes(monitor.ringBuffer != 0, false);
    switch (error) {
    case ENOSPC: case EDQUOT: actions.message = kLogDiskFull; break;
    case EFBIG: actions.message = kLogTooLarge; break;
    case EACCES: case EPERM: case EROFS: actions.message = kLogDenied; break;
    case ENOENT: case ENOTDIR: actions.message = kLogNoFolder; break;
    default: actions.message = kLogFailed; break;
    }
    return true;
}

const std::string& MonitoringSession::Text(Message message) {
    static const std::string none;
    switch (message) {
    case kDiskStopped:
        return VELK_SJIS("ディスクの空きスペースが足りないので、ログファイルの収集を強制中断しました。");
    case kDiskLow:
        return VELK_SJIS("ディスクの空きスペースが足りません。このままモニターを続けると、"
                         "ログファイルの収集を強制中断する可能性があります。");
    case kLogTooSlow:
        return VELK_SJIS("LOGファイルの作成が間に合わないので、ログファイルの収集を強制中断しました。");
    case kLogDiskFull:
        return VELK_SJIS("ログファイルに書き込めないので、ログファイルの収集を強制中断しました。"
                         "（ディスクがいっぱいです）");
    case kLogTooLarge:
        return VELK_SJIS("ログファイルに書き込めないので、ログファイルの収集を強制中断しました。"
                         "（ファイルサイズの上限です）");
    case kLogDenied:
        return VELK_SJIS("ログファイルに書き込めないので、ログファイルの収集を強制中断しました。"
                         "（書き込み権限がありません）");
    case kLogNoFolder:
        return VELK_SJIS("ログファイルに書き込めないので、ログファイルの収集を強制中断しました。"
                         "（フォルダがありません）");
    case kLogFailed:
        return VELK_SJIS("ログファイルに書き込めないので、ログファイルの収集を強制中断しました。"
                         "（書き込みエラーです）");
    case kNoMessage:
        break;
    }
    return none;
}
