#pragma once
// The layer-2 checks (Q.921 LAPD), frame by frame in store order, per data
// link (TEI, SAPI): link set-ups, resets and releases (SABME, UA, DISC, DM,
// FRMR), REJ and RNR, an I frame sent again with the same N(S) (T200) and
// more than N200 times, an established link idle past T203 without a poll,
// frames whose FCS fails, and TEI management problems where TEIs are
// assigned. It keeps counts of the frame kinds for a status line.
//
// An observer of both directions: it follows each side's N(S) as its peer
// would take them, so that layer 3 sees each I frame once and in order.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "checks/CheckSettings.h"
#include "checks/FindingLog.h"
#include "checks/FindingTexts.h"
#include "store/FrameRecord.h"

class Layer2Check {
public:
    struct Counts {
        uint64_t sabme = 0, ua = 0, disc = 0, dm = 0, frmr = 0, rej = 0, rnr = 0, fcsErrors = 0;
    };
    // Links followed at once; past it the one idle longest is forgotten.
    static constexpr size_t kMaxLinks = 256;

    explicit Layer2Check(const CheckSettings& settings);
    Layer2Check(const Layer2Check&) = delete;
    Layer2Check& operator=(const Layer2Check&) = delete;

    // The next frame, at ms on the checker's clock. False for a frame whose
    // information layer 3 does not see: a frame whose FCS fails, an I frame
    // sent again with the N(S) its side last sent on the link (the receiver
    // drops the copy), and an I frame out of sequence after a frame of its
    // direction was lost (the receiver drops it and rejects).
    bool Add(const FrameRecord& record, int64_t ms, FindingLog& out);
    void Clear();
    const Counts& FrameCounts() const { return counts_; }

private:
    // A frame a finding may point back at.
    struct Mark {
        int32_t index = -1;
        TimeStamp time;
        int64_t ms = 0;
    };
    // One direction of a link: the I frames it sends and its peer takes.
    struct Side {
        int lastNs = -1;        // N(S) of its last I frame since set-up, -1 none
        Mark lastI;             // that frame's first copy
        int copies = 0;         // times it was sent again
        int expected = -1;      // the N(S) its peer takes next, -1 unknown
        uint32_t fcsMark = 0;   // the direction's FCS failures when it was last in sequence
        bool busy = false;      // its last supervisory frame was RNR
        bool awaitsSetUp = false, awaitsRelease = false;  // its SABME or DISC awaits the UA
    };
    struct Link {
        uint16_t key = 0;  // SAPI << 7 | TEI
        bool established = false;
        bool idleReported = false;
        Mark last;  // its latest frame
        Side sides[2];
    };
    // One TEI's management as seen.
    struct Tei {
        enum Status : uint8_t { kUnknown, kAssigned, kRemoved } status = kUnknown;
        uint16_t ri = 0;
        bool checking = false, responded = false, duplicateReported = false, useReported = false;
        uint16_t checkRi = 0;
    };
    static constexpr size_t kKeys = 64 * 128;

    Link& LinkOf(uint16_t key);
    void ReportIdle(int64_t ms, FindingLog& out);
    void Unnumbered(Link& link, int side, int type, const Mark& mark, FindingLog& out);
    bool Information(Link& link, int side, int ns, const Mark& mark, FindingLog& out);
    void Acknowledged(Side& peer, int nr, int direction) const;
    void Management(const uint8_t* info, size_t length, const Mark& mark, FindingLog& out);
    void RemoveTei(int tei);
    void Report(FindingLog& out, Severity severity, Check check, const Mark& mark, std::string_view utf8) const;

    int t200_, t203_, n200_;
    std::vector<Link> links_;                  // at most kMaxLinks
    std::array<uint16_t, kKeys> positions_{};  // key -> position in links_ + 1, 0 for none
    std::array<Tei, 127> teis_{};
    uint32_t fcsFailures_[2] = {0, 0};         // per direction
    int64_t nextIdleCheck_ = INT64_MAX;
    Counts counts_;
    mutable FindingTexts texts_;
};
