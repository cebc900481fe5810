#include "checks/CallStateTable.h"

#include <initializer_list>

namespace {

using S = CallStateTable::State;

constexpr uint32_t Bit(S state) { return 1u << state; }
constexpr uint32_t kBeforeConnect = Bit(S::kCallInitiated) | Bit(S::kOverlapSending) | Bit(S::kProceeding) |
                                    Bit(S::kDelivered);

enum From : uint8_t { kOriginating, kTerminating, kEither };

// One establishment message: the side that sends it, the states it may
// follow, and the state it leads to (kNull: the state stays).
struct Row {
    int type;
    From from;
    uint32_t after;
    S next;
};

constexpr Row kRows[] = {
    {0x0D, kTerminating, Bit(S::kCallInitiated), S::kOverlapSending},                      // SETUP ACKNOWLEDGE
    {0x02, kTerminating, Bit(S::kCallInitiated) | Bit(S::kOverlapSending), S::kProceeding},  // CALL PROCEEDING
    {0x01, kTerminating, kBeforeConnect & ~Bit(S::kDelivered), S::kDelivered},              // ALERTING
    {0x07, kTerminating, kBeforeConnect, S::kConnectRequest},                               // CONNECT
    {0x0F, kOriginating, Bit(S::kConnectRequest), S::kActive},                              // CONNECT ACKNOWLEDGE
    {0x03, kEither, kBeforeConnect, S::kNull},                                              // PROGRESS
};

constexpr uint64_t Values(std::initializer_list<int> values) {
    uint64_t mask = 0;
    for (int v : values) mask |= uint64_t{1} << v;
    return mask;
}

}  // namespace

bool CallStateTable::IsEstablishment(int type) {
    for (const Row& row : kRows)
        if (row.type == type) return true;
    return false;
}

bool CallStateTable::Next(State state, int type, bool fromOriginatingSide, State& next) {
    if (state == kDisconnectIndication || state == kReleaseRequest) {
        next = state;
        return true;
    }
    for (const Row& row : kRows) {
        if (row.type != type) continue;
        const bool side = row.from == kEither || (row.from == kOriginating) == fromOriginatingSide;
        if (!side || !(row.after & Bit(state))) return false;
        next = row.next == kNull ? state : row.next;
        return true;
    }
    return false;
}

int CallStateTable::MessageOf(State state) {
    static constexpr int kTypes[] = {-1, 0x05, 0x0D, 0x02, 0x01, 0x07, 0x0F, 0x45, 0x4D, 0x5A};
    return kTypes[state];
}

const char* CallStateTable::Expected(State state) {
    switch (state) {
        case kCallInitiated:
            return "SETUP の後は着信側の SETUP ACKNOWLEDGE、CALL PROCEEDING、ALERTING、CONNECT か解放";
        case kOverlapSending: return "SETUP ACKNOWLEDGE の後は着信側の CALL PROCEEDING、ALERTING、CONNECT か解放";
        case kProceeding: return "CALL PROCEEDING の後は着信側の ALERTING、CONNECT か解放";
        case kDelivered: return "ALERTING の後は着信側の CONNECT か解放";
        case kConnectRequest: return "CONNECT の後は発信側の CONNECT ACKNOWLEDGE か解放";
        case kActive: return "CONNECT ACKNOWLEDGE の後は解放";
        default: return "";
    }
}

uint64_t CallStateTable::Reportable(State state) {
    switch (state) {
        case kCallInitiated: return Values({1, 6});
        case kOverlapSending: return Values({2, 25});
        case kProceeding: return Values({3, 9});
        case kDelivered: return Values({4, 7});
        // The calling user is active on CONNECT; the called user and the
        // network that offered the call wait for CONNECT ACKNOWLEDGE.
        case kConnectRequest: return Values({8, 10});
        case kActive: return Values({10});
        case kDisconnectIndication: return Values({11, 12});
        // The side that received RELEASE is back in Null.
        case kReleaseRequest: return Values({0, 19});
        default: return Values({0});
    }
}
