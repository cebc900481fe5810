#include "checks/ProtocolChecker.h"

ProtocolChecker::ProtocolChecker(const CheckSettings& settings, size_t maxFindings)
    : settings_(settings), findings_(maxFindings), calls_(settings_), links_(settings_) {}

int64_t ProtocolChecker::Time(const FrameRecord& record) {
    const TimeStamp& t = record.Time();
    const int64_t ofDay = ((t.Hours() * 60LL + t.Minutes()) * 60 + t.Seconds()) * 1000 + t.Milliseconds();
    if (lastOfDayMs_ >= 0 && ofDay < lastOfDayMs_) dayStartMs_ += kDayMs;
    lastOfDayMs_ = ofDay;
    return dayStartMs_ + ofDay;
}

void ProtocolChecker::Add(const FrameRecord& record, uint64_t call) {
    const int64_t ms = Time(record);
    // A copy layer 2 sent again reaches layer 3 once.
    if (links_.Add(record, ms, findings_)) calls_.Add(record, call, ms, findings_);
}

void ProtocolChecker::Clear() {
    findings_.Clear();
    calls_.Clear();
    links_.Clear();
    dayStartMs_ = 0;
    lastOfDayMs_ = -1;
}
