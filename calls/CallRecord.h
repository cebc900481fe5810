#pragma once
// One call on the line as the tracker keeps it: its frames, sides, numbers,
// channels, times, the first clearing message with its cause, the charge,
// its messages (bounded), and what became of it. A value: it holds nothing
// of the frames it was built from, so it outlives them in the store.
#include <algorithm>
#include <cstdint>
#include <string>

#include "calls/CallChannels.h"
#include "calls/CallSteps.h"
#include "store/TimeStamp.h"

struct CallRecord {
    enum Result : uint8_t {
        kCompleted,   // 完了: connected, then cleared
        kRejected,    // 拒否: not connected, first cleared by the other side
        kNoAnswer,    // 不応答: not connected, cleared by the originating side after ALERTING
        kAbandoned,   // 放棄: not connected, cleared by the originating side before ALERTING
        kUnreleased,  // 未解放: a new SETUP of its key came before RELEASE COMPLETE
        kOngoing,     // 継続中: no clearing message yet
    };
    static constexpr int kResultCount = kOngoing + 1;
    static constexpr int64_t kNotSeen = -1;
    static constexpr int kNone = -1;

    // The Japanese name of a result, in CP932.
    static const std::string& ResultName(Result result);
    Result Outcome() const;

    // DISCONNECT, RELEASE or RELEASE COMPLETE seen.
    bool Cleared() const { return clearingType != kNone; }
    // No frame can change the call any more.
    bool Settled() const { return released || unreleased; }
    // How far the call lasts in a capture that ends at endOfCapture (tracker
    // ms): its last frame, or for a call still open the end of the capture;
    // never before its start, whatever the clock did.
    int64_t ReachMs(int64_t endOfCapture) const {
        return std::max(startMs, Settled() ? endMs : std::max(endMs, endOfCapture));
    }

    // What the timeline and the statistics read of every call stands first,
    // in as few cache lines as may be.
    uint64_t number = 0;  // 1, 2, ... in order of first frame
    // Times in ms from the midnight of the day the tracker began with.
    int64_t startMs = 0;
    int64_t endMs = 0;  // the last frame's
    int64_t alertingMs = kNotSeen;
    int64_t connectMs = kNotSeen;
    CallChannels channels;

    // The first clearing message, and the cause from the first clearing message that has one.
    int64_t clearingMs = kNotSeen;
    int clearingType = kNone;
    int cause = kNone;
    int location = kNone;
    uint8_t clearingSide = 0;
    bool connectedBeforeClearing = false;
    bool alertedBeforeClearing = false;

    uint8_t originatingSide = 0;  // FrameRecord::kTx or kRx
    bool midCall = false;         // 途中開始: the first frame was not a SETUP
    bool released = false;        // RELEASE COMPLETE seen
    bool unreleased = false;      // closed by a new SETUP of its key
    bool otherSideHeard = false;  // a frame came from the side that did not originate
    bool channelsSeen = false;    // a channel identification element, naming channels or not
    bool hasCalling = false;
    bool hasCharge = false;
    std::string called;

    int32_t firstIndex = -1;
    int32_t lastIndex = -1;
    uint32_t frames = 0;
    int callReference = 0;
    int tei = 0;
    int presentation = 0;  // 0, 1 or 2 (3 where the line says so)
    TimeStamp startTime;   // the first frame's time of day
    std::string calling;
    std::string charge;  // the last charging information's characters

    CallSteps steps;  // every counted message, a repeated SETUP too
};
