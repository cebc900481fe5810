#pragma once
// The detail of one frame: one item per octet from the opening to the
// closing flag, with category title items between the fields of the frame.
// Layer 2, TEI management and the layer-3 header are written here; element
// octets go to the element decoders, SAPI 16 information to the X.25 decoder.
#include <cstdint>
#include <string>
#include <vector>

#include "decode/FacilityState.h"
#include "decode/MessageCatalogue.h"
#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

class DetailDecoder {
public:
    enum FieldKind : uint8_t {
        kNoKind,  // before the first octet
        kOpeningFlag, kAddress, kControl, kProtocol, kCallRefLength, kCallRefValue,
        kMessageType, kManagement, kPacket, kElement, kFcs, kClosingFlag, kUnclassified,
    };
    struct OctetClass {
        FieldKind kind = kUnclassified;
        int offset = 0;  // inside the field; for element octets, inside the element
    };

    DetailDecoder() = default;

    // The decoder of the program's windows and exports; its facility state
    // lives as long as the program.
    static DetailDecoder& Program();

    // Replaces items with the items of record, reusing their strings'
    // storage.
    void Build(const FrameRecord& record, const DisplayOptions& options,
               const MessageCatalogue& catalogue, std::vector<std::string>& items);
    // Appends the items of record to text, one after the other, and the end
    // of each in text to ends: an export decodes millions of items.
    void Append(const FrameRecord& record, const DisplayOptions& options,
                const MessageCatalogue& catalogue, std::string& text, std::vector<uint32_t>& ends);

    FacilityState& Facility() { return facility_; }
    void ResetFacility() { facility_.Reset(); }

    static OctetClass ClassifyOctet(const FrameRecord& record, int position);

private:
    FacilityState facility_;
    // The items of the last Build, before they are split.
    std::string text_;
    std::vector<uint32_t> ends_;
};
