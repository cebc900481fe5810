#pragma once
// The layer-3 texts of one frame: Q.931 header, X.25 packet type, channel
// list and the calling and called numbers. Each is a pure function of the
// record and the catalogue; a field whose octets are not in the frame is the
// empty text.
#include <string>

#include "decode/MessageCatalogue.h"
#include "store/FrameRecord.h"

class Layer3Fields {
public:
    using Catalogue = MessageCatalogue;
    static constexpr int kNoPacketKind = -1;

    // Octet at the message type position AND 0x7F, or kAbsent.
    static int MessageType(const FrameRecord& record);
    // "IF_X25_PTYPE:" key of the packet type identifier p (information field
    // octet 2) in the frame's direction; kNoPacketKind for identifiers that
    // have none.
    static int X25PacketKind(int p, bool rx);
    static int X25PacketKind(const FrameRecord& record);

    static std::string MessageTypeName(const FrameRecord& record, const Catalogue& catalogue);
    // "-" + message type name + "-"
    static std::string MessageTypeField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string ProtocolDiscriminator(const FrameRecord& record, const Catalogue& catalogue);
    static std::string CallRefLengthText(const FrameRecord& record);
    static std::string CallRefLengthName(const FrameRecord& record, const Catalogue& catalogue);
    static std::string CallRefFlag(const FrameRecord& record, const Catalogue& catalogue);
    static std::string CallReferenceField(const FrameRecord& record);
    // "-" + the packet kind name after its first "," + "-"
    static std::string X25PacketField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string CallingNumberField(const FrameRecord& record);
    static std::string CalledNumberField(const FrameRecord& record);
};
