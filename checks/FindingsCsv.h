#pragma once
// Findings as CSV, as a Japanese spreadsheet opens them: CP932, CR LF, the
// header row "INDEX,時刻,重要度,検査,呼番号,内容", one row per finding; INDEX
// and time as the list shows them, the call number empty for a finding of
// no call, the text quoted where it must be (RFC 4180).
#include <string>

#include "checks/Finding.h"
#include "checks/FindingLog.h"

class FindingsCsv {
public:
    // The header row, CR LF included.
    static const std::string& Header();
    // One finding's row, CR LF included.
    static void AppendRow(std::string& out, const Finding& finding);
    // The header and a row for every finding held, oldest first.
    static std::string Text(const FindingLog& findings);
};
