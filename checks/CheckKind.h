#pragma once
// The kinds of protocol check and their severities: each check has a short
// ASCII code (the 検査 column) and a Japanese name for the window's filter.
#include <cstdint>
#include <string>

// エラー, 警告, 情報: ordered from the gravest.
enum class Severity : uint8_t { kError, kWarning, kInfo };
constexpr int kSeverityCount = 3;

enum class Check : uint8_t {
    // Q.931 call states.
    kState,           // STATE: a message not valid in the call's state
    kReleaseComplete, // RELCOMP: RELEASE COMPLETE where a DISCONNECT or RELEASE was due
    // Q.931 timers, from the frames' times.
    kT303, kT310, kT305, kT308, kT313,
    // Information elements.
    kMandatory,       // IE-MISSING: a mandatory element missing
    kElementOrder,    // IE-ORDER: elements out of ascending order within a codeset
    // STATUS, causes, channels.
    kStatusCause,     // STATUS: a STATUS whose cause reports a protocol error
    kStatusState,     // STATUS-STATE: a STATUS whose call state differs from the one seen
    kChannelCause,    // CHANNEL: cause 6 or 44
    kCollision,       // COLLISION: two calls on one B channel at once
    // Layer 2.
    kLinkSetup,       // L2-SABME
    kLinkReset,       // L2-RESET: SABME on a link already established
    kLinkRelease,     // L2-DISC
    kLinkDm,          // L2-DM
    kLinkUa,          // L2-UA: a UA that answers nothing
    kFrameReject,     // L2-FRMR
    kReject,          // L2-REJ
    kReceiverNotReady,// L2-RNR
    kT200,            // T200: an I frame sent again with the same N(S)
    kN200,            // N200: sent again more than N200 times
    kT203,            // T203: an established link idle past T203 without a poll
    kFcs,             // FCS: a frame whose FCS fails
    kTei,             // TEI: a TEI management problem
};
constexpr int kCheckCount = static_cast<int>(Check::kTei) + 1;

class CheckKind {
public:
    // "STATE", "T303", ...: ASCII.
    static const std::string& Code(Check check);
    // The check's Japanese name (CP932), for the window's filter.
    static const std::string& Name(Check check);
    // "エラー", "警告", "情報" (CP932).
    static const std::string& SeverityName(Severity severity);
};
