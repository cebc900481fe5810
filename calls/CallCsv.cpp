#include "calls/CallCsv.h"

#include <iterator>
#include <string_view>
#include <vector>

#include "base/Cp932.h"
#include "calls/CallMessage.h"
#include "store/TraceText.h"

namespace {

using Call = CallRecord;
using Catalogue = MessageCatalogue;

void Number(std::string& f, int64_t n) { f += std::to_string(n); }

void Side(std::string& f, uint8_t side) { f += side == FrameRecord::kTx ? "TX" : "RX"; }

// Milliseconds from one event to another, when both were seen.
void Span(std::string& f, int64_t from, int64_t to) {
    if (from != Call::kNotSeen && to != Call::kNotSeen) Number(f, to - from);
}

std::string_view ClearingName(int type) {
    switch (type) {
        case CallMessage::kDisconnect: return "DISCONNECT";
        case CallMessage::kRelease: return "RELEASE";
        case CallMessage::kReleaseComplete: return "RELEASE COMPLETE";
        default: return {};
    }
}

struct ColumnWriter {
    const char* name;  // UTF-8
    void (*write)(std::string& field, const Call& c, const Catalogue& names);
};

constexpr ColumnWriter kTable[] = {
    {"番号", [](std::string& f, const Call& c, const Catalogue&) { Number(f, static_cast<int64_t>(c.number)); }},
    {"開始INDEX", [](std::string& f, const Call& c, const Catalogue&) { f += TraceText::IndexText(c.firstIndex); }},
    {"終了INDEX", [](std::string& f, const Call& c, const Catalogue&) { f += TraceText::IndexText(c.lastIndex); }},
    {"フレーム数", [](std::string& f, const Call& c, const Catalogue&) { Number(f, c.frames); }},
    {"呼番号", [](std::string& f, const Call& c, const Catalogue&) { Number(f, c.callReference); }},
    {"TEI", [](std::string& f, const Call& c, const Catalogue&) { Number(f, c.tei); }},
    {"発信側", [](std::string& f, const Call& c, const Catalogue&) { Side(f, c.originatingSide); }},
    {"開始時刻", [](std::string& f, const Call& c, const Catalogue&) { f += c.startTime.Format(); }},
    {"発番号", [](std::string& f, const Call& c, const Catalogue&) { f += c.calling; }},
    {"番号表示", [](std::string& f, const Call& c, const Catalogue&) { if (c.hasCalling) Number(f, c.presentation); }},
    {"着番号", [](std::string& f, const Call& c, const Catalogue&) { f += c.called; }},
    {"チャネル", [](std::string& f, const Call& c, const Catalogue&) { f += c.channels.Text(); }},
    {"呼出まで", [](std::string& f, const Call& c, const Catalogue&) { Span(f, c.startMs, c.alertingMs); }},
    {"応答まで", [](std::string& f, const Call& c, const Catalogue&) { Span(f, c.startMs, c.connectMs); }},
    {"通話", [](std::string& f, const Call& c, const Catalogue&) {
         if (c.connectedBeforeClearing) Span(f, c.connectMs, c.clearingMs);
     }},
    {"切断側", [](std::string& f, const Call& c, const Catalogue&) { if (c.Cleared()) Side(f, c.clearingSide); }},
    {"切断", [](std::string& f, const Call& c, const Catalogue&) { f += ClearingName(c.clearingType); }},
    {"理由", [](std::string& f, const Call& c, const Catalogue&) { if (c.cause != Call::kNone) Number(f, c.cause); }},
    {"位置", [](std::string& f, const Call& c, const Catalogue&) { if (c.location != Call::kNone) Number(f, c.location); }},
    {"理由名", [](std::string& f, const Call& c, const Catalogue& names) {
         if (c.cause != Call::kNone) f += names.Lookup(Catalogue::IF_CA_CA, static_cast<uint8_t>(c.cause));
     }},
    {"結果", [](std::string& f, const Call& c, const Catalogue&) { f += Call::ResultName(c.Outcome()); }},
    {"途中開始", [](std::string& f, const Call& c, const Catalogue&) { f += c.midCall ? '1' : '0'; }},
    {"料金", [](std::string& f, const Call& c, const Catalogue&) { f += c.charge; }},
};

static_assert(std::size(kTable) == CallCsv::kColumns);

}  // namespace

const std::string& CallCsv::ColumnName(int column) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const ColumnWriter& c : kTable) out.push_back(Cp932::FromUtf8(c.name));
        return out;
    }();
    static const std::string none;
    return column >= 0 && column < kColumns ? names[static_cast<size_t>(column)] : none;
}

void CallCsv::AppendField(std::string& out, int column, const CallRecord& call, const MessageCatalogue& catalogue) {
    if (column >= 0 && column < kColumns) kTable[column].write(out, call, catalogue);
}

const std::string& CallCsv::Header() {
    static const std::string header = [] {
        std::string out;
        for (int column = 0; column < kColumns; ++column) {
            if (!out.empty()) out.push_back(',');
            out += ColumnName(column);
        }
        return out + "\r\n";
    }();
    return header;
}

// RFC 4180: a field that holds a comma, a quote or a line break goes in
// quotes, its quotes doubled.
void CallCsv::AppendQuoted(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void CallCsv::AppendRow(std::string& out, const CallRecord& call, const MessageCatalogue& catalogue) {
    std::string field;
    for (int column = 0; column < kColumns; ++column) {
        if (column != 0) out.push_back(',');
        field.clear();
        AppendField(field, column, call, catalogue);
        AppendQuoted(out, field);
    }
    out += "\r\n";
}

std::string CallCsv::Text(const CallTracker& tracker, const MessageCatalogue& catalogue) {
    std::string out = Header();
    for (const CallRecord& call : tracker) AppendRow(out, call, catalogue);
    return out;
}
