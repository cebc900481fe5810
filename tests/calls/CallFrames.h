#pragma once
// Q.931 frames of calls for the call tests: elements, and steps of a call
// from the originator (O, TX) or its peer (D, RX) stamped at a time of day.
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

}  // namespace callframes
