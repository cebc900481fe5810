#include "device/DeviceReplies.h"

void DeviceReplies::PutIdentity(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    identity_ = line;
    identityFresh_ = true;
    kind_ = line.size() > 1 && line[1] == 'Q' ? DeviceKind::kRq730 : DeviceKind::kTessaro;
}

void DeviceReplies::PutClock(const TimeStamp& time) {
    std::lock_guard<std::mutex> lock(mutex_);
    clock_ = time;
    clockFresh_ = true;
}

void DeviceReplies::PutStatus(uint8_t direction, const BChannelStatus::Direction& flags) {
    std::lock_guard<std::mutex> lock(mutex_);
    status_.direction[direction ? 1 : 0] = flags;
    statusFresh_ = true;
}

bool DeviceReplies::TakeIdentity(std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!identityFresh_) return false;
    identityFresh_ = false;
    text = identity_;
    return true;
}

bool DeviceReplies::TakeClock(TimeStamp& time) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!clockFresh_) return false;
    clockFresh_ = false;
    time = clock_;
    return true;
}

bool DeviceReplies::TakeChannelStatus(BChannelStatus& status) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!statusFresh_) return false;
    statusFresh_ = false;
    status = status_;
    return true;
}

DeviceKind DeviceReplies::Kind() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return kind_;
}
