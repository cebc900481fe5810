#pragma once
// Frames and catalogues for the decoder tests.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Cp932.h"
#include "decode/MessageCatalogue.h"
#include "store/FrameRecord.h"

namespace testframes {

// Flags around the body and its FCS; a wrong FCS when goodFcs is false.
inline FrameRecord Frame(const std::vector<uint8_t>& body, uint8_t direction = FrameRecord::kTx,
                         bool goodFcs = true) {
    uint16_t crc = 0xFFFF;
    for (uint8_t octet : body) {
        crc ^= octet;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    crc ^= 0xFFFF;
    if (!goodFcs) crc ^= 0x0101;
    std::vector<uint8_t> bytes{0x7E};
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.push_back(static_cast<uint8_t>(crc & 0xFF));
    bytes.push_back(static_cast<uint8_t>(crc >> 8));
    bytes.push_back(0x7E);
    FrameRecord r(direction);
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

// A Q.931 I frame on SAPI 0, TEI 0, from the user side: PD 0x08, a one-octet
// call reference, the message type and the elements.
inline FrameRecord Q931(uint8_t messageType, const std::vector<uint8_t>& elements,
                        uint8_t direction = FrameRecord::kTx) {
    std::vector<uint8_t> body{0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, messageType};
    body.insert(body.end(), elements.begin(), elements.end());
    return Frame(body, direction);
}

// A catalogue from UTF-8 text.
inline MessageCatalogue Catalogue(std::string_view utf8) {
    MessageCatalogue c;
    c.LoadText(Cp932::FromUtf8(utf8));
    return c;
}

inline std::string Sjis(std::string_view utf8) { return Cp932::FromUtf8(utf8); }

}  // namespace testframes
