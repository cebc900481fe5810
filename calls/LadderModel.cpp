#include "calls/LadderModel.h"

#include <algorithm>
#include <cstdio>

#include "base/Cp932.h"
#include "store/FrameRecord.h"

namespace {

std::string DeltaText(int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "+%lld.%03llds", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

}  // namespace

LadderModel::Arrow LadderModel::ArrowOf(const CallRecord& call, const CallSteps::Step& step) const {
    Arrow a;
    a.call = call.number;
    a.colour = static_cast<int>(calls_);
    a.index = step.index;
    a.ms = step.Ms();
    a.side = step.side;
    if (step.type != CallSteps::kNone) a.name = catalogue_.Lookup(MessageCatalogue::IF_MESSAGE, step.type);
    a.time = step.Time().Format();
    if (step.HasCause())
        a.cause = "CV=" + std::to_string(step.cause) + " LOC=" + std::to_string(step.location) + " " +
                  catalogue_.Lookup(MessageCatalogue::IF_CA_CA, step.cause);
    return a;
}

void LadderModel::Add(const CallRecord& call) {
    for (size_t i = 0; i < call.steps.Count(); ++i) {
        arrows_.push_back(ArrowOf(call, call.steps[i]));
        if (i + 1 == CallSteps::kHead && call.steps.Omitted()) {
            Arrow gap = arrows_.back();
            gap.gap = true;
            gap.omitted = call.steps.Omitted();
            gap.name.clear();
            gap.cause.clear();
            arrows_.push_back(gap);
        }
    }
    ++calls_;
    Order();
}

void LadderModel::Clear() {
    arrows_.clear();
    calls_ = 0;
}

// A gap keeps the time and INDEX of the message before it, and follows it.
void LadderModel::Order() {
    std::stable_sort(arrows_.begin(), arrows_.end(), [](const Arrow& a, const Arrow& b) {
        if (a.ms != b.ms) return a.ms < b.ms;
        if (a.index != b.index) return a.index < b.index;
        return a.gap < b.gap;
    });
    const Arrow* previous = nullptr;
    for (Arrow& a : arrows_) {
        if (a.gap) continue;
        a.deltaMs = previous ? a.ms - previous->ms : kNoDelta;
        a.delta = previous ? DeltaText(a.deltaMs) : std::string();
        previous = &a;
    }
}

std::string LadderModel::Line(const Arrow& arrow, const std::string& tx, const std::string& rx) const {
    std::string line = arrow.gap ? std::string(arrow.time.size(), ' ') : arrow.time;
    if (calls_ > 1) line += "  #" + std::to_string(arrow.call);
    if (arrow.gap) return line + "  ... " + std::to_string(arrow.omitted) + VELK_SJIS("件省略") + " ...";
    line += "  " + tx + (arrow.side == FrameRecord::kTx ? " --> " : " <-- ") + rx + "  " + arrow.name;
    if (!arrow.cause.empty()) line += "  " + arrow.cause;
    return line;
}

std::string LadderModel::Text(const std::string& tx, const std::string& rx) const {
    std::string out;
    for (const Arrow& a : arrows_) out += Line(a, tx, rx) + "\r\n";
    return out;
}
