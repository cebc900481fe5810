#pragma once
// The layer-2 (LAPD) texts of one frame: address, control, frame check, time,
// octets and TEI management. Each is a pure function of the record and the
// catalogue; a field whose octets are not in the frame is the empty text.
#include <string>

#include "decode/MessageCatalogue.h"
#include "store/FrameRecord.h"

class Layer2Fields {
public:
    using Catalogue = MessageCatalogue;

    // An I frame, or a UI frame of SAPI 0.
    static bool HasLayer3(const FrameRecord& record);
    // C/R bit 0 sent TX, or 1 received RX; false without an address octet.
    static bool IsCommand(const FrameRecord& record);
    // The address octet before the control field, shifted right by one.
    static int Tei(const FrameRecord& record);
    // The control octet reduced to its "CF_FRAME:" key, or kAbsent.
    static int FrameTypeCode(const FrameRecord& record);
    // N(S), N(R) and the P/F bit (0 or 1), or kAbsent.
    static int SendSequence(const FrameRecord& record);
    static int ReceiveSequence(const FrameRecord& record);
    static int PollFinalBit(const FrameRecord& record);

    static std::string SapiField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string TeiField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string CommandResponseField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string FrameTypeName(const FrameRecord& record, const Catalogue& catalogue);
    // "[" + frame type name + "]", as the list shows it.
    static std::string CommandField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string SendSequenceField(const FrameRecord& record);
    static std::string ReceiveSequenceField(const FrameRecord& record);
    static std::string PollFinalField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string CrcField(bool crcGood, const Catalogue& catalogue);
    static std::string CrcField(FrameRecord& record, const Catalogue& catalogue);
    static std::string TimeField(const FrameRecord& record);
    // Every octet, flags included, as "%02X ".
    static std::string DataField(const FrameRecord& record);
    // The octets as "%02X "; with split > 0 a line feed after every split
    // octets but the last (the list's data split).
    static void AppendData(std::string& out, const FrameRecord& record, int split = 0);

    // TEI management (information field octet 3 the message type, octet 4
    // the action indicator): "-" + name + "-" for the list, and the detail texts.
    static std::string ManagementMessageField(const FrameRecord& record, const Catalogue& catalogue);
    static std::string ManagementMessageType(const FrameRecord& record, const Catalogue& catalogue);
    static std::string ActionIndicator(const FrameRecord& record, const Catalogue& catalogue);
};
