#include "decode/RowText.h"

#include "decode/ChannelList.h"
#include "decode/Layer2Fields.h"
#include "decode/Layer3Fields.h"
#include "store/TraceText.h"

namespace {

// With layer 3, what its SAPI carries; a UI frame without layer 3 shows its
// TEI management message.
std::string Layer3Message(const FrameLayout& frame, const MessageCatalogue& catalogue) {
    if (Layer2Fields::HasLayer3(frame)) {
        switch (frame.SapiProtocol()) {
            case FrameLayout::kCallControl: return Layer3Fields::MessageTypeField(frame, catalogue);
            case FrameLayout::kPacket: return Layer3Fields::X25PacketField(frame, catalogue);
            default: return {};
        }
    }
    return frame.IsUIFrame() ? Layer2Fields::ManagementMessageField(frame, catalogue)
                             : std::string();
}

// The item of one column id but the data, without separators; empty when
// its condition fails or the id names no column.
std::string Item(int32_t column, const FrameLayout& frame, bool fcsGood, const MessageCatalogue& catalogue) {
    const FrameRecord& record = frame.Record();
    // Channel, numbers and call reference belong to Q.931 call control only.
    const bool callControl = fcsGood && Layer2Fields::HasLayer3(frame) &&
                             frame.SapiProtocol() == FrameLayout::kCallControl;
    switch (column) {
        case RowText::kCommandResponse:
            return fcsGood ? Layer2Fields::CommandResponseField(frame, catalogue) : std::string();
        case RowText::kCrc:
            return Layer2Fields::CrcField(fcsGood, catalogue);
        case RowText::kIndex:
            return "INDEX=" + TraceText::IndexText(record.Index());
        case RowText::kSapi:
            return fcsGood ? Layer2Fields::SapiField(frame, catalogue) : std::string();
        case RowText::kTei:
            return fcsGood ? Layer2Fields::TeiField(frame, catalogue) : std::string();
        case RowText::kCommand:
            return fcsGood ? Layer2Fields::CommandField(frame, catalogue) : std::string();
        case RowText::kTime:
            return Layer2Fields::TimeField(record);
        case RowText::kChannel:
            return callControl ? ChannelList::Field(frame) : std::string();
        case RowText::kLayer3Message:
            return fcsGood ? Layer3Message(frame, catalogue) : std::string();
        case RowText::kCallReference:
            return callControl ? Layer3Fields::CallReferenceField(frame) : std::string();
        case RowText::kCallingNumber:
            return callControl ? Layer3Fields::CallingNumberField(frame) : std::string();
        case RowText::kCalledNumber:
            return callControl ? Layer3Fields::CalledNumberField(frame) : std::string();
        default:
            return {};
    }
}

// The data, the longest item, goes straight into the row.
void AppendItem(std::string& out, int32_t column, const FrameLayout& frame, bool fcsGood,
                int split, const MessageCatalogue& catalogue) {
    if (column == RowText::kData) Layer2Fields::AppendData(out, frame.Record(), split);
    else out.append(Item(column, frame, fcsGood, catalogue));
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
    const FrameLayout frame(record);
    const size_t start = text.size();
    auto ends = [&](char c) { return text.size() > start && text.back() == c; };
    int32_t last = 0;
    for (int32_t column : options.columnOrder) {
        if (column == DisplayOptions::kEndOfColumns) break;
        last = column;
        if (column == kLineBreak) {
            if (text.size() > start && !ends('\n')) text.push_back('\n');
        } else {
            AppendItem(text, column, frame, fcsGood, options.dataSplit, catalogue);
        }
        if (text.size() > start && !ends('\n') && !ends(' ')) text.push_back(' ');
    }
    if (last != kLineBreak && ends('\n')) text.pop_back();
}
