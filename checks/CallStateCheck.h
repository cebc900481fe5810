#pragma once
// The layer-3 checks of Q.931 call control (SAPI 0, protocol discriminator
// 0x08), frame by frame in store order: each call's state as both sides'
// messages move it (a message not valid in that state; RELEASE COMPLETE
// where a DISCONNECT or RELEASE was due), the timers T303, T310, T305, T308
// and T313 from the frames' times, the mandatory information elements and
// their order, STATUS reporting a protocol error or a state other than the
// one seen, causes 6 and 44, and two calls on one B channel. Calls are the
// call tracker's (its numbers passed in); a call whose first frame is not a
// SETUP began before the capture and raises no state or timer findings.
// Frames whose FCS fails and I frames layer 2 sent again are not passed in.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "calls/CallChannels.h"
#include "checks/CallStateTable.h"
#include "checks/CallTimers.h"
#include "checks/ChannelHolders.h"
#include "checks/CheckSettings.h"
#include "checks/EndedKeys.h"
#include "checks/FindingLog.h"
#include "checks/FindingTexts.h"
#include "store/FrameLayout.h"
#include "store/FrameRecord.h"

class CallMessage;
class MessageElements;

class CallStateCheck {
public:
    // Open calls held at most; the oldest goes first.
    static constexpr size_t kMaxCalls = 10000;

    explicit CallStateCheck(const CheckSettings& settings);
    CallStateCheck(const CallStateCheck&) = delete;
    CallStateCheck& operator=(const CallStateCheck&) = delete;

    // The next frame, at ms on the checker's clock; call is the number the
    // call tracker gave it (0 when the frame is not a call's). Timers that
    // ran out before ms are reported first.
    void Add(const FrameRecord& record, uint64_t call, int64_t ms, FindingLog& out);
    void Clear();

    // What is held, for the bounds.
    size_t OpenCalls() const { return calls_.size(); }
    size_t PendingTimers() const { return timers_.Count(); }
    size_t EndedCount() const { return ended_.Count(); }

private:
    // The frame a finding points at.
    struct Seen {
        int32_t index;
        TimeStamp time;
        int64_t ms;
        uint64_t call;
    };
    struct Timer {
        bool armed = false;
        uint32_t run = 0;
        Seen start{};  // the frame that armed it
    };
    struct Call {
        uint64_t number = 0;
        uint32_t key = 0;
        CallStateTable::State state = CallStateTable::kNull;
        CallStateTable::State previous = CallStateTable::kNull;
        bool midCall = false;
        bool otherSideHeard = false;
        bool proceeding = false;  // CALL PROCEEDING seen
        bool alerted = false;
        bool connected = false;
        bool cleared = false;  // DISCONNECT or RELEASE seen
        bool releaseFromOriginatingSide = false;
        bool t303Done = false;  // raised, or not to be checked
        bool t308Done = false;
        bool channelsFreed = false;
        uint32_t runs = 0;
        std::array<Timer, CallTimers::kTimerCount> timers;
        CallChannels channels;
        std::vector<uint64_t> collided;  // calls a collision with was told
    };
    enum Outcome { kGoesOn, kReleased, kSuspended };

    void RunOut(int64_t ms, FindingLog& out);
    void Global(const FrameRecord& record, int64_t ms, FindingLog& out);
    void Restart(const FrameLayout& frame, const MessageElements& elements);
    Call& Follow(const CallMessage& message, const Seen& seen, bool& opened, FindingLog& out);
    Call& Open(uint32_t key, const Seen& seen, bool setup);
    Outcome Apply(Call& call, const CallMessage& message, const MessageElements& elements, bool opened,
                  bool fromUser, const Seen& seen, FindingLog& out);
    void Clearing(Call& call, int type, bool fromOriginatingSide, const Seen& seen, FindingLog& out);
    void Status(const Call& call, const MessageElements& elements, const Seen& seen, FindingLog& out);
    void Elements(int type, const MessageElements& elements, bool firstClearing, bool fromNetwork, const Seen& seen,
                  FindingLog& out);
    void Channels(Call& call, const CallChannels& named, const Seen& seen, FindingLog& out);
    void Arm(Call& call, CallTimers::Timer timer, const Seen& seen);
    static void Stop(Call& call, CallTimers::Timer timer) { call.timers[timer].armed = false; }
    Call* Find(uint64_t number);
    void Forget(uint32_t key);
    void Raise(Severity severity, Check check, const Seen& seen, const std::string& utf8, FindingLog& out);

    std::array<int, CallTimers::kTimerCount> durations_;
    std::unordered_map<uint32_t, Call> calls_;  // key -> its open call
    std::map<uint64_t, uint32_t> numbers_;      // open call number -> key, oldest first
    EndedKeys ended_;
    CallTimers timers_;
    ChannelHolders holders_;
    FindingTexts texts_;
};
