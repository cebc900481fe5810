#pragma once
// The ladder of one or more calls: one arrow per message a call kept, the
// calls of a selection interleaved by time on the tracker's clock (then by
// INDEX), each arrow with its call's position in the selection (its
// colour), its side (TX runs from the TX lifeline to the RX lifeline, RX
// back), the message name from the catalogue, the time of day as the list
// shows it (hh:mm:ss.mmm), the delta from the previous arrow ("+1.234s",
// none for the first) and, on a message with a cause, "CV=16 LOC=2 name"
// (value and location in decimal as the call CSV has them, the name from
// the catalogue). Where a call left messages out, a gap stands after its
// first ones. The text form is CP932, one line per arrow:
//   23:59:59.800  TX --> RX  DISCONNECT  CV=16 LOC=2 name
// with the call number after the time ("#12") when the selection has more
// than one call.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calls/CallRecord.h"
#include "decode/MessageCatalogue.h"

class LadderModel {
public:
    static constexpr int64_t kNoDelta = -1;

    struct Arrow {
        uint64_t call = 0;
        int colour = 0;  // the call's position in the selection
        bool gap = false;  // no message: `omitted` of them left out here
        uint32_t omitted = 0;
        int32_t index = -1;
        int64_t ms = 0;  // on the tracker's clock
        uint8_t side = 0;  // FrameRecord::kTx or kRx
        std::string name;  // CP932
        std::string time;
        int64_t deltaMs = kNoDelta;
        std::string delta;
        std::string cause;
    };

    // The catalogue must outlive the model.
    explicit LadderModel(const MessageCatalogue& catalogue) : catalogue_(catalogue) {}

    // The next call of the selection; what the ladder needs is copied.
    void Add(const CallRecord& call);
    void Clear();

    size_t Calls() const { return calls_; }
    const std::vector<Arrow>& Arrows() const { return arrows_; }
    // One line of an arrow, CR LF not included; tx and rx are the captions.
    std::string Line(const Arrow& arrow, const std::string& tx, const std::string& rx) const;
    // Every line, each ended by CR LF.
    std::string Text(const std::string& tx, const std::string& rx) const;

private:
    Arrow ArrowOf(const CallRecord& call, const CallSteps::Step& step) const;
    void Order();

    const MessageCatalogue& catalogue_;
    std::vector<Arrow> arrows_;
    size_t calls_ = 0;
};
