#pragma once
// A call's state as an observer of both sides sees it, and the order in
// which the messages that establish a call may come: which of them can
// follow each state, from which side, and the state they lead to. The
// clearing messages and the messages valid in any state (STATUS, STATUS
// ENQUIRY, INFORMATION, NOTIFY, FACILITY ...) are not in the table.
#include <cstdint>

class CallStateTable {
public:
    enum State : uint8_t {
        kNull,
        kCallInitiated,         // SETUP
        kOverlapSending,        // SETUP ACKNOWLEDGE
        kProceeding,            // CALL PROCEEDING
        kDelivered,             // ALERTING
        kConnectRequest,        // CONNECT
        kActive,                // CONNECT ACKNOWLEDGE
        kDisconnectIndication,  // DISCONNECT
        kReleaseRequest,        // RELEASE
        kReleased,              // RELEASE COMPLETE
    };

    // SETUP ACKNOWLEDGE, CALL PROCEEDING, ALERTING, CONNECT, CONNECT
    // ACKNOWLEDGE and PROGRESS.
    static bool IsEstablishment(int type);
    // The state an establishment message leads to from state; false when
    // it cannot follow state from that side. Once clearing has begun any of
    // them passes unchanged: it may have crossed the clearing message.
    static bool Next(State state, int type, bool fromOriginatingSide, State& next);
    // The message type that leads to state (SETUP for kCallInitiated ...),
    // -1 for kNull.
    static int MessageOf(State state);
    // What may follow state (UTF-8), for the texts of the findings.
    static const char* Expected(State state);
    // The Q.931 call state values (bit n for value n) a side may report in
    // STATUS in this state. Either side may be the user or the network, so
    // a state of the observer is two of Q.931's: the user's originating
    // call states (U1, U2, U3, U4 ...) or the network's incoming ones (N6,
    // N25, N9, N7 ...); the two sides of a call then report the same values.
    static uint64_t Reportable(State state);
};
