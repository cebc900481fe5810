// The generated D channel is checked by a small decoder of its own here, so
// that a fault in the generator's encoders cannot hide itself.
#include "sim/TrafficGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "store/Fcs.h"

namespace {

uint16_t BitwiseCrc(const uint8_t* p, size_t n) {
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int b = 0; b < 8; ++b) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    return static_cast<uint16_t>(~crc);
}

bool FcsGood(const std::vector<uint8_t>& f) {
    if (f.size() < 5) return false;
    uint16_t crc = BitwiseCrc(f.data(), f.size() - 2);
    return f[f.size() - 2] == (crc & 0xFF) && f[f.size() - 1] == (crc >> 8);
}

struct Lapd {
    int sapi, cr, tei;
    uint8_t control;
    bool isI, isS, isU;
    int ns = -1, nr = -1;
    std::vector<uint8_t> info;
};

Lapd ParseLapd(const std::vector<uint8_t>& f) {
    Lapd l{};
    l.sapi = f[0] >> 2;
    l.cr = (f[0] >> 1) & 1;
    l.tei = f[1] >> 1;
    l.control = f[2];
    l.isI = (f[2] & 1) == 0;
    l.isS = (f[2] & 3) == 1;
    l.isU = (f[2] & 3) == 3;
    size_t infoStart = 3;
    if (l.isI || l.isS) {
        l.nr = f[3] >> 1;
        infoStart = 4;
    }
    if (l.isI) l.ns = f[2] >> 1;
    l.info.assign(f.begin() + static_cast<std::ptrdiff_t>(infoStart), f.end() - 2);
    return l;
}

struct Q931 {
    bool ok = false;
    int crLength = 0;
    int cr = 0;
    bool flag = false;
    int type = 0;
    std::map<int, std::vector<uint8_t>> elements;  // variable-length ones
    std::set<int> singles;
    std::string error;
};

const std::set<int> kMessageTypes = {0x01, 0x02, 0x03, 0x05, 0x07, 0x0D, 0x0F, 0x45,
                                     0x4D, 0x5A, 0x62, 0x75, 0x7B, 0x7D};

// Walks header and elements exactly to the end of the information field.
Q931 ParseQ931(const std::vector<uint8_t>& info) {
    Q931 m;
    if (info.size() < 3 || info[0] != 0x08) { m.error = "discriminator"; return m; }
    m.crLength = info[1] & 0x0F;
    if ((info[1] & 0xF0) != 0 || m.crLength > 2 || info.size() < 3u + m.crLength) { m.error = "cr length"; return m; }
    for (int i = 0; i < m.crLength; ++i) {
        uint8_t b = info[2 + i];
        if (i == 0) { m.flag = b & 0x80; b &= 0x7F; }
        m.cr = (m.cr << 8) | b;
    }
    size_t p = 2 + m.crLength;
    m.type = info[p++];
    if (!kMessageTypes.count(m.type)) { m.error = "message type"; return m; }
    int lastId = 0;
    while (p < info.size()) {
        int id = info[p];
        if (id & 0x80) {
            m.singles.insert(id);
            ++p;
            continue;
        }
        if (p + 1 >= info.size()) { m.error = "length octet missing"; return m; }
        size_t len = info[p + 1];
        if (p + 2 + len > info.size()) { m.error = "element overruns"; return m; }
        if (id <= lastId) { m.error = "element order"; return m; }
        lastId = id;
        m.elements[id].assign(info.begin() + static_cast<std::ptrdiff_t>(p + 2),
                              info.begin() + static_cast<std::ptrdiff_t>(p + 2 + len));
        p += 2 + len;
    }
    m.ok = p == info.size();
    if (!m.ok) m.error = "walk did not end at the FCS";
    return m;
}

bool AllDigits(const std::vector<uint8_t>& v, size_t from) {
    if (v.size() <= from) return false;
    for (size_t i = from; i < v.size(); ++i)
        if (v[i] < '0' || v[i] > '9') return false;
    return true;
}

// Checks the content of the elements this network uses; "" when fine.
std::string CheckElements(const Q931& m) {
    for (const auto& [id, c] : m.elements) {
        const char* name = nullptr;
        switch (id) {
        case 0x04:
            if (!((c.size() == 3 && c[0] == 0x80 && c[1] == 0x90) || (c.size() == 2 && c[0] == 0x88 && c[1] == 0x90)))
                name = "bearer capability";
            break;
        case 0x18:
            if (c.size() != 3 || c[0] != 0xA9 || c[1] != 0x83 || c[2] < 0x81 || c[2] > 0x97) name = "channel id";
            break;
        case 0x6C:
            if (c.size() < 3 || c[0] != 0x21 || !(c[1] & 0x80) || !AllDigits(c, 2) || c[2] != '0') name = "calling number";
            break;
        case 0x70: if (c.size() < 2 || c[0] != 0xA1 || !AllDigits(c, 1)) name = "called number"; break;
        case 0x08: if (c.size() != 2 || (c[0] & 0xF0) != 0x80 || !(c[1] & 0x80)) name = "cause"; break;
        case 0x14: if (c.size() != 1) name = "call state"; break;
        case 0x1E: if (c.size() != 2 || (c[0] & 0xF0) != 0x80) name = "progress"; break;
        case 0x2C: if (c.empty()) name = "keypad"; break;
        case 0x7D: if (c.size() != 2 || c[0] != 0x91) name = "high layer compatibility"; break;
        case 0x1C: {
            // Profile, then one component whose BER length covers the rest.
            if (c.size() < 3 || c[0] != 0x91 || c[1] != 0xA1 || c[2] + 3u != c.size()) return "facility";
            for (size_t q = 3; q < c.size(); q += c[q] == 0x30 || c[q] == 0x31 ? 2 : 2 + c[q + 1])
                if (q + 1 >= c.size() || q + 2 + c[q + 1] > c.size()) return "facility component";
            break;
        }
        default:
            return "unexpected element " + std::to_string(id);
        }
        if (name) return name;
    }
    return "";
}

using LinkKey = std::tuple<int, int, int>;  // direction, sapi, tei
using CallKey = std::tuple<int, int, int>;  // originating side, cr length, cr

// Plays the receiver of every data link and follows the calls.
struct LineChecker {
    uint64_t frames = 0, bad = 0;
    std::map<LinkKey, int> expected;       // V(R) of the receiver of frames in that direction
    std::map<LinkKey, bool> rejectOwed;    // an out-of-sequence frame arrived
    std::map<CallKey, int> calls;          // channel of each call in progress
    std::map<CallKey, uint64_t> setupAt;
    std::set<int> busy;
    std::map<int, int> messageCounts;
    std::set<int> crLengths, setupSides, channelsSeen;
    int rejects = 0, rnrs = 0, teiTypes = 0, cleared = 0, connects = 0, disconnects = 0;
    size_t mostCalls = 0;
    std::set<int> x25Types;
    std::vector<std::string> faults;

    void Fault(const std::string& what) {
        if (faults.size() < 20) faults.push_back("frame " + std::to_string(frames) + ": " + what);
    }

    void Take(const SimFrame& f, uint32_t maskTx, uint32_t maskRx) {
        ++frames;
        const bool good = FcsGood(f.octets);
        if (good == f.badFcs) Fault("FCS verdict disagrees with the damage flag");
        if (!good) { ++bad; return; }
        Lapd l = ParseLapd(f.octets);
        const int dir = f.direction;
        if (f.octets[0] & 1 || !(f.octets[1] & 1)) Fault("address EA bits");
        if (l.sapi != 0 && l.sapi != 16 && l.sapi != 63) Fault("SAPI");
        if (l.isI && l.cr != (dir == 1 ? 1 : 0)) Fault("I frame C/R bit");
        if (l.sapi == 63) {
            if (!l.isU || (l.control & 0xEF) != 0x03 || l.tei != 127 || l.info.size() != 5 || l.info[0] != 0x0F ||
                l.info[3] < 1 || l.info[3] > 7 || !(l.info[4] & 1))
                Fault("TEI management frame");
            else
                teiTypes |= 1 << l.info[3];
            return;
        }
        LinkKey key{dir, l.sapi, l.tei}, back{1 - dir, l.sapi, l.tei};
        if (l.isU) {
            int type = l.control & 0xEF;
            if (type == 0x6F || type == 0x63) {  // SABME, UA: counts start again
                expected[key] = expected[back] = 0;
                rejectOwed[key] = rejectOwed[back] = false;
            }
            return;
        }
        if (l.isS) {
            int type = l.control & 0x0F;
            if (type == 0x09) ++rejects;
            if (type == 0x05) ++rnrs;
            if (rejectOwed[back]) {
                if (type != 0x09 || l.nr != expected[back]) Fault("out-of-sequence frame not answered by REJ");
                rejectOwed[back] = false;
            }
            return;
        }
        // I frame: the receiver takes it only in sequence.
        int& vr = expected[key];
        if (l.ns != vr) {
            rejectOwed[key] = true;
            return;
        }
        vr = (vr + 1) & 0x7F;
        if (l.sapi == 0) TakeQ931(dir, l.info, maskTx, maskRx);
        if (l.sapi == 16) TakeX25(l.info);
        // Status follows the calls: lamps only on channels with a call.
        for (int ch = 1; ch <= 23; ++ch) {
            bool lit = ((maskTx | maskRx) >> (ch - 1)) & 1;
            if (lit && !busy.count(ch)) Fault("lamp on a channel without a call: " + std::to_string(ch));
        }
    }

    void TakeQ931(int dir, const std::vector<uint8_t>& info, uint32_t maskTx, uint32_t maskRx) {
        Q931 m = ParseQ931(info);
        if (!m.ok) return Fault("Q.931: " + m.error);
        std::string e = CheckElements(m);
        if (!e.empty()) return Fault("Q.931 element: " + e);
        ++messageCounts[m.type];
        crLengths.insert(m.crLength);
        const int origin = m.flag ? 1 - dir : dir;
        CallKey key{origin, m.crLength, m.cr};
        int channel = 0;
        if (m.elements.count(0x18)) channel = m.elements[0x18][2] & 0x7F;
        if (m.type == 0x05) {
            if (m.flag) return Fault("SETUP with the destination flag");
            if (calls.count(key)) return Fault("call reference in use");
            if (!channel) return Fault("SETUP without channel");
            if (busy.count(channel)) return Fault("channel reused while busy: " + std::to_string(channel));
            if (!m.elements.count(0x04) || !m.elements.count(0x70)) return Fault("SETUP elements missing");
            if (dir == 1 && !m.elements.count(0x6C)) return Fault("network SETUP without calling number");
            busy.insert(channel);
            calls[key] = channel;
            setupAt[key] = frames;
            setupSides.insert(dir);
            channelsSeen.insert(channel);
            return;
        }
        auto it = calls.find(key);
        if (it == calls.end()) return Fault("message for an unknown call");
        if (channel && channel != it->second) return Fault("channel changed during the call");
        // The lamps of a call go on with CONNECT and off with DISCONNECT.
        const uint32_t bit = 1u << (it->second - 1);
        connects += m.type == 0x07;
        disconnects += m.type == 0x45;
        if (m.type == 0x07 && !((maskTx & bit) && (maskRx & bit))) Fault("CONNECT without lamps on its channel");
        if (m.type == 0x45 && ((maskTx | maskRx) & bit)) Fault("DISCONNECT with lamps still on");
        if (m.type == 0x45 || m.type == 0x7D) {
            if (!m.elements.count(0x08)) return Fault("cause missing");
        }
        if (m.type == 0x7D && (!m.elements.count(0x14) || (m.elements[0x08][1] & 0x7F) != 30))
            return Fault("STATUS without cause 30 and call state");
        if (m.type == 0x5A) {
            busy.erase(it->second);
            calls.erase(it);
            setupAt.erase(key);
            ++cleared;
        }
    }

    void TakeX25(const std::vector<uint8_t>& p) {
        if (p.size() < 3 || (p[0] & 0xF0) != 0x10) return Fault("X.25 header");
        uint8_t type = p[2];
        if ((type & 1) == 0) { x25Types.insert(0); return; }  // data
        if ((type & 0x1F) == 0x01) { x25Types.insert(1); return; }  // RR
        x25Types.insert(type);
        if (type == 0x0B || type == 0x0F) {
            // Address block, then the facility length.
            if (p.size() < 4) return Fault("X.25 call set-up packet");
            size_t digits = (p[3] >> 4) + (p[3] & 0x0F);
            size_t facilities = 4 + (digits + 1) / 2;
            if (digits == 0 || facilities >= p.size() || facilities + 1 + p[facilities] > p.size())
                return Fault("X.25 call set-up addresses");
            for (size_t i = 4; i < facilities; ++i)
                if ((p[i] >> 4) > 9 || (p[i] & 0x0F) > 9) return Fault("X.25 address digit");
            if (type == 0x0F && facilities + 1 != p.size()) return Fault("X.25 call accepted length");
        }
    }
};

LineChecker CheckRun(uint64_t seed, uint64_t n) {
    TrafficGenerator g(seed);
    LineChecker c;
    SimFrame f;
    for (uint64_t i = 0; i < n; ++i) {
        g.Next(f);
        c.mostCalls = std::max(c.mostCalls, g.CallsInProgress());
        c.Take(f, g.ChannelMask(0), g.ChannelMask(1));
    }
    return c;
}

TEST(SimFcs, KnownCheckValueAndAppend) {
    const uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(0x906E, Fcs::Compute(text, sizeof text));  // CRC-16/X.25 check value
    std::vector<uint8_t> frame = {0x02, 0x01, 0x01, 0x7F};
    Fcs::Append(frame);
    EXPECT_TRUE(FcsGood(frame));
    EXPECT_TRUE(Fcs::Check(frame.data(), frame.size()));
    frame[1] ^= 0x10;
    EXPECT_FALSE(Fcs::Check(frame.data(), frame.size()));
}

TEST(TrafficGenerator, LongRunsAreConsistentAndCoverTheRepertoire) {
    for (uint64_t seed : {1ull, 7ull, 42ull, 20260101ull}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const uint64_t n = 60000;
        LineChecker c = CheckRun(seed, n);
        for (const auto& f : c.faults) ADD_FAILURE() << f;
        // About one frame in 200 is damaged.
        EXPECT_GT(c.bad, n / 400);
        EXPECT_LT(c.bad, n / 100);
        // Every call set up well before the end has been cleared.
        for (const auto& [key, at] : c.setupAt) EXPECT_GT(at, n - 15000) << "call never cleared";
        EXPECT_GT(c.cleared, 100);
        // Calls overlap, and both ends of many were seen with their lamps.
        EXPECT_GE(c.mostCalls, 5u);
        EXPECT_GT(c.connects, 20);
        EXPECT_GT(c.disconnects, 20);

        for (int type : kMessageTypes) EXPECT_GT(c.messageCounts[type], 0) << "message type " << type;
        EXPECT_EQ((std::set<int>{1, 2}), c.crLengths);
        EXPECT_EQ((std::set<int>{0, 1}), c.setupSides);
        EXPECT_EQ(23u, c.channelsSeen.size());
        EXPECT_GT(c.rejects, 0);
        EXPECT_GT(c.rnrs, 0);
        // ID request, assigned, check request, check response.
        EXPECT_EQ((1 << 1) | (1 << 2) | (1 << 4) | (1 << 5), c.teiTypes);
        // Data, RR, call request/accepted, clear request/confirmation, restart.
        EXPECT_EQ((std::set<int>{0, 1, 0x0B, 0x0F, 0x13, 0x17, 0xFB, 0xFF}), c.x25Types);
    }
}

TEST(TrafficGenerator, SameSeedSameSequenceAndFrameAt) {
    TrafficGenerator a(99), b(99), c(100);
    SimFrame fa, fb, fc;
    bool differs = false;
    std::vector<SimFrame> kept;
    for (int i = 0; i < 30000; ++i) {
        a.Next(fa);
        b.Next(fb);
        c.Next(fc);
        ASSERT_EQ(fa.direction, fb.direction) << i;
        ASSERT_EQ(fa.octets, fb.octets) << i;
        if (fa.octets != fc.octets) differs = true;
        if (i == 0 || i == 12345) kept.push_back(fa);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(kept[0].octets, TrafficGenerator::FrameAt(99, 0).octets);
    EXPECT_EQ(kept[1].octets, TrafficGenerator::FrameAt(99, 12345).octets);
    EXPECT_EQ(30000u, a.FramesMade());
}

}  // namespace
