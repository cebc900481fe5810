#include "files/ListExport.h"

#include <new>
#include <vector>

#include "decode/RowText.h"
#include "files/EntryExport.h"
#include "files/FdWriter.h"

namespace {

constexpr size_t kRuleLength = 79;

std::string Rule(char c) { return std::string(kRuleLength, c) + "\r\n"; }

}  // namespace

std::string_view ListExport::FrameLine() {
    static const std::string line = Rule('=');
    return line;
}

std::string_view ListExport::DetailLine() {
    static const std::string line = Rule('-');
    return line;
}

void ListExport::AppendRow(std::string& out, std::string_view row, bool rx) {
    out.reserve(out.size() + row.size() + 8);
    if (rx) out.push_back('\t');
    for (size_t line = 0;;) {
        const size_t lf = row.find('\n', line);
        out.append(row.substr(line, lf - line));
        if (lf == std::string_view::npos) break;
        out.append(rx ? "\r\n\t" : "\r\n");
        line = lf + 1;
    }
    out.append("\r\n");
}

bool ListExport::ExportList(const FrameStore& store, const DisplayOptions& snapshot,
                            const MessageCatalogue& catalogue, DetailSource& details, int fd) {
    try {
        FdWriter out(fd);
        const bool withDetail = snapshot.exportDetail != 0;
        const bool indent = snapshot.indent != 0;
        std::string row;
        std::vector<std::string> entries;
        for (size_t i = 0; i < store.Count(); ++i) {
            const FrameRecord& record = store.At(i);
            if (withDetail) out.Buffer().append(FrameLine());
            row.clear();
            RowText::BuildRowText(record, row, snapshot, record.CheckCrc(), catalogue);
            AppendRow(out.Buffer(), row, record.IsRx());
            if (withDetail) {
                out.Buffer().append(DetailLine());
                // Every frame gets its detail, also one that fails the frame
                // check; a detail that cannot be built is left out. The
                // source replaces the entries (and may reuse their storage).
                if (details.Build(record, snapshot, entries) &&
                    !EntryExport::WriteEntries(entries, indent, out))
                    return false;
            }
            if (!out.FlushIfFull()) return false;
        }
        return out.Flush();
    } catch (const std::bad_alloc&) {
        return false;
    }
}
