#include "calls/CallTracker.h"

#include <algorithm>
#include <utility>

#include "calls/CallMessage.h"

uint32_t CallTracker::KeyOf(const CallRecord& call) {
    return static_cast<uint32_t>(call.tei) << 16 | static_cast<uint32_t>(call.callReference) << 1 |
           call.originatingSide;
}

int64_t CallTracker::OfDay(const TimeStamp& t) {
    return ((t.Hours() * 60LL + t.Minutes()) * 60 + t.Seconds()) * 1000 + t.Milliseconds();
}

int64_t CallTracker::Time(const FrameRecord& record) {
    const int64_t ofDay = OfDay(record.Time());
    if (lastOfDayMs_ >= 0 && ofDay < lastOfDayMs_) dayStartMs_ += kDayMs;
    lastOfDayMs_ = ofDay;
    return dayStartMs_ + ofDay;
}

int64_t CallTracker::TimeOf(const FrameRecord& record) const {
    const int64_t ofDay = OfDay(record.Time());
    return dayStartMs_ + ofDay + (lastOfDayMs_ >= 0 && ofDay < lastOfDayMs_ ? kDayMs : 0);
}

uint64_t CallTracker::Add(const FrameRecord& record) {
    const CallMessage message(record);
    if (!message.Counts()) return 0;
    const int64_t ms = Time(record);
    const auto open = open_.find(message.Key());
    CallRecord* call = open == open_.end() ? nullptr : &calls_[open->second - first_];
    bool repeatedSetup = false;
    if (message.MessageType() == CallMessage::kSetup) {
        // "Before anything came back": no frame of the call from the other side yet.
        repeatedSetup = call && !call->midCall && message.FromOriginatingSide() && !call->otherSideHeard;
        if (!repeatedSetup) {
            if (call) {
                call->unreleased = true;
                Changed(*call);
            }
            call = &Open(message, record, ms, false);
        }
    } else if (!call) {
        call = &Open(message, record, ms, true);
    }
    Update(*call, message, record, ms, repeatedSetup);
    if (message.MessageType() == CallMessage::kReleaseComplete) {
        call->released = true;
        open_.erase(message.Key());
    }
    return call->number;
}

CallRecord& CallTracker::Open(const CallMessage& message, const FrameRecord& record, int64_t ms, bool midCall) {
    CallRecord call;
    call.number = first_ + calls_.size();
    call.firstIndex = record.Index();
    call.tei = message.Tei();
    call.callReference = message.CallReference();
    call.originatingSide = message.OriginatingSide();
    call.midCall = midCall;
    call.startTime = record.Time();
    call.startMs = ms;
    calls_.push_back(std::move(call));
    listed_.push_back(0);
    open_[message.Key()] = calls_.back().number;
    // A deque keeps references to the calls that stay.
    if (maxCalls_ != kUnbounded && calls_.size() > maxCalls_) DropOldest();
    return calls_.back();
}

void CallTracker::Update(CallRecord& call, const CallMessage& message, const FrameRecord& record, int64_t ms,
                         bool repeatedSetup) {
    ++call.frames;
    call.lastIndex = record.Index();
    call.endMs = ms;
    if (!message.FromOriginatingSide()) call.otherSideHeard = true;
    if (!call.hasCalling && message.HasCallingNumber()) {
        call.hasCalling = true;
        call.calling = message.CallingDigits();
        call.presentation = message.Presentation();
    }
    if (!call.channelsSeen && message.HasChannels()) {
        call.channelsSeen = true;
        call.channels = message.Channels();
    }
    const int type = message.MessageType();
    // The called number: the opening SETUP's digits, then the overlap digits
    // the originating side sends in INFORMATION.
    if ((type == CallMessage::kSetup && !repeatedSetup) ||
        (type == CallMessage::kInformation && message.FromOriginatingSide()))
        message.AppendCalledDigits(call.called);
    if (type == CallMessage::kAlerting && call.alertingMs == CallRecord::kNotSeen) call.alertingMs = ms;
    if (type == CallMessage::kConnect && call.connectMs == CallRecord::kNotSeen) call.connectMs = ms;
    if (message.IsClearing()) {
        // The result reads the call as the clearing began: a CONNECT or an
        // ALERTING after it does not make it answered or rung.
        if (!call.Cleared()) {
            call.clearingType = type;
            call.clearingSide = message.Direction();
            call.clearingMs = ms;
            call.connectedBeforeClearing = call.connectMs != CallRecord::kNotSeen;
            call.alertedBeforeClearing = call.alertingMs != CallRecord::kNotSeen;
        }
        // A clearing message without a cause value leaves it to a later one.
        if (call.cause == CallRecord::kNone) message.Cause(call.cause, call.location);
    }
    if (message.Charge(call.charge)) call.hasCharge = true;
    AddStep(call, message, record, ms);
    Changed(call);
}

void CallTracker::AddStep(CallRecord& call, const CallMessage& message, const FrameRecord& record, int64_t ms) const {
    CallSteps::Step step;
    step.index = record.Index();
    step.ofDayMs = static_cast<uint32_t>(ms - dayStartMs_);
    step.day = static_cast<uint16_t>(std::min<int64_t>(dayStartMs_ / kDayMs, UINT16_MAX));
    step.type = message.MessageType() == CallMessage::kNoMessage ? CallSteps::kNone
                                                                  : static_cast<uint8_t>(message.MessageType());
    step.side = message.Direction();
    int cause = 0, location = 0;
    if (message.Cause(cause, location)) {
        step.cause = static_cast<uint8_t>(cause);
        step.location = static_cast<uint8_t>(location);
    }
    call.steps.Add(step);
}

void CallTracker::Changed(const CallRecord& call) {
    uint8_t& listed = listed_[call.number - first_];
    if (listed) return;
    listed = 1;
    changed_.push_back(call.number);
}

// An open call that goes takes its key with it: a later frame of the key
// opens a call that began before the tracker's calls.
void CallTracker::DropOldest() {
    const auto open = open_.find(KeyOf(calls_.front()));
    if (open != open_.end() && open->second == first_) open_.erase(open);
    calls_.pop_front();
    listed_.pop_front();
    ++first_;
}

const CallRecord* CallTracker::Find(uint64_t number) const {
    if (number < first_ || number - first_ >= calls_.size()) return nullptr;
    return &calls_[number - first_];
}

std::vector<uint64_t> CallTracker::TakeChanged() {
    std::vector<uint64_t> changed;
    changed.reserve(changed_.size());
    for (uint64_t number : changed_)
        if (Find(number)) {
            listed_[number - first_] = 0;
            changed.push_back(number);
        }
    changed_.clear();
    std::sort(changed.begin(), changed.end());
    return changed;
}

bool CallTracker::TakeSettled(CallRecord& call) {
    if (calls_.empty() || !calls_.front().Settled()) return false;
    call = std::move(calls_.front());
    calls_.pop_front();
    listed_.pop_front();
    ++first_;
    return true;
}

void CallTracker::Clear() {
    calls_.clear();
    listed_.clear();
    changed_.clear();
    open_.clear();
    first_ = 1;
    dayStartMs_ = 0;
    lastOfDayMs_ = -1;
}
