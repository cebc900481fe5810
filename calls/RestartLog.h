#pragma once
// The RESTART messages on the line, which the call tracker passes over
// (they carry the global call reference): fed the frames the tracker is
// fed, it keeps each RESTART (SAPI 0, good FCS, protocol discriminator
// 0x08, a call reference of one or two octets whose value is 0, message
// type 0x46) with its time on the tracker's clock, its side and what it
// restarts: with restart class 0 (indicated channels) the primary-rate B
// channels its channel identification element names, else the whole
// interface (another class, no channel element, or one naming no channel
// this reading knows). It holds at most a bound of restarts, dropping the
// oldest.
#include <cstddef>
#include <cstdint>
#include <deque>

#include "calls/CallChannels.h"
#include "calls/CallTracker.h"
#include "store/FrameRecord.h"

class RestartLog {
public:
    static constexpr size_t kMaxRestarts = 10000;

    struct Restart {
        int32_t index = -1;
        int64_t ms = 0;  // on the tracker's clock
        TimeStamp time;
        uint8_t side = 0;  // FrameRecord::kTx or kRx
        bool wholeInterface = false;
        CallChannels channels;  // empty for the whole interface
    };

    explicit RestartLog(size_t maxRestarts = kMaxRestarts) : maxRestarts_(maxRestarts) {}

    // Reads the next frame, the tracker having read it or not yet: true when
    // it was a RESTART.
    bool Add(const FrameRecord& record, const CallTracker& tracker);
    void Clear() { restarts_.clear(); }

    // Oldest first.
    size_t Count() const { return restarts_.size(); }
    const Restart& At(size_t position) const { return restarts_[position]; }
    auto begin() const { return restarts_.begin(); }
    auto end() const { return restarts_.end(); }

private:
    size_t maxRestarts_;
    std::deque<Restart> restarts_;
};
