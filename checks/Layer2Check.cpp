#include "checks/Layer2Check.h"

#include <string>

#include "base/Cp932.h"
#include "store/FrameLayout.h"

namespace {

// Control octets with the P/F bit cleared.
enum : int { kSabme = 0x6F, kUa = 0x63, kDisc = 0x43, kDm = 0x0F, kFrmr = 0x87, kUi = 0x03 };
enum : int { kRr = 0x01, kRnr = 0x05, kRej = 0x09 };

// TEI management (Q.921 clause 5.3): on SAPI 63, TEI 127, in UI frames.
constexpr int kManagementSapi = 63;
constexpr int kGroupTei = 127;
constexpr uint8_t kManagementEntity = 0x0F;
enum : int { kIdRequest = 1, kIdAssigned, kIdDenied, kIdCheckRequest, kIdCheckResponse, kIdRemove, kIdVerify };
constexpr int kFirstAutomaticTei = 64;

// Sequence numbers run modulo 128: d in 1..63 is ahead, 64..127 behind.
int Distance(int from, int to) { return (to - from) & 0x7F; }

std::string N(int64_t value) { return std::to_string(value); }

}  // namespace

Layer2Check::Layer2Check(const CheckSettings& settings)
    : t200_(settings.t200), t203_(settings.t203), n200_(settings.n200) {
    links_.reserve(kMaxLinks);
}

void Layer2Check::Clear() {
    links_.clear();
    positions_.fill(0);
    teis_.fill(Tei());
    fcsFailures_[0] = fcsFailures_[1] = 0;
    nextIdleCheck_ = INT64_MAX;
    counts_ = {};
}

void Layer2Check::Report(FindingLog& out, Severity severity, Check check, const Mark& mark,
                         std::string_view utf8) const {
    Finding f;
    f.severity = severity;
    f.check = check;
    f.index = mark.index;
    f.time = mark.time;
    f.ms = mark.ms;
    f.text = texts_.Cp932Of(utf8);
    out.Add(std::move(f));
}

Layer2Check::Link& Layer2Check::LinkOf(uint16_t key) {
    if (positions_[key] != 0) return links_[positions_[key] - 1];
    size_t at = links_.size();
    if (at < kMaxLinks) {
        links_.emplace_back();
    } else {
        // Forget the link heard from longest ago.
        at = 0;
        for (size_t i = 1; i < links_.size(); ++i)
            if (links_[i].last.ms < links_[at].last.ms) at = i;
        positions_[links_[at].key] = 0;
        links_[at] = Link();
    }
    links_[at].key = key;
    positions_[key] = static_cast<uint16_t>(at + 1);
    return links_[at];
}

void Layer2Check::ReportIdle(int64_t ms, FindingLog& out) {
    // The poll T203 calls for should have come within T200 of it.
    const int64_t allowed = int64_t{t203_} + t200_;
    nextIdleCheck_ = INT64_MAX;
    for (Link& link : links_) {
        if (!link.established || link.idleReported) continue;
        const int64_t deadline = link.last.ms + allowed;
        if (ms > deadline) {
            link.idleReported = true;
            Report(out, Severity::kWarning, Check::kT203, link.last,
                   "この後 " + N(allowed) + " ms 無通信（T203 満了のポーリングがない）");
        } else if (deadline < nextIdleCheck_) {
            nextIdleCheck_ = deadline;
        }
    }
}

bool Layer2Check::Add(const FrameRecord& record, int64_t ms, FindingLog& out) {
    if (ms > nextIdleCheck_) ReportIdle(ms, out);
    const int direction = record.Direction() & 1;
    const Mark mark{record.Index(), record.Time(), ms};
    if (!record.CheckCrc()) {
        ++counts_.fcsErrors;
        ++fcsFailures_[direction];
        Report(out, Severity::kWarning, Check::kFcs, mark, "FCS が合わないフレーム（受信側で廃棄）");
        return false;
    }
    const FrameLayout frame(record);
    // A LAPD address is two octets.
    const int control = frame.FirstControlOctet();
    if (frame.ControlOffset() != FrameLayout::kAddressOffset + 2 || control == FrameLayout::kAbsent) return true;
    const int sapi = frame.Sapi();
    const int tei = frame.BodyByte(FrameLayout::kAddressOffset + 1) >> 1;
    Link& link = LinkOf(static_cast<uint16_t>(sapi << 7 | tei));
    link.last = mark;
    link.idleReported = false;

    if (sapi == 0 && tei >= kFirstAutomaticTei && tei < kGroupTei) {
        Tei& t = teis_[tei];
        if (t.status == Tei::kRemoved && !t.useReported) {
            t.useReported = true;
            Report(out, Severity::kWarning, Check::kTei, mark,
                   "削除された TEI=" + N(tei) + " のフレーム（割当し直されていない）");
        }
    }

    bool layer3 = true;
    if (frame.IsUFrame()) {
        const int type = control & 0xEF;
        if (type == kUi) {
            if (sapi == kManagementSapi && tei == kGroupTei && frame.InfoOffset() != FrameLayout::kAbsent) {
                const size_t info = static_cast<size_t>(frame.InfoOffset());
                Management(record.Bytes() + info, frame.BodyEnd() - info, mark, out);
            }
        } else {
            Unnumbered(link, direction, type, mark, out);
        }
    } else {
        const int second = frame.BodyByte(FrameLayout::kAddressOffset + 3);
        if (second == FrameLayout::kAbsent) return true;
        Acknowledged(link.sides[1 - direction], second >> 1, 1 - direction);
        if (frame.IsIFrame()) {
            layer3 = Information(link, direction, control >> 1, mark, out);
        } else {
            Side& side = link.sides[direction];
            const int type = control & 0x0F;
            if (type == kRej) {
                ++counts_.rej;
                Report(out, Severity::kWarning, Check::kReject, mark,
                       "REJ N(R)=" + N(second >> 1) + "（N(S) の順序誤り、この番号から再送要求）");
            } else if (type == kRnr) {
                ++counts_.rnr;
                if (!side.busy)
                    Report(out, Severity::kInfo, Check::kReceiverNotReady, mark, "RNR（受信不可状態に入った）");
            }
            side.busy = type == kRnr;
        }
    }
    if (link.established && link.last.ms + t203_ + t200_ < nextIdleCheck_) nextIdleCheck_ = link.last.ms + t203_ + t200_;
    return layer3;
}

void Layer2Check::Unnumbered(Link& link, int side, int type, const Mark& mark, FindingLog& out) {
    Side& own = link.sides[side];
    Side& peer = link.sides[1 - side];
    switch (type) {
        case kSabme:
            ++counts_.sabme;
            if (link.established)
                Report(out, Severity::kWarning, Check::kLinkReset, mark, "確立中のリンクに SABME（リンク再設定）");
            else if (!own.awaitsSetUp && !peer.awaitsSetUp)
                Report(out, Severity::kInfo, Check::kLinkSetup, mark, "SABME（リンク設定要求）");
            link.established = false;
            own.awaitsSetUp = true;
            own.awaitsRelease = false;
            break;
        case kUa:
            ++counts_.ua;
            if (peer.awaitsSetUp) {
                // Multiple frame operation starts again: every sequence number from 0.
                const bool ownSetUp = own.awaitsSetUp;
                link.sides[0] = link.sides[1] = Side();
                link.sides[0].expected = link.sides[1].expected = 0;
                link.sides[0].fcsMark = fcsFailures_[0];
                link.sides[1].fcsMark = fcsFailures_[1];
                // In a collision both SABMEs are answered.
                own.awaitsSetUp = ownSetUp;
                link.established = true;
            } else if (peer.awaitsRelease) {
                peer.awaitsRelease = false;
                link.established = false;
            } else {
                Report(out, Severity::kWarning, Check::kLinkUa, mark, "要求のない UA（SABME か DISC への応答のはず）");
            }
            break;
        case kDisc:
            ++counts_.disc;
            if (!own.awaitsRelease) Report(out, Severity::kInfo, Check::kLinkRelease, mark, "DISC（リンク解放要求）");
            own.awaitsRelease = true;
            own.awaitsSetUp = false;
            link.established = false;
            break;
        case kDm:
            ++counts_.dm;
            if (peer.awaitsSetUp)
                Report(out, Severity::kWarning, Check::kLinkDm, mark, "SABME に DM（リンク設定を拒否）");
            else if (link.established)
                Report(out, Severity::kWarning, Check::kLinkDm, mark, "確立中のリンクに DM（リンクが切れた）");
            peer.awaitsSetUp = peer.awaitsRelease = false;
            link.established = false;
            break;
        case kFrmr:
            ++counts_.frmr;
            Report(out, Severity::kError, Check::kFrameReject, mark, "FRMR（受けたフレームを相手が拒否、リンク再設定が必要）");
            break;
        default:
            break;
    }
}

void Layer2Check::Acknowledged(Side& peer, int nr, int direction) const {
    // N(R) is what the acknowledging side takes next: it moves the peer's
    // expected N(S) on where frames went past the capture unseen, never back.
    const int d = peer.expected < 0 ? 1 : Distance(peer.expected, nr);
    if (d == 0 || d >= 64) return;
    peer.expected = nr;
    peer.fcsMark = fcsFailures_[direction];
}

bool Layer2Check::Information(Link& link, int side, int ns, const Mark& mark, FindingLog& out) {
    Side& own = link.sides[side];
    if (ns == own.lastNs) {
        ++own.copies;
        if (own.copies == 1)
            Report(out, Severity::kWarning, Check::kT200, own.lastI,
                   "N(S)=" + N(ns) + " の I フレームを再送（T200 満了）");
        if (own.copies == n200_ + 1)
            Report(out, Severity::kError, Check::kN200, own.lastI,
                   "N(S)=" + N(ns) + " の I フレームを " + N(own.copies) + " 回再送（N200=" + N(n200_) + " を超える）");
        return false;
    }
    own.lastNs = ns;
    own.lastI = mark;
    own.copies = 0;
    bool taken = true;
    if (own.expected >= 0 && ns != own.expected) {
        // Behind: the peer has it already. Ahead after a damaged frame of this
        // direction: the peer lost one and drops the rest until it is sent
        // again. Ahead otherwise: frames passed the capture unseen.
        const int d = Distance(own.expected, ns);
        taken = d < 64 && own.fcsMark == fcsFailures_[side];
    }
    if (taken) {
        own.expected = (ns + 1) & 0x7F;
        own.fcsMark = fcsFailures_[side];
    }
    return taken;
}

void Layer2Check::Management(const uint8_t* info, size_t length, const Mark& mark, FindingLog& out) {
    if (length < 5 || info[0] != kManagementEntity) return;
    const uint16_t ri = static_cast<uint16_t>(info[1] << 8 | info[2]);
    const int type = info[3];
    const int ai = info[4] >> 1;
    switch (type) {
        case kIdAssigned: {
            if (ai < kFirstAutomaticTei || ai >= kGroupTei) return;
            Tei& t = teis_[ai];
            // A TEI whose check went unanswered is free to be given again.
            if (t.status == Tei::kAssigned && t.ri != ri && !(t.checking && !t.responded)) {
                Report(out, Severity::kError, Check::kTei, mark,
                       "TEI=" + N(ai) + " を Ri=" + N(ri) + " に割当（Ri=" + N(t.ri) + " に割当済みで削除されていない）");
            } else if (t.ri != ri || t.status != Tei::kAssigned) {
                // A TEI given afresh has no links yet.
                RemoveTei(ai);
            }
            t = Tei();
            t.status = Tei::kAssigned;
            t.ri = ri;
            break;
        }
        case kIdDenied:
            Report(out, Severity::kWarning, Check::kTei, mark,
                   ai == kGroupTei ? std::string("TEI 割当を拒否（割り当てられる TEI がない）")
                                   : "TEI 割当を拒否（TEI=" + N(ai) + "）");
            break;
        case kIdCheckRequest:
            for (int i = 0; i < kGroupTei; ++i) {
                Tei& t = teis_[i];
                if ((ai == kGroupTei && t.status == Tei::kAssigned) || i == ai) {
                    t.checking = true;
                    t.responded = t.duplicateReported = false;
                }
            }
            break;
        case kIdCheckResponse:
            // One Ai octet after another while the E bit is 0.
            for (size_t at = 4; at < length; ++at) {
                const int tei = info[at] >> 1;
                if (tei < kGroupTei && teis_[tei].checking) {
                    Tei& t = teis_[tei];
                    if (!t.responded) {
                        t.responded = true;
                        t.checkRi = ri;
                    } else if (t.checkRi != ri && !t.duplicateReported) {
                        t.duplicateReported = true;
                        Report(out, Severity::kError, Check::kTei, mark,
                               "TEI=" + N(tei) + " の確認応答が Ri=" + N(t.checkRi) + " と Ri=" + N(ri) +
                                   " から（TEI の重複割当）");
                    }
                }
                if (info[at] & 0x01) break;
            }
            break;
        case kIdRemove:
            Report(out, Severity::kWarning, Check::kTei, mark,
                   ai == kGroupTei ? std::string("全 TEI の削除") : "TEI=" + N(ai) + " の削除");
            if (ai == kGroupTei) {
                for (int i = 0; i < kGroupTei; ++i)
                    if (teis_[i].status == Tei::kAssigned) RemoveTei(i);
            } else {
                RemoveTei(ai);
            }
            break;
        default:  // request, verify: nothing to hold against them
            break;
    }
}

void Layer2Check::RemoveTei(int tei) {
    teis_[tei] = Tei();
    teis_[tei].status = Tei::kRemoved;
    // Its links go with it.
    for (Link& link : links_)
        if ((link.key & 0x7F) == tei) {
            link.established = false;
            link.sides[0].awaitsSetUp = link.sides[1].awaitsSetUp = false;
        }
}
