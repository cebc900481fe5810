#pragma once
// Calls as CSV, as a Japanese spreadsheet opens it: CP932, CR LF, a header
// row, one row per call. Fields hold numbers and digits; a field that holds
// a comma, a quote or a line break (a cause name, or odd octets where
// digits belong) is quoted as RFC 4180 says. An event not seen leaves its
// field empty.
#include <string>
#include <string_view>

#include "calls/CallRecord.h"
#include "calls/CallTracker.h"
#include "decode/MessageCatalogue.h"

class CallCsv {
public:
    // The columns, in the order of the header.
    enum Column {
        kNumber, kFirstIndex, kLastIndex, kFrames, kCallReference, kTei, kOriginatingSide, kStartTime, kCalling,
        kPresentation, kCalled, kChannels, kToAlerting, kToConnect, kTalk, kClearingSide, kClearing, kCause,
        kLocation, kCauseName, kResult, kMidCall, kCharge, kColumns
    };

    // A column's name as the header has it (CP932); empty outside.
    static const std::string& ColumnName(int column);
    // One call's field in a column, unquoted (CP932); nothing outside.
    static void AppendField(std::string& out, int column, const CallRecord& call, const MessageCatalogue& catalogue);
    // The header row, CR LF included.
    static const std::string& Header();
    // One call's row, CR LF included; the cause name from the catalogue.
    static void AppendRow(std::string& out, const CallRecord& call, const MessageCatalogue& catalogue);
    // A field as a row holds it: quoted when it must be.
    static void AppendQuoted(std::string& out, std::string_view field);
    // The header and a row for every call the tracker holds, in order.
    static std::string Text(const CallTracker& tracker, const MessageCatalogue& catalogue);
};
