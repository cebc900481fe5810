#pragma once
// The layer-3 checks of Q.931 call control (SAPI 0, protocol discriminator
// 0x08), frame by frame in store order: each call's state as both sides'
// messages move it (a message not valid in that state; RELEASE COMPLETE
// where a DISCONNECT or RELEASE was due), the timers T303, T310, T305, T308
// and T313 from the frames' times, the mandatory information elements and
// their order, STATUS reporting a protocol error or a state other than the
// one seen, causes 6 and 44, and two calls on one B channel. Calls are the
// call tracker's (its numbers passed in); a call whose first frame is not a
// SETUP began before the capture and raises no state or timer findings.
// Frames whose FCS fails and I frames layer 2 sent again are not passed in.
#include <cstdint>

#include "checks/CheckSettings.h"
#include "checks/FindingLog.h"
#include "store/FrameRecord.h"

class CallStateCheck {
public:
    explicit CallStateCheck(const CheckSettings& settings);
    ~CallStateCheck();
    CallStateCheck(const CallStateCheck&) = delete;
    CallStateCheck& operator=(const CallStateCheck&) = delete;

    // The next frame, at ms on the checker's clock; call is the number the
    // call tracker gave it (0 when the frame is not a call's). Timers that
    // ran out before ms are reported first.
    void Add(const FrameRecord& record, uint64_t call, int64_t ms, FindingLog& out);
    void Clear();

private:
    struct State;
    State* state_;  // owned
};
