#pragma once
// Q.931 frames of calls for the call tests: elements, and steps of a call
// from the originator (O, TX) or its peer (D, RX) stamped at a time of day.
#include <utility>

#include "tests/support/TestSupport.h"

namespace callframes {

using Bytes = std::vector<uint8_t>;
inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline Bytes Element(uint8_t id, Bytes head, std::string_view digits) {
    return Bytes{id, static_cast<uint8_t>(head.size() + digits.size())} + head + Bytes(digits.begin(), digits.end());
}
inline Bytes Called(std::string_view d) { return Element(0x70, {0x81}, d); }
inline Bytes Cause(int location, int value) { return {0x08, 0x02, uint8_t(0x80 | location), uint8_t(0x80 | value)}; }
inline Bytes Charge(std::string_view d) { return Bytes{0x96} + Element(0x01, {0x81}, d); }  // locking shift to codeset 6
inline Bytes Ch(Bytes octets) { return Element(0x18, octets, ""); }
inline Bytes Channel(uint8_t n) { return Ch({0xA9, 0x83, static_cast<uint8_t>(0x80 | n)}); }  // primary rate, B channel n

enum : uint8_t { kAlert = 0x01, kProc = 0x02, kSetup = 0x05, kConnect = 0x07, kSetupAck = 0x0D, kDisc = 0x45,
                 kRel = 0x4D, kRelComp = 0x5A, kFacility = 0x62, kInfo = 0x7B };

struct Step { uint8_t direction; bool flag; uint8_t type; Bytes elements; uint8_t cr; };
inline Step O(uint8_t type, Bytes e = {}, uint8_t cr = 1) { return {FrameRecord::kTx, false, type, e, cr}; }
inline Step D(uint8_t type, Bytes e = {}, uint8_t cr = 1) { return {FrameRecord::kRx, true, type, e, cr}; }

// A time of day in ms (wrapping at midnight) on a record.
inline FrameRecord Stamped(FrameRecord r, int ms, int index) {
    ms %= 86'400'000;
    TimeStamp t;
    t.Set(ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
    r.SetTime(t);
    r.SetIndex(index);
    return r;
}
inline FrameRecord StepFrame(const Step& s, int ms, int index) {
    return Stamped(testsupport::Q931Frame({0x01, static_cast<uint8_t>((s.flag ? 0x80 : 0) | s.cr)}, s.type, s.elements,
                                          s.direction),
                   ms, index);
}

inline FrameRecord Restart(const Bytes& elements, int ms, int index, Bytes callRef = {0x01, 0x00}, uint8_t type = 0x46) {
    return Stamped(testsupport::Q931Frame(callRef, type, elements), ms, index);
}

// A span of six calls and two restarts from 23:00:00.000 across midnight,
// each frame handed to take in order. Call 1 (ch 1): answered, cleared by
// RX, never released. Call 2 (ch 1, from 500 to 1800: a collision): rung,
// cleared by TX. Call 3 (ch 2): refused. Call 4 (ch 2, from the ms call 3
// ended): answered past midnight. Call 5 (ch 24): ongoing. Call 6: begun
// before the span. Then a restart of the interface and one of channel 2.
constexpr int kSpanStart = 82'800'000;
template <typename Take>
void SpanFrames(Take take) {
    const std::pair<int, Step> steps[] = {
        {0, O(kSetup, Called("0312") + Channel(1))}, {100, D(kAlert)}, {300, D(kConnect)},
        {500, O(kSetup, Called("0399") + Channel(1), 2)}, {900, D(kAlert, {}, 2)}, {1300, D(kDisc, Cause(10, 16))},
        {1400, O(kRel)}, {1600, O(kDisc, Cause(0, 16), 2)}, {1700, D(kRel, {}, 2)}, {1800, O(kRelComp, {}, 2)},
        {2000, O(kSetup, Called("06") + Channel(2), 3)}, {2200, D(kRelComp, Cause(3, 17), 3)},
        {2200, O(kSetup, Called("0312") + Channel(2), 4)}, {2400, D(kAlert, {}, 4)}, {2500, D(kConnect, {}, 4)},
        {3'600'500, O(kDisc, Cause(2, 16), 4)}, {3'600'600, D(kRel, {}, 4)}, {3'600'700, O(kRelComp, {}, 4)},
        {3'601'000, O(kSetup, Called("1") + Channel(24), 5)}, {3'601'200, D(kAlert, {}, 6)},
        {3'601'700, D(kAlert, {}, 5)}};
    int index = 0;
    for (const auto& [ms, step] : steps) take(StepFrame(step, kSpanStart + ms, index++));
    take(Restart({0x79, 0x01, 0x87}, kSpanStart + 3'602'000, index++));
    take(Restart(Channel(2) + Bytes{0x79, 0x01, 0x80}, kSpanStart + 3'602'500, index++));
}

}  // namespace callframes
