#pragma once
// Q.931 calls on the 23 B channels in both directions: each call gets its
// script of messages when it starts (answered, busy, refused, abandoned,
// with overlap sending, charging, keypad and status exchanges now and then)
// and plays it one message at a time, interleaved with the other calls. An
// answer a timer waits for (to SETUP, CALL PROCEEDING, CONNECT, DISCONNECT,
// RELEASE...) is not left waiting past kAnswerFrames; the long pauses are
// the ringing after ALERTING and the talk, where no such timer runs. The
// B channels through in each direction follow the messages. Two of the
// faults planned are theirs: a SETUP without Bearer capability and a
// RELEASE COMPLETE not sent (the call ends all the same).
#include <cstdint>
#include <string>
#include <vector>

#include "sim/FaultPlan.h"
#include "sim/Layer2Traffic.h"
#include "sim/SimRandom.h"

class CallScripts {
public:
    static constexpr int kChannels = 23;
    static constexpr size_t kMaxCalls = 10;
    // Frames after which an answer a timer waits for goes before any other
    // step of the calls: at 20 frames/s about a second, well within the
    // 4 s of the shortest timers.
    static constexpr uint64_t kAnswerFrames = 20;

    CallScripts(SimRandom& rng, Layer2Traffic& line, FaultPlan& faults) : rng_(rng), line_(line), faults_(faults) {}

    // A new call on a free channel, less often the more are in progress.
    void Offer();
    // The next step of one of the calls in progress: the longest overdue
    // answer, else a call picked at random.
    void Advance();
    // Calls between SETUP and RELEASE COMPLETE.
    size_t InProgress() const { return calls_.size(); }

private:
    enum ActionKind : uint8_t {
        kSetup, kSetupAck, kInfoDigits, kCallProc, kProgress, kAlerting, kConnect, kConnectAck,
        kWait, kAoc, kKeypad, kStatusEnquiry, kStatus, kDisconnect, kRelease, kReleaseComplete,
    };
    struct Action {
        ActionKind kind;
        bool fromDestination;
        uint8_t arg;  // cause, wait length
    };
    static constexpr uint64_t kNoAnswerDue = UINT64_MAX;
    struct Call {
        uint8_t origin = 0;  // side that sent SETUP
        uint8_t crLength = 2;
        uint16_t cr = 0;
        uint8_t channel = 1;
        bool speech = true;
        bool overlap = false;
        std::string calling, called;
        std::vector<Action> script;
        size_t next = 0;
        int waitLeft = -1;
        uint64_t answerBy = kNoAnswerDue;  // frame count by which the next action is due
    };

    // Whether the message leaves its peer (or its sender) waiting on a timer.
    static bool StartsTimer(ActionKind kind);

    void StartCall();
    void AdvanceCall(size_t index);
    void SendCallMessage(Call& call, const Action& action);

    std::string JapaneseNumber();
    std::string OwnNumber();
    int FreeChannel();
    uint16_t FreeCallReference(uint8_t origin, int crLength);

    SimRandom& rng_;
    Layer2Traffic& line_;
    FaultPlan& faults_;
    std::vector<Call> calls_;
    uint32_t busy_ = 0;  // channels allocated to a call
    uint32_t mask_[2] = {0, 0};
    uint8_t invokeId_ = 0;
};
