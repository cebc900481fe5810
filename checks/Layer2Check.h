#pragma once
// The layer-2 checks (Q.921 LAPD), frame by frame in store order, per data
// link (TEI, SAPI): link set-ups, resets and releases (SABME, UA, DISC, DM,
// FRMR), REJ and RNR, an I frame sent again with the same N(S) (T200) and
// more than N200 times, an established link idle past T203 without a poll,
// frames whose FCS fails, and TEI management problems where TEIs are
// assigned. It keeps counts of the frame kinds for a status line.
#include <cstdint>

#include "checks/CheckSettings.h"
#include "checks/FindingLog.h"
#include "store/FrameRecord.h"

class Layer2Check {
public:
    struct Counts {
        uint64_t sabme = 0, ua = 0, disc = 0, dm = 0, frmr = 0, rej = 0, rnr = 0, fcsErrors = 0;
    };

    explicit Layer2Check(const CheckSettings& settings);
    ~Layer2Check();
    Layer2Check(const Layer2Check&) = delete;
    Layer2Check& operator=(const Layer2Check&) = delete;

    // The next frame, at ms on the checker's clock. False for a frame whose
    // information layer 3 does not see: an I frame sent again with the N(S)
    // its side last sent on the link (the receiver drops the copy).
    bool Add(const FrameRecord& record, int64_t ms, FindingLog& out);
    void Clear();
    const Counts& FrameCounts() const { return counts_; }

private:
    struct State;
    State* state_;  // owned
    Counts counts_;
};
