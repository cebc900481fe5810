#pragma once
// A primary-rate D channel seen from the line, frame by frame: the LAPD
// links with TEI management and supervision, Q.931 calls on the 23 B
// channels in both directions and X.25 on SAPI 16, interleaved at random.
// TX is the user side, RX the network side. The sequence depends on the
// seed alone (and the faults planned), never on time, so anyone can
// regenerate what a run sent.
#include <cstdint>

#include "sim/CallScripts.h"
#include "sim/FaultPlan.h"
#include "sim/FrameSource.h"
#include "sim/Layer2Traffic.h"
#include "sim/SimRandom.h"
#include "sim/X25Sessions.h"

class TrafficGenerator : public FrameSource {
public:
    explicit TrafficGenerator(uint64_t seed, FaultPlan faults = FaultPlan()) : rng_(seed), faults_(faults) {}
    // The layers hold on to this generator's random sequence and line.
    TrafficGenerator(const TrafficGenerator&) = delete;
    TrafficGenerator& operator=(const TrafficGenerator&) = delete;

    // Always gives a frame.
    bool Next(SimFrame& frame) override;
    uint32_t ChannelMask(int direction) const override { return shownMask_[direction & 1]; }

    // Frames handed out so far.
    uint64_t FramesMade() const { return made_; }
    // Calls between SETUP and RELEASE COMPLETE in the frames generated so far.
    size_t CallsInProgress() const { return calls_.InProgress(); }
    // Frame n (from 0) of the seed's sequence with those faults, regenerated
    // from the start.
    static SimFrame FrameAt(uint64_t seed, uint64_t n, FaultPlan faults = FaultPlan());

private:
    void Step();

    // One random sequence for all three, drawn in the order the frames leave.
    SimRandom rng_;
    FaultPlan faults_;
    Layer2Traffic line_{rng_, faults_};
    CallScripts calls_{rng_, line_, faults_};
    X25Sessions packets_{rng_, line_};
    bool started_ = false;
    uint32_t shownMask_[2] = {0, 0};
    uint64_t made_ = 0;
};
