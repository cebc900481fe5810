#include "checks/MandatoryElements.h"

namespace {

using E = MessageElements;

struct Row {
    int type;
    int elements[2];  // 0 for none
    bool onlyFirstClearing;
    bool onlyFromNetwork = false;
};

constexpr Row kRows[] = {
    {0x05, {E::kBearerCapability, 0}, false},               // SETUP
    {0x45, {E::kCause, 0}, false},                          // DISCONNECT
    {0x4D, {E::kCause, 0}, true},                           // RELEASE
    {0x5A, {E::kCause, 0}, true},                           // RELEASE COMPLETE
    {0x7D, {E::kCause, E::kCallState}, false},              // STATUS
    {0x03, {E::kProgressIndicator, 0}, false},              // PROGRESS
    {0x6E, {E::kNotificationIndicator, 0}, false},          // NOTIFY
    {0x46, {E::kRestartIndicator, 0}, false},               // RESTART
    {0x4E, {E::kRestartIndicator, 0}, false},               // RESTART ACKNOWLEDGE
    {0x21, {E::kCause, 0}, false},                          // SUSPEND REJECT
    {0x22, {E::kCause, 0}, false},                          // RESUME REJECT
    {0x2E, {E::kChannelIdentification, 0}, false},          // RESUME ACKNOWLEDGE
    {0x62, {E::kFacility, 0}, false},                       // FACILITY
    // The channel the network chose, on an interface with more than one.
    {0x05, {E::kChannelIdentification, 0}, false, true},    // SETUP from the network
    {0x0D, {E::kChannelIdentification, 0}, false, true},    // SETUP ACKNOWLEDGE from the network
};

struct Named {
    int identifier;
    const char* name;
};

constexpr Named kNames[] = {
    {E::kBearerCapability, "Bearer capability"},
    {E::kCause, "Cause"},
    {E::kCallState, "Call state"},
    {E::kChannelIdentification, "Channel identification"},
    {E::kFacility, "Facility"},
    {E::kProgressIndicator, "Progress indicator"},
    {E::kNotificationIndicator, "Notification indicator"},
    {E::kRestartIndicator, "Restart indicator"},
};

}  // namespace

int MandatoryElements::Missing(int type, const MessageElements& elements, bool firstClearing, bool fromNetwork) {
    for (const Row& row : kRows) {
        if (row.type != type || (row.onlyFirstClearing && !firstClearing) || (row.onlyFromNetwork && !fromNetwork))
            continue;
        for (int identifier : row.elements)
            if (identifier != 0 && !elements.Has(identifier)) return identifier;
    }
    return kNone;
}

const char* MandatoryElements::Name(int identifier) {
    for (const Named& n : kNames)
        if (n.identifier == identifier) return n.name;
    return "";
}
