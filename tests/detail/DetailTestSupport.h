#pragma once
// Frames, options and catalogues for the detail tests.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/DetailDecoder.h"
#include "decode/MessageCatalogue.h"
#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

namespace detailtest {

// Flags around the body and its FCS.
FrameRecord Frame(const std::vector<uint8_t>& body, uint8_t direction = FrameRecord::kTx);
// A SAPI 0 I frame with PD 0x08, the call reference octets (length octet
// first) and the message type, then the elements.
FrameRecord Q931(const std::vector<uint8_t>& callRef, uint8_t messageType,
                 const std::vector<uint8_t>& elements, uint8_t direction = FrameRecord::kTx);
// A SAPI 16 I frame carrying the packet.
FrameRecord X25(const std::vector<uint8_t>& packet, uint8_t direction = FrameRecord::kTx);

DisplayOptions Options(bool titles, bool icons, bool separators);
MessageCatalogue Catalogue(std::string_view utf8);
// The small catalogue most tests name their codes from.
const MessageCatalogue& Names();

// UTF-8 to CP932.
std::string S(std::string_view utf8);

// Items with titles off, so items[p] is the item of octet p; a fresh decoder.
std::vector<std::string> Items(const FrameRecord& record, const MessageCatalogue& catalogue,
                               bool icons = true, bool separators = false);
std::vector<std::string> Items(DetailDecoder& decoder, const FrameRecord& record,
                               const MessageCatalogue& catalogue, bool icons = true,
                               bool separators = false);

// Octets 1..n-1 of a Q931 frame start at this position of the first element.
constexpr int kFirstElement = 9;

}  // namespace detailtest
