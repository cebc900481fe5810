#include "decode/Layer3Fields.h"

#include "base/Cp932.h"
#include "decode/FrameQueries.h"
#include "decode/PrintableOctet.h"
#include "decode/X25PacketKind.h"

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

// The digits of a number element follow octet 3 (and octet 3a, when octet 3
// has bit 7 clear and the element may carry one); the count comes from the
// length octet. Digits past the information field are not read.
std::string NumberField(const FrameLayout& frame, int identifier, const std::string& prefix,
                        bool mayHaveOctet3a) {
    int element = FrameQueries::FindElement(frame, identifier);
    int length = FrameQueries::ElementLength(frame, element);
    if (length == kAbsent) return {};
    int count = length - 1;
    int first = element + 3;
    if (mayHaveOctet3a) {
        int octet3 = FrameQueries::ElementOctet(frame, element, 3);
        if (octet3 == kAbsent) return {};
        if (!(octet3 & 0x80)) {
            ++first;
            --count;
        }
    }
    if (count <= 0 || frame.BodyByte(first) == kAbsent) return {};
    std::string out = prefix;
    out.push_back('"');
    for (int p = first, octet; p < first + count && (octet = frame.BodyByte(p)) != kAbsent; ++p)
        PrintableOctet::Append(out, static_cast<uint8_t>(octet));
    out.push_back('"');
    return out;
}

}  // namespace

int Layer3Fields::MessageType(const FrameLayout& frame) {
    int octet = frame.BodyByte(frame.MessageTypeOffset());
    return octet == kAbsent ? kAbsent : octet & 0x7F;
}

std::string Layer3Fields::MessageTypeName(const FrameLayout& frame, const Catalogue& catalogue) {
    int type = MessageType(frame);
    if (type == kAbsent) return {};
    return catalogue.Lookup(Catalogue::IF_MESSAGE, static_cast<uint8_t>(type));
}

std::string Layer3Fields::MessageTypeField(const FrameLayout& frame, const Catalogue& catalogue) {
    int type = MessageType(frame);
    if (type == kAbsent) return {};
    return Dashed(catalogue.Lookup(Catalogue::IF_MESSAGE, static_cast<uint8_t>(type)));
}

std::string Layer3Fields::ProtocolDiscriminator(const FrameLayout& frame,
                                                const Catalogue& catalogue) {
    int pd = frame.InfoOctet(0);
    if (pd == kAbsent) return {};
    return VELK_SJIS("ﾌﾟﾛﾄｺﾙ識別子=") +
           catalogue.Lookup(Catalogue::IF_PROTOCOL, static_cast<uint8_t>(pd));
}

std::string Layer3Fields::CallRefLengthText(const FrameLayout& frame) {
    int length = frame.CallRefLength();
    if (length == kAbsent) return {};
    return VELK_SJIS("呼番号長=") + std::to_string(length);
}

std::string Layer3Fields::CallRefFlag(const FrameLayout& frame, const Catalogue& catalogue) {
    int octet = frame.InfoOctet(2);
    if (octet == kAbsent) return {};
    return VELK_SJIS("呼番号ﾌﾗｸﾞ=") +
           catalogue.Lookup(Catalogue::IF_CALLNUMFLG, (octet & 0x80) ? 0x01 : 0x00);
}

std::string Layer3Fields::CallReferenceField(const FrameLayout& frame) {
    int value = frame.CallReference();
    if (value == FrameLayout::kNoCallReference) return {};
    if (value == FrameLayout::kDummyCallReference) return VELK_SJIS("呼番号=ﾀﾞﾐｰ");
    return VELK_SJIS("呼番号=") + std::to_string(value);
}

std::string Layer3Fields::X25PacketField(const FrameLayout& frame, const Catalogue& catalogue) {
    const X25PacketKind::Kind kind = X25PacketKind::Of(frame);
    if (kind == X25PacketKind::kNone) return {};
    std::string_view name = catalogue.Lookup(Catalogue::IF_X25_PTYPE, static_cast<uint8_t>(kind));
    size_t comma = name.find(',');
    return Dashed(comma == std::string_view::npos ? name : name.substr(comma + 1));
}

std::string Layer3Fields::CallingNumberField(const FrameLayout& frame) {
    return NumberField(frame, kCallingNumber, VELK_SJIS("発番号="), true);
}

std::string Layer3Fields::CalledNumberField(const FrameLayout& frame) {
    return NumberField(frame, kCalledNumber, VELK_SJIS("着番号="), false);
}
