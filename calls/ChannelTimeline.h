#pragma once
// The B channels over time: per channel 1 to 24 the bars of the calls that
// named it, each from the call's first frame to its last (a call still open
// lasting to the last frame the tracker counted), the collisions (a bar that begins
// while another on its channel still lasts: both are marked, and the pair
// is listed with the bar reaching furthest), and the restarts as marks on
// their channels or on every row. Times are ms on the tracker's clock.
// Built afresh from the calls and the restarts held; what it keeps are
// values, valid whatever the tracker does next.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "calls/CallRecord.h"
#include "calls/CallTracker.h"
#include "calls/RestartLog.h"

class ChannelTimeline {
public:
    static constexpr int kFirstChannel = 1;
    static constexpr int kLastChannel = 24;
    static constexpr int kEveryRow = 0;  // the channel of a mark for the whole interface

    struct Bar {
        uint64_t call = 0;
        int64_t startMs = 0;
        int64_t endMs = 0;    // the last frame's
        int64_t reachMs = 0;  // endMs, or the tracker's last counted frame when open
        CallRecord::Result result = CallRecord::kOngoing;
        bool open = false;  // no frame closed the call: drawn to the end and marked
        bool collision = false;
    };
    struct Collision {
        int channel = 0;
        uint64_t earlier = 0;  // the call whose bar reaches furthest of those begun before
        uint64_t later = 0;
        int64_t fromMs = 0;  // the overlap
        int64_t toMs = 0;
    };
    struct Mark {
        int64_t ms = 0;
        int32_t index = -1;
        int channel = kEveryRow;
    };

    void Build(const CallTracker& calls, const RestartLog& restarts);

    // Channels 1 to 23, and 24 when a call names it.
    int LastRow() const { return lastRow_; }
    // The capture's span: the first call's start to the last counted frame,
    // or to a restart before or after them.
    int64_t StartMs() const { return startMs_; }
    int64_t EndMs() const { return endMs_; }

    // A channel's bars by start (then call number); none outside 1..24.
    const std::vector<Bar>& Bars(int channel) const;
    // Positions in Bars(channel) of the bars that meet [fromMs, toMs], in order.
    std::vector<size_t> BarsIn(int channel, int64_t fromMs, int64_t toMs) const;
    // The call whose bar on channel meets [ms - slackMs, ms + slackMs], the
    // one begun last when several do (it is drawn on top); 0 for none.
    uint64_t CallAt(int channel, int64_t ms, int64_t slackMs = 0) const;

    // By the later call's start.
    const std::vector<Collision>& Collisions() const { return collisions_; }
    // By time; a restart of several channels is a mark on each.
    const std::vector<Mark>& Marks() const { return marks_; }

private:
    struct Row {
        std::vector<Bar> bars;
        std::vector<int64_t> reachSoFar;  // the furthest reach of bars[0..i]
    };
    void FindCollisions(int channel, Row& row);

    Row rows_[kLastChannel + 1];  // [0] unused
    std::vector<Collision> collisions_;
    std::vector<Mark> marks_;
    int lastRow_ = kLastChannel - 1;
    int64_t startMs_ = 0;
    int64_t endMs_ = 0;
};
