#include "files/ListExport.h"

#include <new>
#include <vector>

#include "decode/RowText.h"
#include "files/EntryExport.h"
#include "files/ExportChunks.h"
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
        return ExportBatch(store, snapshot, catalogue, details, out) && out.Flush();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool ListExport::ExportBatch(const FrameStore& store, const DisplayOptions& snapshot,
                             const MessageCatalogue& catalogue, DetailSource& details, FdWriter& out) {
    try {
        const bool withDetail = snapshot.exportDetail != 0;
        const bool indent = snapshot.indent != 0;
        // Frame checks first: from here on both threads only read the
        // records' cached results.
        for (size_t i = 0; i < store.Count(); ++i) store.At(i).CheckCrc();
        // The details are decoded a few chunks ahead on a worker thread (the
        // only user of the detail source) while the rows and texts are
        // written here. Every frame
        // gets its detail, also one that fails the frame check; a detail
        // that cannot be built is left out.
        ExportChunks chunks(withDetail ? store.Count() : 0, [&](size_t position, std::vector<std::string>& entries) {
            return details.Build(store.At(position), snapshot, entries);
        });
        const ExportChunks::Chunk* chunk = nullptr;
        size_t inChunk = 0;
        std::string row;
        for (size_t i = 0; i < store.Count(); ++i) {
            const FrameRecord& record = store.At(i);
            if (withDetail) {
                if (!chunk || inChunk == chunk->Count()) {
                    chunk = chunks.Next();
                    inChunk = 0;
                    if (!chunk) return false;
                }
                out.Buffer().append(FrameLine());
            }
            row.clear();
            RowText::BuildRowText(record, row, snapshot, record.CheckCrc(), catalogue);
            AppendRow(out.Buffer(), row, record.IsRx());
            if (withDetail) {
                out.Buffer().append(DetailLine());
                for (size_t j = 0; chunk->Built(inChunk) && j < chunk->EntryCount(inChunk); ++j) {
                    const std::string_view entry = chunk->Entry(inChunk, j);
                    EntryExport::AppendPaddedEntry(out.Buffer(), entry.data(), entry.size(), indent,
                                                   chunk->EntryShape(inChunk, j));
                }
                ++inChunk;
            }
            if (!out.FlushIfFull()) return false;
        }
        return !chunks.Failed() && !out.Failed();
    } catch (const std::bad_alloc&) {
        return false;
    }
}
