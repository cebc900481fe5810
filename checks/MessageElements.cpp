#include "checks/MessageElements.h"

#include <array>

#include "calls/CodesetWalk.h"
#include "calls/ElementOctets.h"

MessageElements::MessageElements(const FrameLayout& frame) {
    // The last variable-length identifier seen in each codeset.
    std::array<int, 8> last;
    last.fill(-1);
    CodesetWalk::Walk(frame, [&](int codeset, int identifier, int start) {
        // Single-octet elements (bit 8 set) may stand anywhere.
        if (identifier & 0x80) return;
        if (identifier < last[codeset] && orderIdentifier_ == kAbsent) {
            orderCodeset_ = codeset;
            orderBefore_ = last[codeset];
            orderIdentifier_ = identifier;
        }
        last[codeset] = identifier;
        if (codeset != 0) return;
        const bool first = !present_.test(identifier);
        present_.set(identifier);
        if (!first) return;
        const ElementOctets octets(frame, start);
        if (identifier == kCallState) callState_ = octets.Octet(3);
        if (identifier == kRestartIndicator) {
            const int octet3 = octets.Octet(3);
            restartClass_ = octet3 == kAbsent ? kAbsent : octet3 & 0x07;
        }
        if (identifier == kChannelIdentification) channel_ = start;
    });
}

bool MessageElements::OutOfOrder(int& codeset, int& before, int& identifier) const {
    if (orderIdentifier_ == kAbsent) return false;
    codeset = orderCodeset_;
    before = orderBefore_;
    identifier = orderIdentifier_;
    return true;
}
