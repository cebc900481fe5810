#include "sim/Layer2Traffic.h"

#include <utility>

#include "store/Fcs.h"

namespace {

constexpr int kUserSide = LapdLink::kUserSide;
constexpr int kNetworkSide = LapdLink::kNetworkSide;

// TEI management (Q.921 clause 5.3): entity identifier and message types.
constexpr uint8_t kManagementEntity = 0x0F;
enum TeiMessage : uint8_t { kIdRequest = 1, kIdAssigned = 2, kIdCheckRequest = 4, kIdCheckResponse = 5 };

std::vector<uint8_t> WithFcs(std::vector<uint8_t> body) {
    Fcs::Append(body);
    return body;
}

std::vector<uint8_t> Damage(std::vector<uint8_t> frame, SimRandom& rng) {
    // One bit error anywhere: CRC-16 always detects it.
    uint32_t index = rng.Below(static_cast<uint32_t>(frame.size()));
    frame[index] ^= static_cast<uint8_t>(1u << rng.Below(8));
    return frame;
}

}  // namespace

bool Layer2Traffic::Take(SimFrame& frame, uint32_t mask[2]) {
    if (queue_.empty()) return false;
    Pending& p = queue_.front();
    frame = std::move(p.frame);
    mask[0] = p.mask[0];
    mask[1] = p.mask[1];
    queue_.pop_front();
    return true;
}

// ---- frame output -------------------------------------------------------

void Layer2Traffic::Out(int side, const std::vector<uint8_t>& frame, bool damaged) {
    if (silent_) return;
    // An intact I frame (control octet bit 1 clear) whose copy the receiver
    // is to see right after it.
    const bool repeat = !damaged && frame.size() > 2 && (frame[2] & 1) == 0 &&
                        faults_.Take(FaultPlan::kRepeatNs, queued_);
    Pending p;
    p.frame.direction = static_cast<uint8_t>(side);
    p.frame.octets = frame;
    p.frame.badFcs = damaged;
    p.mask[0] = mask_[0];
    p.mask[1] = mask_[1];
    if (repeat) queue_.push_back(p);
    queue_.push_back(std::move(p));
    queued_ += repeat ? 2 : 1;
}

void Layer2Traffic::Emit(int side, std::vector<uint8_t> body) {
    std::vector<uint8_t> frame = WithFcs(std::move(body));
    // A damaged command or response is discarded by its receiver and sent
    // again once the timer runs out.
    if (rng_.OneIn(kBadFcsOneIn)) Out(side, Damage(frame, rng_), true);
    Out(side, frame, false);
}

void Layer2Traffic::SendI(LapdLink& link, int side, const std::vector<std::vector<uint8_t>>& infos) {
    const int peer = 1 - side;
    const int firstNs = link.SendState(side);
    std::vector<std::vector<uint8_t>> frames;
    frames.reserve(infos.size());
    for (const auto& info : infos) frames.push_back(WithFcs(link.IFrame(side, info)));

    size_t lost = frames.size();
    for (size_t j = 0; j < frames.size(); ++j) {
        bool damage = lost == frames.size() && rng_.OneIn(kBadFcsOneIn);
        if (damage) lost = j;
        Out(side, damage ? Damage(frames[j], rng_) : frames[j], damage);
    }
    if (lost < frames.size()) {
        const int nsLost = (firstNs + static_cast<int>(lost)) & 0x7F;
        link.Received(peer, nsLost);
        if (lost + 1 < frames.size()) {
            // The next frame came out of sequence: the peer rejects.
            Emit(peer, link.SFrame(peer, LapdLink::kREJ, false, false, nsLost));
        } else {
            // T200 expires: the sender polls and learns what arrived.
            Emit(side, link.SFrame(side, LapdLink::kRR, true, true, link.ReceiveState(side)));
            Emit(peer, link.SFrame(peer, LapdLink::kRR, false, true, nsLost));
        }
        for (size_t j = lost; j < frames.size(); ++j) Out(side, frames[j], false);
    }
    link.Received(peer, link.SendState(side));
    const int nr = link.ReceiveState(peer);
    if (rng_.OneIn(40)) {
        // Receiver busy for a moment; the sender polls until it clears.
        Emit(peer, link.SFrame(peer, LapdLink::kRNR, false, false, nr));
        Emit(side, link.SFrame(side, LapdLink::kRR, true, true, link.ReceiveState(side)));
        Emit(peer, link.SFrame(peer, LapdLink::kRR, false, true, nr));
    } else {
        Emit(peer, link.SFrame(peer, LapdLink::kRR, false, false, nr));
    }
}

void Layer2Traffic::LoseCallControl(int side, const std::vector<uint8_t>& message) {
    const LapdLink kept = callControl_;
    silent_ = true;
    SendI(callControl_, side, {message});
    silent_ = false;
    callControl_ = kept;
}

void Layer2Traffic::SendManagement(int side, uint16_t ri, uint8_t type, uint8_t ai) {
    std::vector<uint8_t> info = {kManagementEntity, static_cast<uint8_t>(ri >> 8),
                                 static_cast<uint8_t>(ri & 0xFF), type,
                                 static_cast<uint8_t>((ai << 1) | 1)};
    Emit(side, management_.UFrame(side, LapdLink::kUI, true, false, info));
}

// ---- link procedures ----------------------------------------------------

void Layer2Traffic::Establish() {
    const uint16_t ri = static_cast<uint16_t>(rng_.Below(65536));
    const uint8_t tei = static_cast<uint8_t>(64 + rng_.Below(63));
    SendManagement(kUserSide, ri, kIdRequest, 127);
    SendManagement(kNetworkSide, ri, kIdAssigned, tei);
    packet_.SetTei(tei);
    for (LapdLink* link : {&callControl_, &packet_}) {
        Emit(kUserSide, link->UFrame(kUserSide, LapdLink::kSABME, true, true));
        Emit(kNetworkSide, link->UFrame(kNetworkSide, LapdLink::kUA, false, true));
        link->Reset();
    }
}

void Layer2Traffic::TeiCheck() {
    SendManagement(kNetworkSide, 0, kIdCheckRequest, 127);
    SendManagement(kUserSide, static_cast<uint16_t>(rng_.Below(65536)), kIdCheckResponse, packet_.Tei());
}

void Layer2Traffic::KeepAlive() {
    LapdLink& link = rng_.OneIn(2) ? callControl_ : packet_;
    const int side = static_cast<int>(rng_.Below(2));
    Emit(side, link.SFrame(side, LapdLink::kRR, true, true, link.ReceiveState(side)));
    Emit(1 - side, link.SFrame(1 - side, LapdLink::kRR, false, true, link.ReceiveState(1 - side)));
}
