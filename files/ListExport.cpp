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
        size_t next = 0;
        auto feed = [&](FrameRecord&, const FrameRecord*& record) {
            if (next == store.Count()) return ExportChunks::kEnd;
            record = &store.At(next++);
            return ExportChunks::kRecord;
        };
        return ExportStream(feed, snapshot, catalogue, details, out) == kWritten && out.Flush();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

ListExport::StreamResult ListExport::ExportStream(const ExportChunks::Feed& feed, const DisplayOptions& snapshot,
                                                  const MessageCatalogue& catalogue, DetailSource& details,
                                                  FdWriter& out) {
    const bool withDetail = snapshot.exportDetail != 0;
    const bool indent = snapshot.indent != 0;
    // The details are decoded on a worker thread (the only user of the
    // detail source). Every frame gets its detail, also one that fails the
    // frame check; a detail that cannot be built is left out.
    auto build = [&](const FrameRecord& record, std::vector<std::string>& entries) {
        return details.Build(record, snapshot, entries);
    };
    // Runs on both threads: reads only the snapshot, the catalogue and the chunk.
    auto format = [&](const ExportChunks::Chunk& chunk, std::string& text) {
        std::string row;
        for (size_t i = 0; i < chunk.Count(); ++i) {
            const FrameRecord& record = chunk.Record(i);
            if (withDetail) text.append(FrameLine());
            row.clear();
            RowText::BuildRowText(record, row, snapshot, record.CheckCrc(), catalogue);
            AppendRow(text, row, record.IsRx());
            if (!withDetail) continue;
            text.append(DetailLine());
            for (size_t j = 0; chunk.Built(i) && j < chunk.EntryCount(i); ++j) {
                const std::string_view entry = chunk.Entry(i, j);
                EntryExport::AppendPaddedEntry(text, entry.data(), entry.size(), indent, chunk.EntryShape(i, j));
            }
        }
    };
    try {
        ExportChunks chunks(withDetail, build, format);
        switch (chunks.Run(feed, [&](std::string_view text) { return out.Write(text); })) {
            case ExportChunks::kDone: return out.Failed() ? kFailed : kWritten;
            case ExportChunks::kInputFailed: return kFeedFailed;
            case ExportChunks::kFailed: break;
        }
    } catch (const std::bad_alloc&) {
    }
    return kFailed;
}
