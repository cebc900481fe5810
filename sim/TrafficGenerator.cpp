#include "sim/TrafficGenerator.h"

#include <utility>

#include "store/Fcs.h"
#include "sim/Q931Builder.h"
#include "sim/X25Builder.h"

namespace {

constexpr int kUserSide = 0;
constexpr int kNetworkSide = 1;

// TEI management (Q.921 clause 5.3): entity identifier and message types.
constexpr uint8_t kManagementEntity = 0x0F;
enum TeiMessage : uint8_t { kIdRequest = 1, kIdAssigned = 2, kIdCheckRequest = 4, kIdCheckResponse = 5 };

// Advice of charge during the call, charging units (Q.956 operation value).
constexpr uint8_t kAocDChargingUnit = 34;

// Incoming-call ring distinction service of the Japanese network: operation
// value object identifier, then the port parameter.
constexpr uint8_t kRingDistinctionOid[] = {0x03, 0xA2, 0x31, 0x87, 0x69, 0x01, 0x05};

struct NumberPlan {
    const char* prefix;
    int length;
};
constexpr NumberPlan kNumberPlans[] = {
    {"03", 10},  {"06", 10},  {"045", 10}, {"052", 10}, {"011", 10},   {"092", 10},
    {"0476", 10}, {"090", 11}, {"080", 11}, {"070", 11}, {"0120", 10}, {"050", 11},
};

std::vector<uint8_t> Damage(std::vector<uint8_t> frame, SimRandom& rng) {
    // One bit error anywhere: CRC-16 always detects it.
    uint32_t index = rng.Below(static_cast<uint32_t>(frame.size()));
    frame[index] ^= static_cast<uint8_t>(1u << rng.Below(8));
    return frame;
}

std::vector<uint8_t> RingDistinction(uint8_t invokeId, uint8_t port) {
    const auto& oid = kRingDistinctionOid;
    // invoke { invokeID, operationValue OID, parameter SET { [1] port } }
    return {0xA1, 17,
            0x02, 0x01, invokeId,
            0x06, 7, oid[0], oid[1], oid[2], oid[3], oid[4], oid[5], oid[6],
            0x31, 0x03, 0x81, 0x01, port};
}

// Location a side puts into its cause: the user itself, or for the network
// the public network serving the remote user (or the local one for its own
// refusals).
uint8_t CauseLocation(int side, uint8_t cause) {
    if (side == kUserSide) return q931::kUser;
    if (cause == q931::kNoCircuitAvailable || cause == q931::kNoAnswer) return q931::kPublicLocal;
    return q931::kPublicRemote;
}

}  // namespace

TrafficGenerator::TrafficGenerator(uint64_t seed) : rng_(seed) {}

bool TrafficGenerator::Next(SimFrame& frame) {
    while (queue_.empty()) Step();
    Pending& p = queue_.front();
    frame = std::move(p.frame);
    shownMask_[0] = p.mask[0];
    shownMask_[1] = p.mask[1];
    queue_.pop_front();
    ++made_;
    return true;
}

SimFrame TrafficGenerator::FrameAt(uint64_t seed, uint64_t n) {
    TrafficGenerator generator(seed);
    SimFrame frame;
    for (uint64_t i = 0; i <= n; ++i) generator.Next(frame);
    return frame;
}

void TrafficGenerator::Step() {
    if (!started_) {
        StartUp();
        started_ = true;
        return;
    }
    uint32_t r = rng_.Below(100);
    if (r < 10) {
        if (calls_.size() < kMaxCalls && (calls_.size() < 3 || rng_.OneIn(2))) StartCall();
    } else if (r < 14) {
        StepPacketLayer();
    } else if (r < 15) {
        KeepAlive();
    } else if (r < 16) {
        if (rng_.OneIn(4)) TeiCheck();
    } else if (!calls_.empty()) {
        AdvanceCall(rng_.Below(static_cast<uint32_t>(calls_.size())));
    }
}

// ---- frame output -------------------------------------------------------

std::vector<uint8_t> TrafficGenerator::WithFcs(std::vector<uint8_t> body) const {
    Fcs::Append(body);
    return body;
}

void TrafficGenerator::Out(int side, const std::vector<uint8_t>& frame, bool damaged) {
    Pending p;
    p.frame.direction = static_cast<uint8_t>(side);
    p.frame.octets = frame;
    p.frame.badFcs = damaged;
    p.mask[0] = mask_[0];
    p.mask[1] = mask_[1];
    queue_.push_back(std::move(p));
}

void TrafficGenerator::Emit(int side, std::vector<uint8_t> body) {
    std::vector<uint8_t> frame = WithFcs(std::move(body));
    // A damaged command or response is discarded by its receiver and sent
    // again once the timer runs out.
    if (rng_.OneIn(kBadFcsOneIn)) Out(side, Damage(frame, rng_), true);
    Out(side, frame, false);
}

void TrafficGenerator::SendI(LapdLink& link, int side, const std::vector<std::vector<uint8_t>>& infos) {
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

void TrafficGenerator::SendManagement(int side, uint16_t ri, uint8_t type, uint8_t ai) {
    std::vector<uint8_t> info = {kManagementEntity, static_cast<uint8_t>(ri >> 8),
                                 static_cast<uint8_t>(ri & 0xFF), type,
                                 static_cast<uint8_t>((ai << 1) | 1)};
    Emit(side, management_.UFrame(side, LapdLink::kUI, true, false, info));
}

// ---- link layer ---------------------------------------------------------

void TrafficGenerator::StartUp() {
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
    SendI(packet_, kUserSide, {X25Builder::RestartRequest(0x00)});
    SendI(packet_, kNetworkSide, {X25Builder::RestartConfirmation()});
}

void TrafficGenerator::TeiCheck() {
    SendManagement(kNetworkSide, 0, kIdCheckRequest, 127);
    SendManagement(kUserSide, static_cast<uint16_t>(rng_.Below(65536)), kIdCheckResponse, packet_.Tei());
}

void TrafficGenerator::KeepAlive() {
    // T203 runs out on an idle link: poll, and the peer answers.
    LapdLink& link = rng_.OneIn(2) ? callControl_ : packet_;
    const int side = static_cast<int>(rng_.Below(2));
    Emit(side, link.SFrame(side, LapdLink::kRR, true, true, link.ReceiveState(side)));
    Emit(1 - side, link.SFrame(1 - side, LapdLink::kRR, false, true, link.ReceiveState(1 - side)));
}

// ---- X.25 on SAPI 16 ----------------------------------------------------

void TrafficGenerator::StepPacketLayer() {
    VirtualCall& vc = vc_;
    if (!vc.active) {
        if (!rng_.OneIn(3)) return;
        vc = VirtualCall();
        vc.active = true;
        vc.origin = static_cast<uint8_t>(rng_.Below(2));
        // The DTE takes logical channels from the top, the DCE from the bottom.
        vc.lcn = vc.origin == kUserSide ? rng_.Between(6, 8) : rng_.Between(1, 3);
        vc.dataLeft = rng_.Between(1, 6);
        // X.121 addresses of the Japanese packet network (DNIC 4401).
        vc.called = "4401" + std::to_string(rng_.Between(1000000, 9999999));
        vc.calling = "4401" + std::to_string(rng_.Between(1000000, 9999999));
        SendI(packet_, vc.origin, {X25Builder::CallRequest(vc.lcn, vc.called, vc.calling, {0x01, 0x00, 0x00, 0x00})});
        vc.stage = 1;
        return;
    }
    if (vc.stage == 1) {
        SendI(packet_, 1 - vc.origin, {X25Builder::CallAccepted(vc.lcn, vc.called, vc.calling)});
        vc.stage = 2;
    } else if (vc.stage == 2) {
        if (vc.ackDue >= 0) {
            const int side = vc.ackDue;
            SendI(packet_, side, {X25Builder::ReceiveReady(vc.lcn, vc.pr[side])});
            vc.ackDue = -1;
        } else if (vc.dataLeft == 0) {
            vc.ackDue = static_cast<int>(rng_.Below(2));  // the clearing side
            SendI(packet_, vc.ackDue, {X25Builder::ClearRequest(vc.lcn, 0x00, 0x00)});
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
            SendI(packet_, side, packets);
            vc.ackDue = 1 - side;
            --vc.dataLeft;
        }
    } else {
        SendI(packet_, 1 - vc.ackDue, {X25Builder::ClearConfirmation(vc.lcn)});
        vc.active = false;
    }
}

// ---- Q.931 calls --------------------------------------------------------

std::string TrafficGenerator::JapaneseNumber() {
    const NumberPlan& plan = kNumberPlans[rng_.Below(sizeof kNumberPlans / sizeof kNumberPlans[0])];
    std::string number = plan.prefix;
    number.push_back(static_cast<char>('2' + rng_.Below(8)));
    while (static_cast<int>(number.size()) < plan.length) number.push_back(static_cast<char>('0' + rng_.Below(10)));
    return number;
}

std::string TrafficGenerator::OwnNumber() {
    // The trunk group of the customer's PBX.
    std::string number = "03123456";
    number.push_back(static_cast<char>('0' + rng_.Below(10)));
    number.push_back(static_cast<char>('0' + rng_.Below(10)));
    return number;
}

int TrafficGenerator::FreeChannel() {
    int free = 0;
    for (int ch = 1; ch <= kChannels; ++ch)
        if (!(busy_ & (1u << (ch - 1)))) ++free;
    if (free == 0) return 0;
    int pick = static_cast<int>(rng_.Below(static_cast<uint32_t>(free)));
    for (int ch = 1; ch <= kChannels; ++ch) {
        if (busy_ & (1u << (ch - 1))) continue;
        if (pick-- == 0) return ch;
    }
    return 0;
}

uint16_t TrafficGenerator::FreeCallReference(uint8_t origin, int crLength) {
    const int top = crLength == 1 ? 127 : 32767;
    for (;;) {
        uint16_t cr = static_cast<uint16_t>(rng_.Between(1, top));
        bool used = false;
        for (const Call& c : calls_)
            if (c.origin == origin && c.cr == cr) used = true;
        if (!used) return cr;
    }
}

void TrafficGenerator::StartCall() {
    const int channel = FreeChannel();
    if (channel == 0) return;
    Call c;
    c.origin = static_cast<uint8_t>(rng_.Below(2));
    c.crLength = rng_.OneIn(4) ? 1 : 2;
    c.cr = FreeCallReference(c.origin, c.crLength);
    c.channel = static_cast<uint8_t>(channel);
    c.speech = !rng_.OneIn(4);
    c.overlap = c.origin == kUserSide && rng_.OneIn(4);
    c.calling = c.origin == kUserSide ? OwnNumber() : JapaneseNumber();
    c.called = c.origin == kUserSide ? JapaneseNumber() : OwnNumber();

    auto& s = c.script;
    auto o = [&s](ActionKind k, int arg = 0) { s.push_back({k, false, static_cast<uint8_t>(arg)}); };
    auto d = [&s](ActionKind k, int arg = 0) { s.push_back({k, true, static_cast<uint8_t>(arg)}); };
    // Network is the destination of the calls the user side makes.
    const bool networkIsDestination = c.origin == kUserSide;
    auto answered = [&]() {
        d(kConnect);
        o(kConnectAck);
        o(kWait, rng_.Between(5, 60));
        if (rng_.OneIn(3)) s.push_back({kAoc, networkIsDestination, 0});
        if (rng_.OneIn(5)) s.push_back({kKeypad, !networkIsDestination, 0});
        if (rng_.OneIn(6)) {
            bool asker = rng_.OneIn(2);
            s.push_back({kStatusEnquiry, asker, 0});
            s.push_back({kStatus, !asker, q931::kStatusEnquiryResponse});
        }
        o(kWait, rng_.Between(5, 60));
        const bool byDestination = rng_.OneIn(2);
        const int cause = rng_.OneIn(8) ? q931::kNormalUnspecified : q931::kNormalClearing;
        s.push_back({kDisconnect, byDestination, static_cast<uint8_t>(cause)});
        s.push_back({kRelease, !byDestination, 0});
        s.push_back({kReleaseComplete, byDestination, 0});
    };

    const uint32_t outcome = rng_.Below(100);
    o(kSetup);
    if (c.origin == kUserSide) {
        if (c.overlap) {
            d(kSetupAck);
            o(kInfoDigits);
        }
        if (outcome >= 92) {
            d(kReleaseComplete, rng_.OneIn(2) ? q931::kNoCircuitAvailable : q931::kCallRejected);
        } else {
            d(kCallProc);
            if (rng_.OneIn(3)) d(kProgress);
            if (outcome >= 80) {
                d(kDisconnect, q931::kUserBusy);
                o(kRelease);
                d(kReleaseComplete);
            } else {
                d(kAlerting);
                o(kWait, rng_.Between(2, 20));
                if (outcome >= 70) {
                    if (rng_.OneIn(2)) {
                        o(kDisconnect, q931::kNormalClearing);
                        d(kRelease);
                        o(kReleaseComplete);
                    } else {
                        d(kDisconnect, q931::kNoAnswer);
                        o(kRelease);
                        d(kReleaseComplete);
                    }
                } else {
                    answered();
                }
            }
        }
    } else {
        if (outcome >= 88) {
            d(kReleaseComplete, q931::kUserBusy);
        } else {
            if (rng_.OneIn(2)) d(kCallProc);
            d(kAlerting);
            o(kWait, rng_.Between(2, 20));
            if (outcome >= 76) {
                o(kDisconnect, q931::kNormalClearing);
                d(kRelease);
                o(kReleaseComplete);
            } else {
                answered();
            }
        }
    }
    busy_ |= 1u << (channel - 1);
    calls_.push_back(std::move(c));
    AdvanceCall(calls_.size() - 1);
}

void TrafficGenerator::AdvanceCall(size_t index) {
    Call& c = calls_[index];
    if (c.next >= c.script.size()) {
        calls_.erase(calls_.begin() + static_cast<std::ptrdiff_t>(index));
        return;
    }
    const Action action = c.script[c.next];
    if (action.kind == kWait) {
        if (c.waitLeft < 0) c.waitLeft = action.arg;
        if (c.waitLeft-- > 0) return;
        c.waitLeft = -1;
        ++c.next;
        return;
    }
    SendCallMessage(c, action);
    ++c.next;
    if (action.kind == kReleaseComplete) {
        busy_ &= ~(1u << (c.channel - 1));
        calls_.erase(calls_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

bool TrafficGenerator::SendCallMessage(Call& c, const Action& a) {
    const int side = a.fromDestination ? 1 - c.origin : c.origin;
    const uint32_t bit = 1u << (c.channel - 1);
    Q931Builder b;
    std::vector<uint8_t> info;
    auto begin = [&](uint8_t type) { b.Begin(info, c.crLength, c.cr, a.fromDestination, type); };

    switch (a.kind) {
    case kSetup: {
        begin(q931::kSetup);
        b.BearerCapability(c.speech);
        b.ChannelIdentification(c.channel);
        if (c.origin == kNetworkSide && rng_.OneIn(4))
            b.Facility(RingDistinction(++invokeId_, static_cast<uint8_t>(rng_.Between(1, 8))));
        if (c.origin == kNetworkSide) {
            // Presentation allowed or restricted; screening: user provided,
            // verified and passed, or network provided.
            static const uint8_t kPresentation[] = {0x01, 0x03, 0x21, 0x23};
            b.CallingPartyNumber(c.calling, kPresentation[rng_.Below(4)]);
        } else if (!rng_.OneIn(3)) {
            b.CallingPartyNumber(c.calling, 0x00);
        }
        if (c.overlap) {
            b.CalledPartyNumber(std::string_view(c.called).substr(0, 3));
        } else {
            b.CalledPartyNumber(c.called);
        }
        if (c.speech && rng_.OneIn(2)) b.HighLayerTelephony();
        if (!c.overlap && rng_.OneIn(2)) b.SendingComplete();
        break;
    }
    case kSetupAck:
        begin(q931::kSetupAcknowledge);
        b.ChannelIdentification(c.channel);
        break;
    case kInfoDigits:
        begin(q931::kInformation);
        b.SendingComplete();
        b.CalledPartyNumber(std::string_view(c.called).substr(3));
        break;
    case kCallProc:
        begin(q931::kCallProceeding);
        b.ChannelIdentification(c.channel);
        break;
    case kProgress:
        begin(q931::kProgress);
        b.ProgressIndicator(q931::kPublicLocal,
                            rng_.OneIn(2) ? q931::kInbandAvailable : q931::kDestinationNotIsdn);
        break;
    case kAlerting:
        if (c.origin == kUserSide) mask_[kNetworkSide] |= bit;  // ring-back tone from the network
        begin(q931::kAlerting);
        // The user's first answer to the network names the channel it takes.
        if (c.origin == kNetworkSide) b.ChannelIdentification(c.channel);
        if (c.origin == kUserSide && rng_.OneIn(2))
            b.ProgressIndicator(q931::kPublicRemote, q931::kInbandAvailable);
        break;
    case kConnect:
        mask_[0] |= bit;
        mask_[1] |= bit;
        begin(q931::kConnect);
        break;
    case kConnectAck:
        begin(q931::kConnectAcknowledge);
        break;
    case kAoc:
        begin(q931::kFacility);
        b.Facility(Q931Builder::AocInvoke(++invokeId_, kAocDChargingUnit,
                                          static_cast<uint32_t>(rng_.Between(1, 400))));
        break;
    case kKeypad: {
        static const char* const kKeys[] = {"1", "*9", "#", "123#", "0"};
        begin(q931::kInformation);
        b.Keypad(kKeys[rng_.Below(5)]);
        break;
    }
    case kStatusEnquiry:
        begin(q931::kStatusEnquiry);
        break;
    case kStatus:
        begin(q931::kStatus);
        b.Cause(CauseLocation(side, a.arg), a.arg);
        b.CallState(10);  // active
        break;
    case kDisconnect:
        mask_[0] &= ~bit;
        mask_[1] &= ~bit;
        begin(q931::kDisconnect);
        b.Cause(CauseLocation(side, a.arg), a.arg);
        if (side == kNetworkSide && a.arg == q931::kUserBusy)
            b.ProgressIndicator(q931::kPublicLocal, q931::kInbandAvailable);
        break;
    case kRelease:
        mask_[0] &= ~bit;
        mask_[1] &= ~bit;
        begin(q931::kRelease);
        break;
    case kReleaseComplete:
        mask_[0] &= ~bit;
        mask_[1] &= ~bit;
        begin(q931::kReleaseComplete);
        if (a.arg != 0) b.Cause(CauseLocation(side, a.arg), a.arg);
        break;
    case kWait:
        return false;
    }
    SendI(callControl_, side, {info});
    return true;
}
