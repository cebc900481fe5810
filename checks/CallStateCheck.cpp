#include "checks/CallStateCheck.h"

#include <algorithm>
#include <cstdio>

#include "base/Cp932.h"
#include "calls/CallMessage.h"
#include "checks/MandatoryElements.h"
#include "checks/MessageElements.h"
#include "checks/MessageName.h"
#include "decode/Layer3Fields.h"

namespace {

using Table = CallStateTable;
using T = CallTimers;

enum Type : int {
    kProgress = 0x03,
    kCallProceeding = 0x02,
    kConnectAcknowledge = 0x0F,
    kSuspendAcknowledge = 0x2D,
    kRestart = 0x46,
    kStatusEnquiry = 0x75,
    kStatus = 0x7D,
};

constexpr Check kTimerChecks[T::kTimerCount] = {Check::kT303, Check::kT310, Check::kT305, Check::kT308,
                                                Check::kT313};
// What each timer waited for, after "<message> から n ms 以内に".
constexpr const char* kTimerTexts[T::kTimerCount][2] = {
    {"SETUP", "着信側の応答なし"},
    {"CALL PROCEEDING", "次のメッセージなし"},
    {"DISCONNECT", " RELEASE なし"},
    {"RELEASE", " RELEASE COMPLETE なし"},
    {"CONNECT", " CONNECT ACKNOWLEDGE なし"},
};

constexpr uint64_t kNoCall = 0;
constexpr int kGroupTei = 127;

// Messages that may come on a key whose call ended: a new call, a late
// clearing message, a status exchange.
bool MayFollowRelease(int type) {
    return type == CallMessage::kSetup || type == CallMessage::kRelease || type == CallMessage::kReleaseComplete ||
           type == kStatus || type == kStatusEnquiry || type == CallMessage::kNoMessage;
}

std::string Side(bool fromOriginatingSide) { return fromOriginatingSide ? "発信側" : "着信側"; }

// "4、7、10"
std::string Values(uint64_t mask) {
    std::string out;
    for (int v = 0; v < 64; ++v) {
        if (!(mask >> v & 1)) continue;
        if (!out.empty()) out += "、";
        out += std::to_string(v);
    }
    return out;
}

}  // namespace

CallStateCheck::CallStateCheck(const CheckSettings& settings)
    : durations_{settings.t303, settings.t310, settings.t305, settings.t308, settings.t313} {}

void CallStateCheck::Raise(Severity severity, Check check, const Seen& seen, const std::string& utf8,
                           FindingLog& out) {
    Finding f;
    f.severity = severity;
    f.check = check;
    f.index = seen.index;
    f.time = seen.time;
    f.ms = seen.ms;
    f.call = seen.call;
    f.text = texts_.Cp932Of(utf8);
    out.Add(std::move(f));
}

void CallStateCheck::Add(const FrameRecord& record, uint64_t call, int64_t ms, FindingLog& out) {
    RunOut(ms, out);
    const CallMessage message(record);
    if (!message.Counts()) {
        Global(record, ms, out);
        return;
    }
    const FrameLayout frame(record);
    const MessageElements elements(frame);
    const Seen seen{record.Index(), record.Time(), ms, call};
    const int type = message.MessageType();
    Call* c = nullptr;
    bool firstClearing = false;
    Outcome outcome = kGoesOn;
    // Commands from the user side carry C/R 0.
    const bool fromUser = !(frame.BodyByte(FrameLayout::kAddressOffset) & 0x02);
    if (call != kNoCall) {
        bool opened = false;
        c = &Follow(message, seen, opened, out);
        firstClearing = !c->midCall && !c->cleared;
        outcome = Apply(*c, message, elements, opened, fromUser, seen, out);
    }
    Elements(type, elements, firstClearing, !fromUser, seen, out);
    int cause = 0, location = 0;
    if (message.Cause(cause, location)) {
        if (type == kStatus && ((cause >= 95 && cause <= 101) || cause == 111))
            Raise(Severity::kError, Check::kStatusCause, seen,
                  "STATUS の理由表示 " + std::to_string(cause) + "（相手がプロトコル誤りを通知）", out);
        if (cause == 6 || cause == 44)
            Raise(Severity::kWarning, Check::kChannelCause, seen,
                  MessageName::Of(type) + " の理由表示 " + std::to_string(cause) +
                      (cause == 6 ? "（チャネル使用不可）" : "（要求したチャネルが使用不可）"),
                  out);
    }
    if (!c) return;
    if (outcome == kGoesOn && !c->channelsFreed && message.HasChannels()) Channels(*c, message.Channels(), seen, out);
    if (outcome == kReleased) ended_.Add(c->key);
    if (outcome != kGoesOn) Forget(c->key);
}

void CallStateCheck::RunOut(int64_t ms, FindingLog& out) {
    timers_.RunOut(ms, [&](const T::Entry& entry) {
        Call* c = Find(entry.call);
        if (!c) return;
        Timer& timer = c->timers[entry.timer];
        if (!timer.armed || timer.run != entry.run) return;
        timer.armed = false;
        // The run-out and the repeat it causes are one event.
        if (entry.timer == T::kT303) c->t303Done = true;
        if (entry.timer == T::kT308) c->t308Done = true;
        const auto& text = kTimerTexts[entry.timer];
        Raise(Severity::kWarning, kTimerChecks[entry.timer], timer.start,
              std::string(text[0]) + " から " + std::to_string(durations_[entry.timer]) + " ms 以内に" + text[1], out);
    });
}

// Messages of the global call reference: RESTART and its acknowledgement.
void CallStateCheck::Global(const FrameRecord& record, int64_t ms, FindingLog& out) {
    const FrameLayout frame(record);
    if (!record.CheckCrc() || frame.Sapi() != 0 || !(frame.IsIFrame() || frame.IsUIFrame())) return;
    const int length = frame.CallRefLength();
    if (frame.InfoOctet(0) != 0x08 || (length != 1 && length != 2) || frame.CallReference() != 0) return;
    const int type = Layer3Fields::MessageType(frame);
    if (type == FrameLayout::kAbsent) return;
    const MessageElements elements(frame);
    const bool fromNetwork = (frame.BodyByte(FrameLayout::kAddressOffset) & 0x02) != 0;
    Elements(type, elements, false, fromNetwork, Seen{record.Index(), record.Time(), ms, kNoCall}, out);
    if (type == kRestart) Restart(frame, elements);
}

// The calls a RESTART clears go without RELEASE COMPLETE: their keys may
// take a new SETUP.
void CallStateCheck::Restart(const FrameLayout& frame, const MessageElements& elements) {
    const int restartClass = elements.RestartClass();
    // Class 0: the indicated channels; 6 and 7: the interface, all of them.
    const bool all = restartClass == 6 || restartClass == 7;
    if (!all && (restartClass != 0 || elements.Channel() == FrameLayout::kAbsent)) return;
    const CallChannels named = all ? CallChannels() : CallChannels::Read(frame, elements.Channel());
    std::vector<uint32_t> cleared;
    for (const auto& [key, c] : calls_) {
        bool hit = all;
        for (int ch = 1; ch < CallChannels::kLimit && !hit; ++ch) hit = named.Has(ch) && c.channels.Has(ch);
        if (hit) cleared.push_back(key);
    }
    for (uint32_t key : cleared) Forget(key);
}

CallStateCheck::Call& CallStateCheck::Follow(const CallMessage& message, const Seen& seen, bool& opened,
                                             FindingLog& out) {
    const uint32_t key = message.Key();
    const auto it = calls_.find(key);
    if (it != calls_.end() && it->second.number == seen.call) return it->second;
    opened = true;
    const int type = message.MessageType();
    const bool setup = type == CallMessage::kSetup && message.FromOriginatingSide();
    if (it != calls_.end()) {
        // The tracker closed the key's call: a SETUP after the other side answered.
        const Call& old = it->second;
        if (setup && !old.midCall && old.otherSideHeard && old.state != Table::kReleaseRequest)
            Raise(Severity::kError, Check::kState, seen,
                  "着信側の応答後、RELEASE COMPLETE の前に同じ呼番号で SETUP（呼番号は解放まで使用中）", out);
        Forget(key);
    } else if (ended_.Has(key) && !MayFollowRelease(type)) {
        Raise(Severity::kError, Check::kState, seen,
              "RELEASE COMPLETE で終わった呼番号に " + MessageName::Of(type) + "（次は新しい SETUP）", out);
    }
    ended_.Remove(key);
    return Open(key, seen, setup);
}

CallStateCheck::Call& CallStateCheck::Open(uint32_t key, const Seen& seen, bool setup) {
    // A SETUP to the group TEI is answered on the TEIs of the terminals.
    const bool broadcast = static_cast<int>(key >> 16) == kGroupTei;
    const auto held = numbers_.find(seen.call);
    if (held != numbers_.end()) Forget(held->second);
    while (calls_.size() >= kMaxCalls) Forget(numbers_.begin()->second);
    Call& c = calls_[key];
    c.number = seen.call;
    c.key = key;
    c.midCall = !setup;
    numbers_[seen.call] = key;
    if (setup) {
        c.state = Table::kCallInitiated;
        if (broadcast)
            c.t303Done = true;
        else
            Arm(c, T::kT303, seen);
    }
    return c;
}

CallStateCheck::Outcome CallStateCheck::Apply(Call& c, const CallMessage& message, const MessageElements& elements,
                                              bool opened, bool fromUser, const Seen& seen, FindingLog& out) {
    const int type = message.MessageType();
    const bool fromOriginatingSide = message.FromOriginatingSide();
    if (type == kSuspendAcknowledge) return kSuspended;
    if (type == CallMessage::kRelease || type == CallMessage::kReleaseComplete) {
        c.channelsFreed = true;
        holders_.Release(c.number, c.channels);
        c.channels = CallChannels();
    }
    if (c.midCall) return type == CallMessage::kReleaseComplete ? kReleased : kGoesOn;
    // The SETUP that opened the call.
    if (opened) return kGoesOn;

    // The timers this message stops.
    if (!fromOriginatingSide) c.otherSideHeard = true;
    if (!fromOriginatingSide || message.IsClearing()) Stop(c, T::kT303);
    Stop(c, T::kT310);
    if (type == kConnectAcknowledge || message.IsClearing()) Stop(c, T::kT313);

    if (type == CallMessage::kSetup) {
        // The tracker joins a SETUP to its call only when repeated before any answer.
        if (fromOriginatingSide && !c.t303Done) {
            const Seen& first = c.timers[T::kT303].start;
            Raise(Severity::kWarning, Check::kT303, first,
                  "応答のないまま SETUP を再送（" + std::to_string(seen.ms - first.ms) + " ms 後）", out);
            c.t303Done = true;
        }
        Stop(c, T::kT303);
    } else if (Table::IsEstablishment(type)) {
        Table::State next;
        if (!Table::Next(c.state, type, fromOriginatingSide, next)) {
            Raise(Severity::kError, Check::kState, seen,
                  Side(fromOriginatingSide) + "から " + MessageName::Of(type) + "（" + Table::Expected(c.state) + "）",
                  out);
        } else if (next != c.state) {
            c.previous = c.state;
            c.state = next;
            if (type == kCallProceeding) {
                c.proceeding = true;
                Arm(c, T::kT310, seen);
            }
            if (type == CallMessage::kAlerting) c.alerted = true;
            if (type == CallMessage::kConnect) {
                c.connected = true;
                // T313 is the user's, when it answered; a calling user may
                // leave CONNECT unacknowledged.
                if (fromUser) Arm(c, T::kT313, seen);
            }
        }
    } else if (message.IsClearing()) {
        Clearing(c, type, fromOriginatingSide, seen, out);
        if (type == CallMessage::kReleaseComplete) return kReleased;
    } else if (type == kStatus) {
        Status(c, elements, seen, out);
    }
    return kGoesOn;
}

void CallStateCheck::Clearing(Call& c, int type, bool fromOriginatingSide, const Seen& seen, FindingLog& out) {
    const bool first = !c.cleared;
    c.cleared = true;
    auto move = [&c](Table::State next) {
        c.previous = c.state;
        c.state = next;
    };
    if (type == CallMessage::kDisconnect) {
        if (first) Arm(c, T::kT305, seen);
        if (c.state != Table::kDisconnectIndication && c.state != Table::kReleaseRequest)
            move(Table::kDisconnectIndication);
        return;
    }
    Stop(c, T::kT305);
    if (type == CallMessage::kRelease) {
        if (c.state != Table::kReleaseRequest) {
            move(Table::kReleaseRequest);
            c.releaseFromOriginatingSide = fromOriginatingSide;
            if (!c.t308Done) Arm(c, T::kT308, seen);
        } else if (c.releaseFromOriginatingSide != fromOriginatingSide) {
            // Both sides sent RELEASE: neither waits for RELEASE COMPLETE.
            Stop(c, T::kT308);
        } else if (!c.t308Done) {
            const Seen& start = c.timers[T::kT308].start;
            Raise(Severity::kWarning, Check::kT308, start,
                  "RELEASE COMPLETE のないまま RELEASE を再送（" + std::to_string(seen.ms - start.ms) + " ms 後）", out);
            c.t308Done = true;
            Stop(c, T::kT308);
        }
        return;
    }
    // RELEASE COMPLETE: only the first answer to SETUP may clear with it alone.
    if (!first) return;
    if (c.connected)
        Raise(Severity::kError, Check::kReleaseComplete, seen,
              "CONNECT の後の最初の解放が RELEASE COMPLETE（DISCONNECT か RELEASE で始まる）", out);
    else if (c.alerted || c.proceeding)
        Raise(Severity::kWarning, Check::kReleaseComplete, seen,
              std::string(c.alerted ? "ALERTING" : "CALL PROCEEDING") +
                  " の後の最初の解放が RELEASE COMPLETE（DISCONNECT で始まる）",
              out);
}

// The call state a STATUS reports against the state held, or the one
// before it: the STATUS may have crossed the last message.
void CallStateCheck::Status(const Call& c, const MessageElements& elements, const Seen& seen, FindingLog& out) {
    const int octet = elements.CallStateOctet();
    // Values of other coding standards are not Q.931's.
    if (octet == MessageElements::kAbsent || (octet & 0xC0) != 0) return;
    const int value = octet & 0x3F;
    const uint64_t allowed = Table::Reportable(c.state) | Table::Reportable(c.previous);
    if (allowed >> value & 1) return;
    Raise(Severity::kWarning, Check::kStatusState, seen,
          "STATUS の呼状態 " + std::to_string(value) + "（" + MessageName::Of(Table::MessageOf(c.state)) +
              " の前後は " + Values(allowed) + " のどれか）",
          out);
}

void CallStateCheck::Elements(int type, const MessageElements& elements, bool firstClearing, bool fromNetwork,
                              const Seen& seen, FindingLog& out) {
    const int missing = MandatoryElements::Missing(type, elements, firstClearing, fromNetwork);
    if (missing != MandatoryElements::kNone)
        Raise(Severity::kError, Check::kMandatory, seen,
              MessageName::Of(type) + " に " + MandatoryElements::Name(missing) + " がない" +
                  (type == CallMessage::kRelease || type == CallMessage::kReleaseComplete ? "（最初の解放メッセージには必須）"
                                                                                            : "（必須）"),
              out);
    int codeset = 0, before = 0, identifier = 0;
    if (elements.OutOfOrder(codeset, before, identifier)) {
        char text[96];
        std::snprintf(text, sizeof text, "情報要素 0x%02X が 0x%02X の後（符号セット %d の中は識別子の昇順）",
                      identifier, before, codeset);
        Raise(Severity::kWarning, Check::kElementOrder, seen, text, out);
    }
}

void CallStateCheck::Channels(Call& c, const CallChannels& named, const Seen& seen, FindingLog& out) {
    // An element that names no B channel leaves the ones held; one that
    // names them again meets no holder not already told.
    if (named.Empty() || named == c.channels) return;
    holders_.Hold(c.number, c.channels, named, [&](uint64_t other, int channel) {
        if (std::find(c.collided.begin(), c.collided.end(), other) != c.collided.end()) return;
        c.collided.push_back(other);
        if (Call* o = Find(other)) o->collided.push_back(c.number);
        Raise(Severity::kWarning, Check::kCollision, seen,
              "番号 " + std::to_string(other) + " の呼が使用中のチャネル " + std::to_string(channel) + " を指定",
              out);
    });
    c.channels = named;
}

void CallStateCheck::Arm(Call& c, CallTimers::Timer timer, const Seen& seen) {
    Timer& t = c.timers[timer];
    t.armed = true;
    t.run = ++c.runs;
    t.start = seen;
    timers_.Arm({seen.ms + durations_[timer], c.number, t.run, timer});
    // Stopped timers leave entries behind until their deadline: bound them.
    timers_.Trim(4 * kMaxCalls, [this](const T::Entry& e) {
        const Call* held = Find(e.call);
        return held && held->timers[e.timer].armed && held->timers[e.timer].run == e.run;
    });
}

CallStateCheck::Call* CallStateCheck::Find(uint64_t number) {
    const auto n = numbers_.find(number);
    if (n == numbers_.end()) return nullptr;
    const auto c = calls_.find(n->second);
    return c != calls_.end() && c->second.number == number ? &c->second : nullptr;
}

void CallStateCheck::Forget(uint32_t key) {
    const auto it = calls_.find(key);
    if (it == calls_.end()) return;
    const Call& c = it->second;
    holders_.Release(c.number, c.channels);
    for (uint64_t other : c.collided)
        if (Call* o = Find(other)) std::erase(o->collided, c.number);
    numbers_.erase(c.number);
    calls_.erase(it);
}

void CallStateCheck::Clear() {
    calls_.clear();
    numbers_.clear();
    ended_.Clear();
    timers_.Clear();
    holders_.Clear();
}
