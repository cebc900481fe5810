#include "sim/X25Sessions.h"

#include <vector>

#include "sim/X25Builder.h"

void X25Sessions::Restart() {
    line_.SendPackets(LapdLink::kUserSide, {X25Builder::RestartRequest(0x00)});
    line_.SendPackets(LapdLink::kNetworkSide, {X25Builder::RestartConfirmation()});
}

void X25Sessions::StartCall() {
    VirtualCall& vc = vc_;
    vc = VirtualCall();
    vc.active = true;
    vc.origin = static_cast<uint8_t>(rng_.Below(2));
    // The DTE takes logical channels from the top, the DCE from the bottom.
    vc.lcn = vc.origin == LapdLink::kUserSide ? rng_.Between(6, 8) : rng_.Between(1, 3);
    vc.dataLeft = rng_.Between(1, 6);
    // X.121 addresses of the Japanese packet network (DNIC 4401).
    vc.called = "4401" + std::to_string(rng_.Between(1000000, 9999999));
    vc.calling = "4401" + std::to_string(rng_.Between(1000000, 9999999));
    line_.SendPackets(vc.origin, {X25Builder::CallRequest(vc.lcn, vc.called, vc.calling, {0x01, 0x00, 0x00, 0x00})});
    vc.stage = 1;
}

void X25Sessions::Step() {
    VirtualCall& vc = vc_;
    if (!vc.active) {
        if (rng_.OneIn(3)) StartCall();
        return;
    }
    if (vc.stage == 1) {
        line_.SendPackets(1 - vc.origin, {X25Builder::CallAccepted(vc.lcn, vc.called, vc.calling)});
        vc.stage = 2;
    } else if (vc.stage == 2) {
        if (vc.ackDue >= 0) {
            const int side = vc.ackDue;
            line_.SendPackets(side, {X25Builder::ReceiveReady(vc.lcn, vc.pr[side])});
            vc.ackDue = -1;
        } else if (vc.dataLeft == 0) {
            vc.ackDue = static_cast<int>(rng_.Below(2));  // the clearing side
            line_.SendPackets(vc.ackDue, {X25Builder::ClearRequest(vc.lcn, 0x00, 0x00)});
            vc.stage = 3;
        } else {
            // A window of at most two data packets, then the receiver acknowledges.
            const int side = static_cast<int>(rng_.Below(2));
            const int count = rng_.Between(1, 2);
            std::vector<std::vector<uint8_t>> packets;
            for (int i = 0; i < count; ++i) {
                std::vector<uint8_t> payload(static_cast<size_t>(rng_.Between(8, 48)));
                for (auto& b : payload) b = static_cast<uint8_t>(0x20 + rng_.Below(0x5F));
                packets.push_back(X25Builder::Data(vc.lcn, vc.ps[side], vc.pr[side], i + 1 < count, payload));
                vc.ps[side] = (vc.ps[side] + 1) & 7;
                vc.pr[1 - side] = (vc.pr[1 - side] + 1) & 7;
            }
            line_.SendPackets(side, packets);
            vc.ackDue = 1 - side;
            --vc.dataLeft;
        }
    } else {
        line_.SendPackets(1 - vc.ackDue, {X25Builder::ClearConfirmation(vc.lcn)});
        vc.active = false;
    }
}
