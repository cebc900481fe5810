#pragma once
// The calls on the line, built frame by frame in store order by whoever has
// the frames (the main window as it takes or loads them, velkdump, tests).
// A call is keyed by (TEI, call reference value, originating side); a SETUP
// opens one, except a SETUP the originating side repeats before anything
// came back (T303 ran out), which joins the open call; any other message of
// a key without an open call opens one that began before the capture;
// RELEASE COMPLETE ends it. The tracker copies what it keeps, so frames may
// leave the store (a ring buffer) without changing the calls; it holds at
// most a bound of calls, dropping the oldest. Calls are numbered 1, 2, ...
// in order of their first frame, and keep their number when older ones go.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

#include "calls/CallRecord.h"
#include "store/FrameRecord.h"

class CallMessage;

class CallTracker {
public:
    static constexpr size_t kMaxCalls = 100000;
    static constexpr size_t kUnbounded = 0;
    static constexpr int64_t kDayMs = CallSteps::kDayMs;

    explicit CallTracker(size_t maxCalls = kMaxCalls) : maxCalls_(maxCalls) {}

    // Reads the next frame: the number of the call it joined, or 0 when the
    // frame does not count.
    uint64_t Add(const FrameRecord& record);
    // The time the tracker's clock would give this frame now, in ms from the
    // midnight of its first day; the clock does not move.
    int64_t TimeOf(const FrameRecord& record) const;
    // The clock's time: the last counted frame's, 0 before any.
    int64_t NowMs() const { return lastOfDayMs_ < 0 ? 0 : dayStartMs_ + lastOfDayMs_; }
    // Forgets every call and the day count; numbering starts again at 1.
    void Clear();

    // The calls held, oldest first; their numbers run on without gaps from
    // FirstNumber().
    size_t Count() const { return calls_.size(); }
    // A position outside gives an empty call (number 0).
    const CallRecord& At(size_t position) const { return position < calls_.size() ? calls_[position] : outside_; }
    auto begin() const { return calls_.begin(); }
    auto end() const { return calls_.end(); }
    uint64_t FirstNumber() const { return first_; }
    // visit(call) for every call held, oldest first, the calls ahead brought
    // into the cache meanwhile: the calls lie apart in memory, and a pass over
    // 100,000 of them otherwise waits on it.
    template <typename Visit>
    void ForEach(Visit visit) const {
        constexpr size_t kAhead = 8;
        for (size_t p = 0; p < calls_.size(); ++p) {
            if (p + kAhead < calls_.size()) {
                // The first two cache lines hold what a pass over every call reads.
                const char* ahead = reinterpret_cast<const char*>(&calls_[p + kAhead]);
                __builtin_prefetch(ahead);
                __builtin_prefetch(ahead + 64);
            }
            visit(calls_[p]);
        }
    }
    // The call with this number, or nullptr when it is not held.
    const CallRecord* Find(uint64_t number) const;

    // The numbers of the calls made or changed since the last time, in
    // ascending order; calls no longer held are left out.
    std::vector<uint64_t> TakeChanged();
    // Moves the oldest call out when no frame can change it any more (ended
    // by RELEASE COMPLETE or closed by a new SETUP); false otherwise. For a
    // reader that writes calls as they settle, in order of first frame.
    bool TakeSettled(CallRecord& call);

private:
    CallRecord& Open(const CallMessage& message, const FrameRecord& record, int64_t ms, bool midCall);
    void Update(CallRecord& call, const CallMessage& message, const FrameRecord& record, int64_t ms,
                bool repeatedSetup);
    void Changed(const CallRecord& call);
    void DropOldest();
    // The frame's time on the tracker's clock: a time of day earlier than the
    // previous counted frame's is the next day.
    int64_t Time(const FrameRecord& record);
    static int64_t OfDay(const TimeStamp& t);
    void AddStep(CallRecord& call, const CallMessage& message, const FrameRecord& record, int64_t ms) const;
    static uint32_t KeyOf(const CallRecord& call);

    size_t maxCalls_;
    std::deque<CallRecord> calls_;
    std::deque<uint8_t> listed_;  // per call: its number is in changed_
    std::vector<uint64_t> changed_;
    std::unordered_map<uint32_t, uint64_t> open_;  // key -> number of its open call
    uint64_t first_ = 1;
    int64_t dayStartMs_ = 0;
    int64_t lastOfDayMs_ = -1;
    CallRecord outside_;
};
