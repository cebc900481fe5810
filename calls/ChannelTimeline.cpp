#include "calls/ChannelTimeline.h"

#include <algorithm>

namespace {

const std::vector<ChannelTimeline::Bar> kNoBars;

bool ByStart(const ChannelTimeline::Bar& a, const ChannelTimeline::Bar& b) {
    return a.startMs != b.startMs ? a.startMs < b.startMs : a.call < b.call;
}

}  // namespace

void ChannelTimeline::Build(const CallTracker& calls, const RestartLog& restarts) {
    for (Row& row : rows_) {
        row.bars.clear();
        row.reachSoFar.clear();
    }
    collisions_.clear();
    marks_.clear();
    // An open call lasts to the last counted frame; the span goes on to a later restart.
    endMs_ = calls.NowMs();
    startMs_ = calls.Count() ? calls.At(0).startMs : endMs_;
    for (const RestartLog::Restart& r : restarts) {
        endMs_ = std::max(endMs_, r.ms);
        startMs_ = std::min(startMs_, r.ms);
        if (r.wholeInterface) marks_.push_back({r.ms, r.index, kEveryRow});
        for (int c = kFirstChannel; c <= kLastChannel && !r.wholeInterface; ++c)
            if (r.channels.Has(c)) marks_.push_back({r.ms, r.index, c});
    }
    std::stable_sort(marks_.begin(), marks_.end(), [](const Mark& a, const Mark& b) { return a.ms < b.ms; });

    calls.ForEach([&](const CallRecord& call) {
        // A clock gone odd (hours past 24) may run back: the span takes in every call.
        startMs_ = std::min(startMs_, call.startMs);
        endMs_ = std::max(endMs_, call.ReachMs(calls.NowMs()));
        if (call.channels.Empty()) return;
        const Bar bar{call.number, call.startMs, call.endMs, call.ReachMs(calls.NowMs()), call.Outcome(), !call.Settled(), false};
        for (int c = kFirstChannel; c <= kLastChannel; ++c)
            if (call.channels.Has(c)) rows_[c].bars.push_back(bar);
    });
    lastRow_ = rows_[kLastChannel].bars.empty() ? kLastChannel - 1 : kLastChannel;
    for (int c = kFirstChannel; c <= kLastChannel; ++c) {
        Row& row = rows_[c];
        // The tracker's calls begin in order of number, but for a clock gone odd.
        if (!std::is_sorted(row.bars.begin(), row.bars.end(), ByStart))
            std::sort(row.bars.begin(), row.bars.end(), ByStart);
        FindCollisions(c, row);
    }
    std::stable_sort(collisions_.begin(), collisions_.end(),
                     [](const Collision& a, const Collision& b) { return a.fromMs < b.fromMs; });
}

// A bar that begins before the furthest reach of the bars begun before it
// overlaps the one reaching furthest. Every bar in a collision is marked so:
// one that overlaps a later bar either reaches furthest at that point or
// itself began inside a bar reaching further.
void ChannelTimeline::FindCollisions(int channel, Row& row) {
    row.reachSoFar.reserve(row.bars.size());
    size_t furthest = 0;
    for (size_t i = 0; i < row.bars.size(); ++i) {
        Bar& bar = row.bars[i];
        if (i > 0 && bar.startMs < row.reachSoFar.back()) {
            Bar& other = row.bars[furthest];
            bar.collision = other.collision = true;
            collisions_.push_back({channel, other.call, bar.call, bar.startMs, std::min(other.reachMs, bar.reachMs)});
        }
        if (i == 0 || bar.reachMs > row.reachSoFar.back()) furthest = i;
        row.reachSoFar.push_back(row.bars[furthest].reachMs);
    }
}

const std::vector<ChannelTimeline::Bar>& ChannelTimeline::Bars(int channel) const {
    return channel >= kFirstChannel && channel <= kLastChannel ? rows_[channel].bars : kNoBars;
}

std::vector<size_t> ChannelTimeline::BarsIn(int channel, int64_t fromMs, int64_t toMs) const {
    std::vector<size_t> out;
    if (channel < kFirstChannel || channel > kLastChannel) return out;
    const Row& row = rows_[channel];
    // Before the first bar whose furthest reach so far gets to fromMs, none
    // does; from the first bar that begins after toMs on, none begins in time.
    const size_t first = static_cast<size_t>(
        std::lower_bound(row.reachSoFar.begin(), row.reachSoFar.end(), fromMs) - row.reachSoFar.begin());
    const size_t last = static_cast<size_t>(
        std::upper_bound(row.bars.begin(), row.bars.end(), toMs,
                         [](int64_t ms, const Bar& bar) { return ms < bar.startMs; }) -
        row.bars.begin());
    for (size_t i = first; i < last; ++i)
        if (row.bars[i].reachMs >= fromMs) out.push_back(i);
    return out;
}

uint64_t ChannelTimeline::CallAt(int channel, int64_t ms, int64_t slackMs) const {
    const std::vector<size_t> hits = BarsIn(channel, ms - slackMs, ms + slackMs);
    if (hits.empty()) return 0;
    // The one begun last; among those begun together, the highest number.
    return Bars(channel)[hits.back()].call;
}
