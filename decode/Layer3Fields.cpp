#include "decode/Layer3Fields.h"

#include "base/Cp932.h"
#include "decode/FrameQueries.h"
#include "decode/PrintableOctet.h"

namespace {

constexpr int kAbsent = FrameRecord::kAbsent;
constexpr int kCallingNumber = 0x6C;
constexpr int kCalledNumber = 0x70;

std::string Dashed(std::string_view name) {
    std::string out;
    out.reserve(name.size() + 2);
    out.append("-").append(name).append("-");
    return out;
}

// Packet type identifiers whose kind is fixed, with their TX and RX kinds.
struct PacketKindRow {
    uint8_t identifier;
    int8_t tx;
    int8_t rx;
};
constexpr PacketKindRow kPacketKinds[] = {
    {0x0B, 0, 1},   {0x0F, 2, 3},   {0x13, 4, 5},   {0x17, 6, 7},   {0xFB, 8, 9},
    {0xFF, 10, 10}, {0x1B, 14, 15}, {0x1F, 16, 16}, {0x23, 17, 17}, {0x27, 18, 18},
};

// The digits of a number element follow octet 3 (and octet 3a, when octet 3
// has bit 7 clear and the element may carry one); the count comes from the
// length octet. Digits past the information field are not read.
std::string NumberField(const FrameRecord& record, int identifier, const std::string& prefix,
                        bool mayHaveOctet3a) {
    int element = FrameQueries::FindElement(record, identifier);
    int length = FrameQueries::ElementLength(record, element);
    if (length == kAbsent) return {};
    int count = length - 1;
    int first = element + 3;
    if (mayHaveOctet3a) {
        int octet3 = FrameQueries::ElementOctet(record, element, 3);
        if (octet3 == kAbsent) return {};
        if (!(octet3 & 0x80)) {
            ++first;
            --count;
        }
    }
    if (count <= 0 || record.BodyByte(first) == kAbsent) return {};
    std::string out = prefix;
    out.push_back('"');
    for (int p = first, octet; p < first + count && (octet = record.BodyByte(p)) != kAbsent; ++p)
        PrintableOctet::Append(out, static_cast<uint8_t>(octet));
    out.push_back('"');
    return out;
}

}  // namespace

int Layer3Fields::MessageType(const FrameRecord& record) {
    int octet = record.BodyByte(record.MessageTypeOffset());
    return octet == kAbsent ? kAbsent : octet & 0x7F;
}

int Layer3Fields::X25PacketKind(int p, bool rx) {
    for (const auto& row : kPacketKinds)
        if (row.identifier == p) return rx ? row.rx : row.tx;
    if (!(p & 0x01)) return 11;
    if ((p & 0x1F) == 0x01) return 12;
    if ((p & 0x1F) == 0x05) return 13;
    return kNoPacketKind;
}

int Layer3Fields::X25PacketKind(const FrameRecord& record) {
    int p = FrameQueries::InfoOctet(record, 2);
    return p == kAbsent ? kNoPacketKind : X25PacketKind(p, record.IsRx());
}

std::string Layer3Fields::MessageTypeName(const FrameRecord& record, const Catalogue& catalogue) {
    int type = MessageType(record);
    if (type == kAbsent) return {};
    return catalogue.Lookup(Catalogue::IF_MESSAGE, static_cast<uint8_t>(type));
}

std::string Layer3Fields::MessageTypeField(const FrameRecord& record, const Catalogue& catalogue) {
    int type = MessageType(record);
    if (type == kAbsent) return {};
    return Dashed(catalogue.Lookup(Catalogue::IF_MESSAGE, static_cast<uint8_t>(type)));
}

std::string Layer3Fields::ProtocolDiscriminator(const FrameRecord& record,
                                                const Catalogue& catalogue) {
    int pd = FrameQueries::InfoOctet(record, 0);
    if (pd == kAbsent) return {};
    return VELK_SJIS("ﾌﾟﾛﾄｺﾙ識別子=") +
           catalogue.Lookup(Catalogue::IF_PROTOCOL, static_cast<uint8_t>(pd));
}

std::string Layer3Fields::CallRefLengthText(const FrameRecord& record) {
    int length = record.CallRefLength();
    if (length == kAbsent) return {};
    return VELK_SJIS("呼番号長=") + std::to_string(length);
}

std::string Layer3Fields::CallRefLengthName(const FrameRecord& record,
                                            const Catalogue& catalogue) {
    int length = record.CallRefLength();
    if (length == kAbsent) return {};
    return catalogue.Lookup(Catalogue::IF_CALLNUMLEN, static_cast<uint8_t>(length));
}

std::string Layer3Fields::CallRefFlag(const FrameRecord& record, const Catalogue& catalogue) {
    int octet = FrameQueries::InfoOctet(record, 2);
    if (octet == kAbsent) return {};
    return VELK_SJIS("呼番号ﾌﾗｸﾞ=") +
           catalogue.Lookup(Catalogue::IF_CALLNUMFLG, (octet & 0x80) ? 0x01 : 0x00);
}

std::string Layer3Fields::CallReferenceField(const FrameRecord& record) {
    int value = record.CallReference();
    if (value == FrameRecord::kNoCallReference) return {};
    if (value == FrameRecord::kDummyCallReference) return VELK_SJIS("呼番号=ﾀﾞﾐｰ");
    return VELK_SJIS("呼番号=") + std::to_string(value);
}

std::string Layer3Fields::X25PacketField(const FrameRecord& record, const Catalogue& catalogue) {
    int kind = X25PacketKind(record);
    if (kind == kNoPacketKind) return {};
    std::string_view name = catalogue.Lookup(Catalogue::IF_X25_PTYPE, static_cast<uint8_t>(kind));
    size_t comma = name.find(',');
    return Dashed(comma == std::string_view::npos ? name : name.substr(comma + 1));
}

std::string Layer3Fields::CallingNumberField(const FrameRecord& record) {
    return NumberField(record, kCallingNumber, VELK_SJIS("発番号="), true);
}

std::string Layer3Fields::CalledNumberField(const FrameRecord& record) {
    return NumberField(record, kCalledNumber, VELK_SJIS("着番号="), false);
}
