#pragma once
// A primary-rate D channel seen from the line, frame by frame: TEI
// management, link set-up and supervision, Q.931 calls on the 23 B channels
// in both directions and X.25 on SAPI 16. TX is the user side, RX the
// network side. The sequence depends on the seed alone, never on time, so
// anyone can regenerate what a run sent.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "sim/FrameSource.h"
#include "sim/LapdLink.h"
#include "sim/SimRandom.h"

class TrafficGenerator : public FrameSource {
public:
    // One frame in about this many leaves with a damaged FCS.
    static constexpr uint32_t kBadFcsOneIn = 200;
    static constexpr int kChannels = 23;
    static constexpr size_t kMaxCalls = 10;

    explicit TrafficGenerator(uint64_t seed);

    // Always gives a frame.
    bool Next(SimFrame& frame) override;
    uint32_t ChannelMask(int direction) const override { return shownMask_[direction & 1]; }

    // Frames handed out so far.
    uint64_t FramesMade() const { return made_; }
    // Calls between SETUP and RELEASE COMPLETE in the frames generated so far.
    size_t CallsInProgress() const { return calls_.size(); }
    // Frame n (from 0) of the seed's sequence, regenerated from the start.
    static SimFrame FrameAt(uint64_t seed, uint64_t n);

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
    };
    struct VirtualCall {
        bool active = false;
        int stage = 0;
        uint8_t origin = 0;
        int lcn = 1;
        int ps[2] = {0, 0};
        int pr[2] = {0, 0};
        int dataLeft = 0;
        int ackDue = -1;  // side that owes an RR packet, -1 none
        std::string called, calling;
    };
    struct Pending {
        SimFrame frame;
        uint32_t mask[2];
    };

    void Step();
    void StartUp();
    void StartCall();
    void AdvanceCall(size_t index);
    bool SendCallMessage(Call& call, const Action& action);
    void StepPacketLayer();
    void TeiCheck();
    void KeepAlive();

    // Frame output: FCS, damage now and then, retransmission after damage.
    std::vector<uint8_t> WithFcs(std::vector<uint8_t> body) const;
    void Out(int side, const std::vector<uint8_t>& frame, bool damaged);
    void Emit(int side, std::vector<uint8_t> body);
    void SendI(LapdLink& link, int side, const std::vector<std::vector<uint8_t>>& infos);
    void SendManagement(int side, uint16_t ri, uint8_t type, uint8_t ai);

    std::string JapaneseNumber();
    std::string OwnNumber();
    int FreeChannel();
    uint16_t FreeCallReference(uint8_t origin, int crLength);

    SimRandom rng_;
    std::deque<Pending> queue_;
    LapdLink management_{63, 127};
    LapdLink callControl_{0, 0};
    LapdLink packet_{16, 64};
    bool started_ = false;
    std::vector<Call> calls_;
    VirtualCall vc_;
    uint32_t busy_ = 0;       // channels allocated to a call
    uint32_t mask_[2] = {0, 0};
    uint32_t shownMask_[2] = {0, 0};
    uint8_t invokeId_ = 0;
    uint64_t made_ = 0;
};
