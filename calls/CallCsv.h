#pragma once
// Calls as CSV, as a Japanese spreadsheet opens it: CP932, CR LF, a header
// row, one row per call. Fields hold numbers and digits; a field that holds
// a comma, a quote or a line break (a cause name, or odd octets where
// digits belong) is quoted as RFC 4180 says. An event not seen leaves its
// field empty.
#include <string>

#include "calls/CallRecord.h"
#include "calls/CallTracker.h"
#include "decode/MessageCatalogue.h"

class CallCsv {
public:
    // The header row, CR LF included.
    static const std::string& Header();
    // One call's row, CR LF included; the cause name from the catalogue.
    static void AppendRow(std::string& out, const CallRecord& call, const MessageCatalogue& catalogue);
    // The header and a row for every call the tracker holds, in order.
    static std::string Text(const CallTracker& tracker, const MessageCatalogue& catalogue);
};
