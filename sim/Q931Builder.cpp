#include "sim/Q931Builder.h"

namespace {

// Information element identifiers (codeset 0).
enum ElementId : uint8_t {
    kBearerCapabilityId = 0x04,
    kCauseId = 0x08,
    kCallStateId = 0x14,
    kChannelIdentificationId = 0x18,
    kFacilityId = 0x1C,
    kProgressIndicatorId = 0x1E,
    kKeypadId = 0x2C,
    kCallingPartyNumberId = 0x6C,
    kCalledPartyNumberId = 0x70,
    kHighLayerCompatibilityId = 0x7D,
    kSendingCompleteId = 0xA1,
};

constexpr uint8_t kProtocolDiscriminator = 0x08;
// Type of number national, numbering plan ISDN/telephony (E.164).
constexpr uint8_t kNationalIsdn = 0x21;
// Coding standard ITU-T in the upper bits of the first content octet.
constexpr uint8_t kExtItu = 0x80;

// BER helpers for facility components: tag, length, content.
void PutTlv(std::vector<uint8_t>& out, uint8_t tag, const std::vector<uint8_t>& content) {
    out.push_back(tag);
    out.push_back(static_cast<uint8_t>(content.size()));
    out.insert(out.end(), content.begin(), content.end());
}

std::vector<uint8_t> Integer(uint32_t value) {
    std::vector<uint8_t> v;
    // Minimal two's complement: no leading zero octet unless the sign bit needs it.
    int bytes = 1;
    while (bytes < 4 && (value >> (8 * bytes - 1)) != 0) ++bytes;
    if (bytes == 4 && (value >> 31) != 0) v.push_back(0);
    for (int i = bytes - 1; i >= 0; --i) v.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return v;
}

}  // namespace

void Q931Builder::Begin(std::vector<uint8_t>& out, int crLength, uint16_t crValue,
                        bool fromDestination, uint8_t messageType) {
    out_ = &out;
    out.clear();
    out.push_back(kProtocolDiscriminator);
    out.push_back(static_cast<uint8_t>(crLength & 0x0F));
    uint8_t flag = fromDestination ? 0x80 : 0x00;
    if (crLength == 1) {
        out.push_back(static_cast<uint8_t>(flag | (crValue & 0x7F)));
    } else if (crLength == 2) {
        out.push_back(static_cast<uint8_t>(flag | ((crValue >> 8) & 0x7F)));
        out.push_back(static_cast<uint8_t>(crValue & 0xFF));
    }
    out.push_back(messageType);
}

void Q931Builder::Element(uint8_t id, const uint8_t* content, size_t n) {
    out_->push_back(id);
    out_->push_back(static_cast<uint8_t>(n));
    out_->insert(out_->end(), content, content + n);
}

void Q931Builder::ElementDigits(uint8_t id, const uint8_t* head, size_t headLength,
                                std::string_view digits) {
    out_->push_back(id);
    out_->push_back(static_cast<uint8_t>(headLength + digits.size()));
    out_->insert(out_->end(), head, head + headLength);
    for (char c : digits) out_->push_back(static_cast<uint8_t>(c & 0x7F));
}

void Q931Builder::BearerCapability(bool speech) {
    if (speech) {
        // Speech, circuit mode 64 kbit/s, layer 1 G.711 mu-law.
        static const uint8_t kSpeech[] = {kExtItu | 0x00, 0x90, 0xA2};
        Element(kBearerCapabilityId, kSpeech, sizeof kSpeech);
    } else {
        // Unrestricted digital information, circuit mode 64 kbit/s.
        static const uint8_t kDigital[] = {kExtItu | 0x08, 0x90};
        Element(kBearerCapabilityId, kDigital, sizeof kDigital);
    }
}

void Q931Builder::ChannelIdentification(int channel) {
    // Octet 3: interface implicit, type primary rate, exclusive, channel as
    // indicated; 3.2: ITU coding, number, B-channel units; 3.3: the number.
    const uint8_t content[] = {0xA9, 0x83, static_cast<uint8_t>(0x80 | (channel & 0x7F))};
    Element(kChannelIdentificationId, content, sizeof content);
}

void Q931Builder::CallingPartyNumber(std::string_view digits, uint8_t presentationScreening) {
    const uint8_t head[] = {kNationalIsdn, static_cast<uint8_t>(0x80 | (presentationScreening & 0x63))};
    ElementDigits(kCallingPartyNumberId, head, sizeof head, digits);
}

void Q931Builder::CalledPartyNumber(std::string_view digits) {
    const uint8_t head[] = {static_cast<uint8_t>(0x80 | kNationalIsdn)};
    ElementDigits(kCalledPartyNumberId, head, sizeof head, digits);
}

void Q931Builder::Cause(uint8_t location, uint8_t cause) {
    const uint8_t content[] = {static_cast<uint8_t>(kExtItu | (location & 0x0F)),
                               static_cast<uint8_t>(0x80 | (cause & 0x7F))};
    Element(kCauseId, content, sizeof content);
}

void Q931Builder::CallState(uint8_t state) {
    const uint8_t content[] = {static_cast<uint8_t>(state & 0x3F)};
    Element(kCallStateId, content, sizeof content);
}

void Q931Builder::ProgressIndicator(uint8_t location, uint8_t description) {
    const uint8_t content[] = {static_cast<uint8_t>(kExtItu | (location & 0x0F)),
                               static_cast<uint8_t>(0x80 | (description & 0x7F))};
    Element(kProgressIndicatorId, content, sizeof content);
}

void Q931Builder::Keypad(std::string_view digits) {
    ElementDigits(kKeypadId, nullptr, 0, digits);
}

void Q931Builder::HighLayerTelephony() {
    // ITU coding, first high layer characteristics identification; telephony.
    static const uint8_t kTelephony[] = {0x91, 0x81};
    Element(kHighLayerCompatibilityId, kTelephony, sizeof kTelephony);
}

void Q931Builder::SendingComplete() { out_->push_back(kSendingCompleteId); }

void Q931Builder::Facility(const std::vector<uint8_t>& component) {
    out_->push_back(kFacilityId);
    out_->push_back(static_cast<uint8_t>(1 + component.size()));
    out_->push_back(0x91);  // protocol profile: remote operations protocol
    out_->insert(out_->end(), component.begin(), component.end());
}

std::vector<uint8_t> Q931Builder::AocInvoke(uint8_t invokeId, uint8_t operation, uint32_t units) {
    // invoke [1] { invokeID INTEGER, operationValue INTEGER,
    //              argument SEQUENCE { recordedUnits INTEGER } }
    std::vector<uint8_t> argument;
    PutTlv(argument, 0x02, Integer(units));
    std::vector<uint8_t> body;
    PutTlv(body, 0x02, Integer(invokeId));
    PutTlv(body, 0x02, Integer(operation));
    PutTlv(body, 0x30, argument);
    std::vector<uint8_t> component;
    PutTlv(component, 0xA1, body);
    return component;
}
