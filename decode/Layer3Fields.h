#pragma once
// The layer-3 texts of one frame: Q.931 header, X.25 packet type, channel
// list and the calling and called numbers. Each is a pure function of the
// record and the catalogue; a field whose octets are not in the frame is the
// empty text.
#include <string>

#include "decode/MessageCatalogue.h"
#include "store/FrameLayout.h"

class Layer3Fields {
public:
    using Catalogue = MessageCatalogue;
    // Octet at the message type position AND 0x7F, or kAbsent.
    static int MessageType(const FrameLayout& frame);
    static std::string MessageTypeName(const FrameLayout& frame, const Catalogue& catalogue);
    // "-" + message type name + "-"
    static std::string MessageTypeField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string ProtocolDiscriminator(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string CallRefLengthText(const FrameLayout& frame);
    static std::string CallRefFlag(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string CallReferenceField(const FrameLayout& frame);
    // "-" + the packet kind name after its first "," + "-"
    static std::string X25PacketField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string CallingNumberField(const FrameLayout& frame);
    static std::string CalledNumberField(const FrameLayout& frame);
};
