#include "decode/RowText.h"

#include "decode/ChannelList.h"
#include "decode/Layer2Fields.h"
#include "decode/Layer3Fields.h"
#include "store/TraceText.h"

namespace {

// Q.931 message on SAPI 0, X.25 packet on SAPI 16; a UI frame without layer
// 3 shows its TEI management message.
std::string Layer3Message(const FrameRecord& record, const MessageCatalogue& catalogue) {
    if (Layer2Fields::HasLayer3(record)) {
        int sapi = record.Sapi();
        if (sapi == 0) return Layer3Fields::MessageTypeField(record, catalogue);
        if (sapi == 16) return Layer3Fields::X25PacketField(record, catalogue);
        return {};
    }
    return record.IsUIFrame() ? Layer2Fields::ManagementMessageField(record, catalogue)
                              : std::string();
}

void AppendItem(std::string& out, int32_t column, const FrameRecord& record, bool fcsGood,
                int split, const MessageCatalogue& catalogue) {
    if (column == RowText::kData) {
        Layer2Fields::AppendData(out, record, split);
        return;
    }
    out.append(RowText::Item(column, record, fcsGood, split, catalogue));
}

}  // namespace

void RowText::BuildRowText(const FrameRecord& record, std::string& text,
                           const DisplayOptions& options, bool fcsGood) {
    BuildRowText(record, text, options, fcsGood, MessageCatalogue::Program());
}

// The separator rules look only at this row's part of text.
void RowText::BuildRowText(const FrameRecord& record, std::string& text,
                           const DisplayOptions& options, bool fcsGood,
                           const MessageCatalogue& catalogue) {
    const size_t start = text.size();
    auto ends = [&](char c) { return text.size() > start && text.back() == c; };
    bool any = false;
    int32_t last = 0;
    for (int32_t column : options.columnOrder) {
        if (column == DisplayOptions::kEndOfColumns) break;
        any = true;
        last = column;
        if (column == kLineBreak) {
            if (text.size() > start && !ends('\n')) text.push_back('\n');
        } else {
            AppendItem(text, column, record, fcsGood, options.dataSplit, catalogue);
        }
        if (text.size() > start && !ends('\n') && !ends(' ')) text.push_back(' ');
    }
    if (any && last != kLineBreak && ends('\n')) text.pop_back();
}

std::string RowText::Item(int32_t column, const FrameRecord& record, bool fcsGood,
                          int dataSplit, const MessageCatalogue& catalogue) {
    bool layer3 = fcsGood && Layer2Fields::HasLayer3(record);
    // Channel, numbers and call reference belong to Q.931 call control only.
    bool callControl = layer3 && record.Sapi() == 0;
    switch (column) {
        case kCommandResponse:
            return fcsGood ? Layer2Fields::CommandResponseField(record, catalogue) : std::string();
        case kCrc:
            return Layer2Fields::CrcField(fcsGood, catalogue);
        case kIndex:
            return "INDEX=" + TraceText::IndexText(record.Index());
        case kSapi:
            return fcsGood ? Layer2Fields::SapiField(record, catalogue) : std::string();
        case kTei:
            return fcsGood ? Layer2Fields::TeiField(record, catalogue) : std::string();
        case kCommand:
            return fcsGood ? Layer2Fields::CommandField(record, catalogue) : std::string();
        case kTime:
            return Layer2Fields::TimeField(record);
        case kChannel:
            return callControl ? ChannelList::Field(record) : std::string();
        case kData: {
            std::string out;
            Layer2Fields::AppendData(out, record, dataSplit);
            return out;
        }
        case kLayer3Message:
            return fcsGood ? Layer3Message(record, catalogue) : std::string();
        case kCallReference:
            return callControl ? Layer3Fields::CallReferenceField(record) : std::string();
        case kCallingNumber:
            return callControl ? Layer3Fields::CallingNumberField(record) : std::string();
        case kCalledNumber:
            return callControl ? Layer3Fields::CalledNumberField(record) : std::string();
        default:
            return {};
    }
}
