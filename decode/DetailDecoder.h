#pragma once
// The detail of one frame: one item per octet from the opening to the
// closing flag, with category title items between the fields of the frame.
// Layer 2, TEI management and the layer-3 header are written here; element
// octets go to the element decoders, SAPI 16 information to the X.25 decoder.
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
    // storage: an export decodes thousands of frames of a few dozen items.
    void Build(const FrameRecord& record, const DisplayOptions& options,
               const MessageCatalogue& catalogue, std::vector<std::string>& items);

    FacilityState& Facility() { return facility_; }
    void ResetFacility() { facility_.Reset(); }

    static OctetClass ClassifyOctet(const FrameRecord& record, int position);
    // The title of a field kind (CP932), or "" for kinds without one.
    static const std::string& Title(FieldKind kind);

private:
    FacilityState facility_;
    // Strings of items dropped by a shorter frame, for a longer one.
    std::vector<std::string> spare_;
};
