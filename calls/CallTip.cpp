#include "calls/CallTip.h"

#include "calls/CallCsv.h"

namespace {

constexpr CallCsv::Column kShown[] = {
    CallCsv::kNumber,  CallCsv::kStartTime, CallCsv::kToAlerting,   CallCsv::kToConnect, CallCsv::kTalk,
    CallCsv::kCalling, CallCsv::kCalled,    CallCsv::kChannels,     CallCsv::kResult,    CallCsv::kClearingSide,
    CallCsv::kClearing, CallCsv::kCause,    CallCsv::kLocation,     CallCsv::kCauseName,
};

}  // namespace

std::string CallTip::Text(const CallRecord& call, const MessageCatalogue& catalogue) {
    std::string text, field;
    for (CallCsv::Column column : kShown) {
        field.clear();
        CallCsv::AppendField(field, column, call, catalogue);
        if (field.empty()) continue;
        if (!text.empty()) text += '\n';
        text += CallCsv::ColumnName(column) + ": " + field;
    }
    return text;
}
