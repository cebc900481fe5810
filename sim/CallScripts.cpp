#include "sim/CallScripts.h"

#include <string_view>
#include <utility>

#include "sim/Q931Builder.h"

namespace {

constexpr int kUserSide = LapdLink::kUserSide;
constexpr int kNetworkSide = LapdLink::kNetworkSide;

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

void CallScripts::Offer() {
    if (calls_.size() < kMaxCalls && (calls_.size() < 3 || rng_.OneIn(2))) StartCall();
}

void CallScripts::Advance() {
    if (calls_.empty()) return;
    size_t due = calls_.size();
    for (size_t i = 0; i < calls_.size(); ++i)
        if (calls_[i].answerBy <= line_.FramesQueued() &&
            (due == calls_.size() || calls_[i].answerBy < calls_[due].answerBy))
            due = i;
    AdvanceCall(due < calls_.size() ? due : rng_.Below(static_cast<uint32_t>(calls_.size())));
}

bool CallScripts::StartsTimer(ActionKind kind) {
    // SETUP (T303), the digits of overlap sending (T302, T304), CALL
    // PROCEEDING and a PROGRESS before ALERTING (T310), CONNECT (T313),
    // STATUS ENQUIRY (T322), DISCONNECT (T305), RELEASE (T308).
    switch (kind) {
    case kSetup: case kSetupAck: case kInfoDigits: case kCallProc: case kProgress:
    case kConnect: case kStatusEnquiry: case kDisconnect: case kRelease:
        return true;
    default:
        return false;
    }
}

std::string CallScripts::JapaneseNumber() {
    const NumberPlan& plan = kNumberPlans[rng_.Below(sizeof kNumberPlans / sizeof kNumberPlans[0])];
    std::string number = plan.prefix;
    number.push_back(static_cast<char>('2' + rng_.Below(8)));
    while (static_cast<int>(number.size()) < plan.length) number.push_back(static_cast<char>('0' + rng_.Below(10)));
    return number;
}

std::string CallScripts::OwnNumber() {
    // The trunk group of the customer's PBX.
    std::string number = "03123456";
    number.push_back(static_cast<char>('0' + rng_.Below(10)));
    number.push_back(static_cast<char>('0' + rng_.Below(10)));
    return number;
}

int CallScripts::FreeChannel() {
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

uint16_t CallScripts::FreeCallReference(uint8_t origin, int crLength) {
    const int top = crLength == 1 ? 127 : 32767;
    for (;;) {
        uint16_t cr = static_cast<uint16_t>(rng_.Between(1, top));
        bool used = false;
        for (const Call& c : calls_)
            if (c.origin == origin && c.cr == cr) used = true;
        if (!used) return cr;
    }
}

void CallScripts::StartCall() {
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

void CallScripts::AdvanceCall(size_t index) {
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
    c.answerBy = StartsTimer(action.kind) ? line_.FramesQueued() + kAnswerFrames : kNoAnswerDue;
    if (action.kind == kReleaseComplete) {
        busy_ &= ~(1u << (c.channel - 1));
        calls_.erase(calls_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void CallScripts::SendCallMessage(Call& c, const Action& a) {
    const int side = a.fromDestination ? 1 - c.origin : c.origin;
    const uint32_t bit = 1u << (c.channel - 1);
    Q931Builder b;
    std::vector<uint8_t> info;
    auto begin = [&](uint8_t type) { b.Begin(info, c.crLength, c.cr, a.fromDestination, type); };

    switch (a.kind) {
    case kSetup: {
        begin(q931::kSetup);
        if (!faults_.Take(FaultPlan::kNoBearer, line_.FramesQueued())) b.BearerCapability(c.speech);
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
        return;
    }
    line_.SetChannels(mask_);
    // Only a RELEASE COMPLETE that answers a RELEASE is lost: its sender's
    // peer then waits in vain (T308).
    const bool answersRelease = a.kind == kReleaseComplete && c.next > 0 && c.script[c.next - 1].kind == kRelease;
    if (answersRelease && faults_.Take(FaultPlan::kDropReleaseComplete, line_.FramesQueued()))
        line_.LoseCallControl(side, info);
    else
        line_.SendCallControl(side, info);
}
