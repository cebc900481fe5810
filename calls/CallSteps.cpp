#include "calls/CallSteps.h"

#include <algorithm>

TimeStamp CallSteps::Step::Time() const {
    TimeStamp t;
    t.Set(static_cast<int>(ofDayMs / 3'600'000), ofDayMs / 60'000 % 60, ofDayMs / 1000 % 60, ofDayMs % 1000);
    return t;
}

void CallSteps::Add(const Step& step) {
    // Most calls keep eight messages or so: one allocation for them.
    if (kept_.empty()) kept_.reserve(8);
    if (kept_.size() < kHead + kTail) {
        kept_.push_back(step);
        return;
    }
    // The tail moves up by one; the head stays.
    std::move(kept_.begin() + kHead + 1, kept_.end(), kept_.begin() + kHead);
    kept_.back() = step;
    ++omitted_;
}
