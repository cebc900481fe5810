// Any frame of up to 300 octets under any display options: the row text and
// every summary field stay inside the frame, and no octet can break a line
// or put a control character into the row.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "decode/ChannelList.h"
#include "decode/Layer2Fields.h"
#include "decode/Layer3Fields.h"
#include "decode/RowText.h"

namespace {

const MessageCatalogue& Names() {
    static const MessageCatalogue c = [] {
        MessageCatalogue m;
        m.LoadText(
            "AF_SAPI:\n0x00=\"CC\"\n0x10=\"PKT\"\n0x3F=\"MGT\"\n"
            "AF_TEI:\n0x00-0x3F=\"fixed\"\n0x40-0x7E=\"auto\"\n"
            "AF_UCR:\n0x00=\"C\"\n0x02=\"R\"\n"
            "CF_FRAME:\n0x00=\"I\"\n0x01=\"RR\"\n0x6F=\"SABME\"\n0x03=\"UI\"\n"
            "CF_PF:\n0x00=\"0\"\n0x01=\"1\"\n"
            "IF_L2MG_MSG:\n0x01-0x07=\"TEI\"\n"
            "IF_L2MG_AI3:\n0x00-0xFF=\"any\"\n"
            "IF_PROTOCOL:\n0x08=\"Q.931\"\n"
            "IF_CALLNUMFLG:\n0x00=\"o\"\n0x01=\"d\"\n"
            "IF_CALLNUMLEN:\n0x02=\"two\"\n"
            "IF_MESSAGE:\n0x05=\"SETUP\"\n0x5A=\"\x83\x8A\x83\x8A\x81\x5B\x83\x58\"\n"
            "IF_X25_PTYPE:\n0x00=\"CALL,REQ\"\n0x0B=\",\"\n0x0C=\"RR,\"\n"
            "CRC:\n0x00=\"OK\"\n0x01=\"NG\"\n");
        return m;
    }();
    return c;
}

void CheckText(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 && c != '\n') abort();
}

}  // namespace

// Input: flags, data split, column count, the column ids, then the frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    uint8_t flags = data[0];
    DisplayOptions options;
    options.columnOrder.fill(DisplayOptions::kEndOfColumns);
    options.dataSplit = static_cast<int8_t>(data[1]);
    size_t columns = std::min<size_t>(data[2] % 51, size - 3);
    for (size_t i = 0; i < columns; ++i) {
        uint8_t b = data[3 + i];
        options.columnOrder[i] = b < 0xF0 ? b % 16 : static_cast<int8_t>(b);
    }
    size_t at = 3 + columns;
    size_t n = std::min<size_t>(size - at, 300);

    FrameRecord record(flags & 0x01);
    record.SetBytes(data + at, n);
    record.SetIndex(static_cast<int32_t>(flags) * 1000);
    bool fcsGood = (flags & 0x02) ? true : (flags & 0x04) ? false : record.CheckCrc();

    std::string row = "x";
    RowText::BuildRowText(record, row, options, fcsGood, Names());
    CheckText(row);
    if (row.size() > 1 && row[1] == '\n') abort();
    if (row.find("\n\n") != std::string::npos) abort();

    const MessageCatalogue& c = Names();
    std::string fields[] = {
        Layer2Fields::SendSequenceField(record),
        Layer2Fields::ReceiveSequenceField(record),
        Layer2Fields::PollFinalField(record, c),
        Layer2Fields::ManagementMessageType(record, c),
        Layer2Fields::ActionIndicator(record, c),
        Layer3Fields::ProtocolDiscriminator(record, c),
        Layer3Fields::CallRefLengthText(record),
        Layer3Fields::CallRefFlag(record, c),
        Layer3Fields::MessageTypeName(record, c),
        Layer3Fields::X25PacketField(record, c),
        Layer3Fields::CallingNumberField(record),
        Layer3Fields::CalledNumberField(record),
        ChannelList::Field(record),
    };
    for (const std::string& f : fields) CheckText(f);
    return 0;
}
