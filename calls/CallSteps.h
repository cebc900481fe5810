#pragma once
// The Q.931 messages one call keeps for its ladder and its report: the
// first kHead and the last kTail, with the count of those left out
// between. Each step is 16 bytes, so that the calls a tracker holds stay
// small.
#include <cstdint>
#include <vector>

#include "store/TimeStamp.h"

class CallSteps {
public:
    static constexpr size_t kHead = 64;
    static constexpr size_t kTail = 16;
    static constexpr int64_t kDayMs = 86'400'000;
    static constexpr uint8_t kNone = 0xFF;

    struct Step {
        int32_t index = -1;
        uint32_t ofDayMs = 0;  // the frame's time of day
        uint16_t day = 0;      // days the tracker's clock had run
        uint8_t type = kNone;  // message type, kNone when the frame ends before it
        uint8_t side = 0;      // FrameRecord::kTx or kRx
        uint8_t cause = kNone;
        uint8_t location = kNone;

        // On the tracker's clock: ms from the midnight of its first day.
        int64_t Ms() const { return day * kDayMs + ofDayMs; }
        TimeStamp Time() const;
        bool HasCause() const { return cause != kNone; }
    };
    static_assert(sizeof(Step) == 16);

    void Add(const Step& step);

    // Those kept, in order: the first kHead, then (when Omitted() is not 0)
    // the last kTail.
    size_t Count() const { return kept_.size(); }
    const Step& operator[](size_t position) const { return kept_[position]; }
    auto begin() const { return kept_.begin(); }
    auto end() const { return kept_.end(); }
    // Left out after the first kHead.
    uint32_t Omitted() const { return omitted_; }
    uint64_t Total() const { return kept_.size() + omitted_; }

private:
    std::vector<Step> kept_;
    uint32_t omitted_ = 0;
};
