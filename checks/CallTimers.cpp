#include "checks/CallTimers.h"

#include <algorithm>

namespace {

// std::push_heap keeps the greatest first: the later deadline is the lesser.
// Equal deadlines go in the order of their calls, then timers.
bool Later(const CallTimers::Entry& a, const CallTimers::Entry& b) {
    if (a.deadline != b.deadline) return a.deadline > b.deadline;
    if (a.call != b.call) return a.call > b.call;
    return a.timer > b.timer;
}

}  // namespace

void CallTimers::Arm(const Entry& entry) {
    heap_.push_back(entry);
    std::push_heap(heap_.begin(), heap_.end(), Later);
}

CallTimers::Entry CallTimers::Pop() {
    std::pop_heap(heap_.begin(), heap_.end(), Later);
    const Entry entry = heap_.back();
    heap_.pop_back();
    return entry;
}

void CallTimers::Heapify() { std::make_heap(heap_.begin(), heap_.end(), Later); }
