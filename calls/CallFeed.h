#pragma once
// The calls of the program's frames, whether or not a window shows them: a
// tracker (and the log of restarts beside it) fed every frame as the timer takes it and every frame of a loaded
// store in store order, started afresh when the store is emptied. At the
// end of each timer tick it hands its window the calls the tick changed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "calls/CallFeedReader.h"
#include "calls/CallTracker.h"
#include "calls/RestartLog.h"
#include "store/FrameStore.h"

class CallFeed {
public:
    explicit CallFeed(size_t maxCalls = CallTracker::kMaxCalls) : tracker_(maxCalls) {}

    // A frame just taken into the store.
    void Take(const FrameRecord& record) {
        const uint64_t call = tracker_.Add(record);
        restarts_.Add(record, tracker_);
        for (CallFeedReader* reader : readers_) reader->Take(record, call);
    }
    // The store was emptied (a new run).
    void Clear();
    // The store's frames replaced (a load): all of them read again, in order.
    void Reload(const FrameStore& store);
    // The end of a timer tick: Changed() becomes the calls changed since the
    // last tick, then onTick runs.
    void Ticked();

    const CallTracker& Tracker() const { return tracker_; }
    const RestartLog& Restarts() const { return restarts_; }
    // Numbers of the calls the last tick made or changed, ascending.
    const std::vector<uint64_t>& Changed() const { return changed_; }
    // Moves whenever the calls start afresh: a reader keeping rows of them
    // builds them again.
    uint64_t Generation() const { return generation_; }
    // A run is taking frames: store positions and calls move under a reader.
    bool RunOn() const { return runOn_; }
    void SetRunOn(bool on) { runOn_ = on; }

    // A reader fed beside the tracker from now on, until RemoveReader.
    void AddReader(CallFeedReader& reader) { readers_.push_back(&reader); }
    void RemoveReader(const CallFeedReader& reader) { std::erase(readers_, &reader); }

    std::function<void()> onTick;
    // More windows that follow the ticks, after onTick, each by a key of its
    // own (the window): one Follow each, Unfollow before it goes.
    void Follow(const void* key, std::function<void()> onTick);
    void Unfollow(const void* key);

private:
    CallTracker tracker_;
    RestartLog restarts_;
    std::vector<uint64_t> changed_;
    std::vector<CallFeedReader*> readers_;
    std::vector<std::pair<const void*, std::function<void()>>> followers_;
    uint64_t generation_ = 0;
    bool runOn_ = false;
};
