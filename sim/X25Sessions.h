#pragma once
// X.25 on SAPI 16: the packet layer restart once the link is up, then one
// virtual call at a time between the DTE (user side) and the DCE (network
// side): call set-up, a few windows of data with their RR packets, clearing.
#include <string>

#include "sim/Layer2Traffic.h"
#include "sim/SimRandom.h"

class X25Sessions {
public:
    X25Sessions(SimRandom& rng, Layer2Traffic& line) : rng_(rng), line_(line) {}

    // Restart request and confirmation after the link is established.
    void Restart();
    // The next packet of the call in progress, or now and then a new call.
    void Step();

private:
    struct VirtualCall {
        bool active = false;
        int stage = 0;
        uint8_t origin = 0;
        int lcn = 1;
        int ps[2] = {0, 0};
        int pr[2] = {0, 0};
        int dataLeft = 0;
        int ackDue = -1;  // side that owes an RR packet, -1 none
        std::string called, calling;
    };

    void StartCall();

    SimRandom& rng_;
    Layer2Traffic& line_;
    VirtualCall vc_;
};
