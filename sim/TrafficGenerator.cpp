#include "sim/TrafficGenerator.h"

bool TrafficGenerator::Next(SimFrame& frame) {
    while (!line_.Take(frame, shownMask_)) Step();
    ++made_;
    return true;
}

SimFrame TrafficGenerator::FrameAt(uint64_t seed, uint64_t n, FaultPlan faults) {
    TrafficGenerator generator(seed, faults);
    SimFrame frame;
    for (uint64_t i = 0; i <= n; ++i) generator.Next(frame);
    return frame;
}

void TrafficGenerator::Step() {
    if (!started_) {
        line_.Establish();
        packets_.Restart();
        started_ = true;
        return;
    }
    uint32_t r = rng_.Below(100);
    if (r < 10) {
        calls_.Offer();
    } else if (r < 14) {
        packets_.Step();
    } else if (r < 15) {
        line_.KeepAlive();
    } else if (r < 16) {
        if (rng_.OneIn(4)) line_.TeiCheck();
    } else {
        calls_.Advance();
    }
}
