#pragma once
// The deadlines of the calls' running timers, soonest first: a min-heap
// whose entries name the call, the timer and the run that armed it. A
// stopped timer leaves its entry behind; whoever pops it asks the call
// whether that run still stands (lazy invalidation), so arming and
// stopping cost no search.
#include <cstddef>
#include <cstdint>
#include <vector>

class CallTimers {
public:
    enum Timer : uint8_t { kT303, kT310, kT305, kT308, kT313 };
    static constexpr int kTimerCount = kT313 + 1;

    struct Entry {
        int64_t deadline = 0;  // ms; the timer ran out at any later time
        uint64_t call = 0;
        uint32_t run = 0;      // the call's count of timers armed when this one was
        Timer timer = kT303;
    };

    void Arm(const Entry& entry);
    // visit(entry) for each entry whose deadline lies before ms, soonest
    // first, each taken out.
    template <typename Visit>
    void RunOut(int64_t ms, Visit visit) {
        while (!heap_.empty() && heap_.front().deadline < ms) {
            const Entry entry = Pop();
            visit(entry);
        }
    }
    // Drops the entries for which stands(entry) is false, when more are
    // held than bound: a bound on the stale ones.
    template <typename Stands>
    void Trim(size_t bound, Stands stands) {
        if (heap_.size() <= bound) return;
        std::erase_if(heap_, [&](const Entry& e) { return !stands(e); });
        Heapify();
    }
    size_t Count() const { return heap_.size(); }
    void Clear() { heap_.clear(); }

private:
    Entry Pop();
    void Heapify();

    std::vector<Entry> heap_;
};
