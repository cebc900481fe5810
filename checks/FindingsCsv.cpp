#include "checks/FindingsCsv.h"

#include "base/Cp932.h"
#include "calls/CallCsv.h"
#include "store/TraceText.h"

const std::string& FindingsCsv::Header() {
    static const std::string kHeader = Cp932::FromUtf8("INDEX,時刻,重要度,検査,呼番号,内容\r\n");
    return kHeader;
}

void FindingsCsv::AppendRow(std::string& out, const Finding& finding) {
    out += TraceText::IndexText(finding.index);
    out += ',';
    out += finding.time.Format();
    out += ',';
    out += CheckKind::SeverityName(finding.severity);
    out += ',';
    out += CheckKind::Code(finding.check);
    out += ',';
    if (finding.call != 0) out += std::to_string(finding.call);
    out += ',';
    CallCsv::AppendQuoted(out, finding.text);
    out += "\r\n";
}

std::string FindingsCsv::Text(const FindingLog& findings) {
    std::string out = Header();
    for (const Finding& finding : findings) AppendRow(out, finding);
    return out;
}
