#pragma once
// The layer-2 (LAPD) texts of one frame: address, control, frame check, time,
// octets and TEI management. Each is a pure function of the record and the
// catalogue; a field whose octets are not in the frame is the empty text.
#include <string>

#include "decode/MessageCatalogue.h"
#include "store/FrameLayout.h"

class Layer2Fields {
public:
    using Catalogue = MessageCatalogue;

    // An I frame, or a UI frame of SAPI 0.
    static bool HasLayer3(const FrameLayout& frame);
    // C/R bit 0 sent TX, or 1 received RX; false without an address octet.
    static bool IsCommand(const FrameLayout& frame);
    // The address octet before the control field, shifted right by one.
    static int Tei(const FrameLayout& frame);
    // The control octet reduced to its "CF_FRAME:" key, or kAbsent.
    static int FrameTypeCode(const FrameLayout& frame);
    // N(S), N(R) and the P/F bit (0 or 1), or kAbsent.
    static int SendSequence(const FrameLayout& frame);
    static int ReceiveSequence(const FrameLayout& frame);
    static int PollFinalBit(const FrameLayout& frame);

    static std::string SapiField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string TeiField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string CommandResponseField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string FrameTypeName(const FrameLayout& frame, const Catalogue& catalogue);
    // "[" + frame type name + "]", as the list shows it.
    static std::string CommandField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string SendSequenceField(const FrameLayout& frame);
    static std::string ReceiveSequenceField(const FrameLayout& frame);
    static std::string PollFinalField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string CrcField(bool crcGood, const Catalogue& catalogue);
    static std::string TimeField(const FrameRecord& record);
    // The same texts appended to out (the detail's items are built this way).
    static void AppendSapiField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue);
    static void AppendTeiField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue);
    static void AppendCommandResponseField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue);
    static void AppendFrameTypeName(std::string& out, const FrameLayout& frame, const Catalogue& catalogue);
    static void AppendSendSequenceField(std::string& out, const FrameLayout& frame);
    static void AppendReceiveSequenceField(std::string& out, const FrameLayout& frame);
    static void AppendPollFinalField(std::string& out, const FrameLayout& frame, const Catalogue& catalogue);
    static void AppendCrcField(std::string& out, bool crcGood, const Catalogue& catalogue);
    // The octets as "%02X "; with split > 0 a line feed after every split
    // octets but the last (the list's data split).
    static void AppendData(std::string& out, const FrameRecord& record, int split = 0);

    // TEI management (information field octet 3 the message type, octet 4
    // the action indicator): "-" + name + "-" for the list, and the detail texts.
    static std::string ManagementMessageField(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string ManagementMessageType(const FrameLayout& frame, const Catalogue& catalogue);
    static std::string ActionIndicator(const FrameLayout& frame, const Catalogue& catalogue);
};
