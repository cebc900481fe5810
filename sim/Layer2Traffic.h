#pragma once
// The LAPD layer of the simulated D channel: TEI management on SAPI 63, the
// call control link (SAPI 0) and the packet link (SAPI 16), their set-up and
// supervision, and the frames in the order they pass on the line, each with
// its FCS, now and then damaged and then recovered as LAPD does. The call
// scripts and the X.25 sessions hand it their messages; all three draw from
// one random sequence. The faults planned go on the line here (a repeated
// I frame) or through it (a message not sent).
#include <cstdint>
#include <deque>
#include <vector>

#include "sim/FaultPlan.h"
#include "sim/FrameSource.h"
#include "sim/LapdLink.h"
#include "sim/SimRandom.h"

class Layer2Traffic {
public:
    // One frame in about this many leaves with a damaged FCS.
    static constexpr uint32_t kBadFcsOneIn = 200;

    Layer2Traffic(SimRandom& rng, FaultPlan& faults) : rng_(rng), faults_(faults) {}

    // TEI assignment, then multiple frame operation on SAPI 0 and SAPI 16.
    void Establish();
    // The network checks the assigned TEI and the user answers.
    void TeiCheck();
    // T203 runs out on an idle link: one side polls, the peer answers.
    void KeepAlive();

    // I frames of side with the peer's acknowledgement: a Q.931 message on
    // SAPI 0, X.25 packets on SAPI 16.
    void SendCallControl(int side, const std::vector<uint8_t>& message) { SendI(callControl_, side, {message}); }
    void SendPackets(int side, const std::vector<std::vector<uint8_t>>& packets) { SendI(packet_, side, packets); }
    // A Q.931 message side should send and does not: nothing goes on the
    // line and the link stays as it was, but the random numbers its frames
    // would have drawn are drawn.
    void LoseCallControl(int side, const std::vector<uint8_t>& message);

    // Frames queued so far: the number the next one gets.
    uint64_t FramesQueued() const { return queued_; }

    // B channels in use per direction, shown with every frame queued from now on.
    void SetChannels(const uint32_t mask[2]) {
        mask_[0] = mask[0];
        mask_[1] = mask[1];
    }
    // The oldest frame on the line and the channels shown with it; false
    // when nothing is queued.
    bool Take(SimFrame& frame, uint32_t mask[2]);

private:
    struct Pending {
        SimFrame frame;
        uint32_t mask[2];
    };

    void Out(int side, const std::vector<uint8_t>& frame, bool damaged);
    void Emit(int side, std::vector<uint8_t> body);
    void SendI(LapdLink& link, int side, const std::vector<std::vector<uint8_t>>& infos);
    void SendManagement(int side, uint16_t ri, uint8_t type, uint8_t ai);

    SimRandom& rng_;
    FaultPlan& faults_;
    std::deque<Pending> queue_;
    uint64_t queued_ = 0;
    bool silent_ = false;  // frames made are not queued
    LapdLink management_{63, 127};
    LapdLink callControl_{0, 0};
    LapdLink packet_{16, 64};
    uint32_t mask_[2] = {0, 0};
};
