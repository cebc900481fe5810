#pragma once
// The latest identification, clock and channel status the device sent,
// each with a flag that marks it as not yet taken. The receive thread puts,
// the main thread takes; one lock makes every hand-over whole.
#include <cstdint>
#include <mutex>
#include <string>

#include "device/BChannelStatus.h"
#include "device/DeviceKind.h"
#include "store/TimeStamp.h"

class DeviceReplies {
public:
    // Also sets the kind: RQ-730 when the second character is that of
    // "RQ-730", otherwise Tessaro.
    void PutIdentity(const std::string& line);
    void PutClock(const TimeStamp& time);
    // Replaces the one direction (FrameRecord::kTx or kRx) the line was for.
    void PutStatus(uint8_t direction, const BChannelStatus::Direction& flags);

    // Each: when fresh, clears the flag, copies out and returns true;
    // otherwise false with the output untouched.
    bool TakeIdentity(std::string& text);
    bool TakeClock(TimeStamp& time);
    bool TakeChannelStatus(BChannelStatus& status);

    DeviceKind Kind() const;

private:
    mutable std::mutex mutex_;
    std::string identity_;
    TimeStamp clock_;
    BChannelStatus status_;
    bool identityFresh_ = false;
    bool clockFresh_ = false;
    bool statusFresh_ = false;
    DeviceKind kind_ = DeviceKind::kRq730;
};
