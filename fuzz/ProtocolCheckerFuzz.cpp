// Any frames through the protocol checker beside a call tracker: no crash,
// the call checks' findings bounded (a few per frame, a collision per other
// call held, a timer run-out per frame that armed one), each pointing at a
// frame already read and a call already numbered, open calls and timers
// within their bounds; cleared, the checker finds the same again. The
// input: a timer scale (every call timer 500 ms times 1..16), then per
// frame a header octet (bit 0 RX, bit 1 the octets as given instead of
// after a SAPI 0 I-frame header with its N(S) counted and protocol
// discriminator 0x08, bit 2 a bad FCS, bit 3 C/R set, bits 4-7 the time
// since the frame before in 700 ms steps), a length octet and the octets.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "calls/CallTracker.h"
#include "checks/ProtocolChecker.h"
#include "store/Fcs.h"

namespace {

void Require(bool ok) {
    if (!ok) abort();
}

bool IsCallCheck(const Finding& f) { return f.check <= Check::kCollision; }

bool IsTimer(const Finding& f) { return f.check >= Check::kT303 && f.check <= Check::kT313; }

// The frames, and beside each its time from the first day's midnight.
std::vector<FrameRecord> Frames(const uint8_t* data, size_t size, std::vector<int64_t>& times) {
    std::vector<FrameRecord> frames;
    int64_t ms = (23 * 60 + 58) * 60 * 1000LL;
    uint8_t ns = 0;
    for (size_t p = 1; p + 1 < size;) {
        const uint8_t head = data[p], n = static_cast<uint8_t>(std::min<size_t>(data[p + 1], size - p - 2));
        std::vector<uint8_t> bytes;
        if (!(head & 0x02)) bytes = {static_cast<uint8_t>(head & 0x08 ? 0x02 : 0x00), 0x01, static_cast<uint8_t>(ns++ << 1), 0x00, 0x08};
        bytes.insert(bytes.end(), data + p + 2, data + p + 2 + n);
        p += 2 + n;
        Fcs::Append(bytes);
        bytes.back() ^= head & 0x04;
        bytes.insert(bytes.begin(), 0x7E);
        bytes.push_back(0x7E);
        FrameRecord record(head & 0x01);
        record.SetBytes(bytes.data(), bytes.size());
        record.SetIndex(static_cast<int32_t>(frames.size()));
        ms += (head >> 4) * 700;
        times.push_back(ms);
        const int64_t ofDay = ms % ProtocolChecker::kDayMs;
        TimeStamp time;
        time.Set(static_cast<int>(ofDay / 3'600'000), static_cast<int>(ofDay / 60'000 % 60),
                 static_cast<int>(ofDay / 1000 % 60), static_cast<int>(ofDay % 1000));
        record.SetTime(time);
        frames.push_back(record);
    }
    return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    CheckSettings settings;
    settings.t303 = settings.t310 = settings.t305 = settings.t308 = settings.t313 = 500 * (1 + data[0] % 16);
    std::vector<int64_t> times;
    const std::vector<FrameRecord> frames = Frames(data, size, times);
    CallTracker tracker;
    ProtocolChecker checker(settings, FindingLog::kUnbounded);
    // The call checks alone, for what they hold.
    CallStateCheck calls(settings);
    FindingLog alone(FindingLog::kUnbounded);
    size_t timers = 0, seen = 0;
    for (const FrameRecord& record : frames) {
        const uint64_t call = tracker.Add(record);
        calls.Add(record, call, times[record.Index()], alone);
        checker.Add(record, call);
        size_t plain = 0, collisions = 0;
        for (size_t i = seen; i < checker.Findings().Count(); ++i) {
            const Finding& f = checker.Findings().At(i);
            if (!IsCallCheck(f)) continue;
            Require(f.index >= 0 && f.call < tracker.FirstNumber() + tracker.Count());
            // A timer's finding points at the frame that armed it.
            Require(IsTimer(f) ? f.index < record.Index() : f.index == record.Index());
            timers += IsTimer(f);
            plain += !IsTimer(f) && f.check != Check::kCollision;
            collisions += f.check == Check::kCollision;
        }
        seen = checker.Findings().Count();
        Require(plain <= 5 && collisions <= tracker.Count() && timers <= static_cast<size_t>(record.Index()) + 1);
        Require(calls.OpenCalls() <= CallStateCheck::kMaxCalls && calls.PendingTimers() <= 4 * CallStateCheck::kMaxCalls + 1);
    }
    // Started afresh, the checker finds what it found.
    std::vector<Finding> first = checker.Findings().Take();
    checker.Clear();
    tracker.Clear();
    for (const FrameRecord& record : frames) checker.Add(record, tracker.Add(record));
    Require(checker.Findings().Count() == first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        const Finding& f = checker.Findings().At(i);
        Require(f.check == first[i].check && f.index == first[i].index && f.call == first[i].call && f.text == first[i].text);
    }
    return 0;
}
