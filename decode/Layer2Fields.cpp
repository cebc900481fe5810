#include "decode/Layer2Fields.h"

#include <charconv>

#include "base/Cp932.h"
#include "base/Hex.h"

namespace {

constexpr int kAbsent = FrameRecord::kAbsent;

void AppendNamed(std::string& out, std::string_view prefix, const std::string& name) {
    out.append(prefix).append(name);
}

void AppendNumbered(std::string& out, std::string_view prefix, int value) {
    if (value == kAbsent) return;
    char digits[12];
    out.append(prefix).append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

std::string Named(std::string_view prefix, const std::string& name) {
    std::string out;
    AppendNamed(out, prefix, name);
    return out;
}

// The text an Append function of the fields appends to an empty string.
template <typename Append>
std::string TextOf(Append append) {
    std::string out;
    append(out);
    return out;
}

}  // namespace

bool Layer2Fields::HasLayer3(const FrameLayout& frame) {
    return frame.IsIFrame() || (frame.IsUIFrame() && frame.SapiProtocol() == FrameLayout::kCallControl);
}

bool Layer2Fields::IsCommand(const FrameLayout& frame) {
    int address = frame.BodyByte(FrameLayout::kAddressOffset);
    if (address == kAbsent) return false;
    bool cr = (address & 0x02) != 0;
    return frame.Record().IsRx() ? cr : !cr;
}

int Layer2Fields::Tei(const FrameLayout& frame) {
    int control = frame.ControlOffset();
    if (control == kAbsent) return kAbsent;
    int octet = frame.BodyByte(control - 1);
    return octet == kAbsent ? kAbsent : octet >> 1;
}

int Layer2Fields::FrameTypeCode(const FrameLayout& frame) {
    int control = frame.FirstControlOctet();
    if (control == kAbsent) return kAbsent;
    if (frame.IsIFrame()) return control & 0x01;
    if (frame.IsUFrame()) return control & 0xEF;
    return control & 0x0F;
}

int Layer2Fields::SendSequence(const FrameLayout& frame) {
    if (!frame.IsIFrame()) return kAbsent;
    return frame.FirstControlOctet() >> 1;
}

int Layer2Fields::ReceiveSequence(const FrameLayout& frame) {
    if (!frame.IsIFrame() && !frame.IsSFrame()) return kAbsent;
    int second = frame.BodyByte(frame.ControlOffset() + 1);
    return second == kAbsent ? kAbsent : second >> 1;
}

int Layer2Fields::PollFinalBit(const FrameLayout& frame) {
    int control = frame.ControlOffset();
    if (frame.IsUFrame()) return (frame.BodyByte(control) & 0x10) ? 1 : 0;
    if (!frame.IsIFrame() && !frame.IsSFrame()) return kAbsent;
    int second = frame.BodyByte(control + 1);
    return second == kAbsent ? kAbsent : (second & 0x01);
}

void Layer2Fields::AppendSapiField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue) {
    int sapi = frame.Sapi();
    if (sapi == kAbsent) return;
    AppendNamed(out, "SAPI=", catalogue.Lookup(Catalogue::AF_SAPI, static_cast<uint8_t>(sapi)));
}

std::string Layer2Fields::SapiField(const FrameLayout& frame, const Catalogue& catalogue) {
    return TextOf([&](std::string& out) { AppendSapiField(out, frame, catalogue); });
}

void Layer2Fields::AppendTeiField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue) {
    int tei = Tei(frame);
    if (tei == kAbsent) return;
    AppendNamed(out, "TEI=", catalogue.Lookup(Catalogue::AF_TEI, static_cast<uint8_t>(tei)));
}

std::string Layer2Fields::TeiField(const FrameLayout& frame, const Catalogue& catalogue) {
    return TextOf([&](std::string& out) { AppendTeiField(out, frame, catalogue); });
}

void Layer2Fields::AppendCommandResponseField(std::string& out, const FrameLayout& frame,
                                              const Catalogue& catalogue) {
    if (frame.BodyByte(FrameLayout::kAddressOffset) == kAbsent) return;
    // Keyed by the C/R bit a TX frame would carry.
    uint8_t key = IsCommand(frame) ? 0x00 : 0x02;
    AppendNamed(out, "C/R=", catalogue.Lookup(Catalogue::AF_UCR, key));
}

std::string Layer2Fields::CommandResponseField(const FrameLayout& frame,
                                               const Catalogue& catalogue) {
    return TextOf([&](std::string& out) { AppendCommandResponseField(out, frame, catalogue); });
}

void Layer2Fields::AppendFrameTypeName(std::string& out, const FrameLayout& frame, const Catalogue& catalogue) {
    int code = FrameTypeCode(frame);
    if (code == kAbsent) return;
    out.append(catalogue.Lookup(Catalogue::CF_FRAME, static_cast<uint8_t>(code)));
}

std::string Layer2Fields::FrameTypeName(const FrameLayout& frame, const Catalogue& catalogue) {
    return TextOf([&](std::string& out) { AppendFrameTypeName(out, frame, catalogue); });
}

std::string Layer2Fields::CommandField(const FrameLayout& frame, const Catalogue& catalogue) {
    int code = FrameTypeCode(frame);
    if (code == kAbsent) return {};
    const std::string& name = catalogue.Lookup(Catalogue::CF_FRAME, static_cast<uint8_t>(code));
    std::string out;
    out.reserve(name.size() + 2);
    out.append("[").append(name).append("]");
    return out;
}

// Without N(S) (an S or U frame) only the prefix; without a control octet nothing.
void Layer2Fields::AppendSendSequenceField(std::string& out, const FrameLayout& frame) {
    if (FrameTypeCode(frame) == kAbsent) return;
    const std::string& prefix = VELK_SJIS("送信ｼｰｹﾝｽ番号=");
    if (frame.IsIFrame()) AppendNumbered(out, prefix, SendSequence(frame));
    else out.append(prefix);
}

std::string Layer2Fields::SendSequenceField(const FrameLayout& frame) {
    return TextOf([&](std::string& out) { AppendSendSequenceField(out, frame); });
}

void Layer2Fields::AppendReceiveSequenceField(std::string& out, const FrameLayout& frame) {
    if (FrameTypeCode(frame) == kAbsent) return;
    const std::string& prefix = VELK_SJIS("受信ｼｰｹﾝｽ番号=");
    if (frame.IsUFrame()) out.append(prefix);
    else AppendNumbered(out, prefix, ReceiveSequence(frame));
}

std::string Layer2Fields::ReceiveSequenceField(const FrameLayout& frame) {
    return TextOf([&](std::string& out) { AppendReceiveSequenceField(out, frame); });
}

void Layer2Fields::AppendPollFinalField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue) {
    int bit = PollFinalBit(frame);
    if (bit == kAbsent) return;
    bool final = !frame.IsIFrame() && !IsCommand(frame);
    const std::string& prefix = final ? VELK_SJIS("ﾌｧｲﾅﾙ=") : VELK_SJIS("ﾎﾟｰﾙ=");
    AppendNamed(out, prefix, catalogue.Lookup(Catalogue::CF_PF, static_cast<uint8_t>(bit)));
}

std::string Layer2Fields::PollFinalField(const FrameLayout& frame, const Catalogue& catalogue) {
    return TextOf([&](std::string& out) { AppendPollFinalField(out, frame, catalogue); });
}

void Layer2Fields::AppendCrcField(std::string& out, bool crcGood, const Catalogue& catalogue) {
    AppendNamed(out, "CRC=", catalogue.Lookup(Catalogue::CRC, crcGood ? 0x00 : 0x01));
}

std::string Layer2Fields::CrcField(bool crcGood, const Catalogue& catalogue) {
    return TextOf([&](std::string& out) { AppendCrcField(out, crcGood, catalogue); });
}

std::string Layer2Fields::TimeField(const FrameRecord& record) {
    return "TIME=" + record.Time().Format();
}

void Layer2Fields::AppendData(std::string& out, const FrameRecord& record, int split) {
    const uint8_t* bytes = record.Bytes();
    const size_t n = record.Length();
    out.reserve(out.size() + 3 * n + (split > 0 ? n / static_cast<size_t>(split) : 0));
    for (size_t i = 0; i < n; ++i) {
        if (split > 0 && i > 0 && i % static_cast<size_t>(split) == 0) out.push_back('\n');
        Hex::AppendOctet(out, bytes[i]);
        out.push_back(' ');
    }
}

std::string Layer2Fields::ManagementMessageField(const FrameLayout& frame,
                                                 const Catalogue& catalogue) {
    int type = frame.InfoOctet(3);
    if (type == kAbsent) return {};
    const std::string& name = catalogue.Lookup(Catalogue::IF_L2MG_MSG, static_cast<uint8_t>(type));
    std::string out;
    out.reserve(name.size() + 2);
    out.append("-").append(name).append("-");
    return out;
}

std::string Layer2Fields::ManagementMessageType(const FrameLayout& frame,
                                                const Catalogue& catalogue) {
    int type = frame.InfoOctet(3);
    if (type == kAbsent) return {};
    return Named(VELK_SJIS("ﾒｯｾｰｼﾞ種別="),
                 catalogue.Lookup(Catalogue::IF_L2MG_MSG, static_cast<uint8_t>(type)));
}

// The section follows the message type: 1..7 select "IF_L2MG_AI1:".."IF_L2MG_AI7:".
std::string Layer2Fields::ActionIndicator(const FrameLayout& frame, const Catalogue& catalogue) {
    int type = frame.InfoOctet(3);
    if (type == kAbsent) return {};
    const std::string& prefix = VELK_SJIS("動作表示=");
    if (type < 1 || type > 7) return prefix;
    int action = frame.InfoOctet(4);
    if (action == kAbsent) return {};
    auto section = static_cast<Catalogue::Section>(Catalogue::IF_L2MG_AI1 + type - 1);
    return Named(prefix, catalogue.Lookup(section, static_cast<uint8_t>(action >> 1)));
}
