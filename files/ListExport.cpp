#include "files/ListExport.h"

#include <algorithm>
#include <cstring>
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

char* ListExport::WriteRow(char* out, std::string_view row, bool rx) {
    if (rx) *out++ = '\t';
    for (size_t line = 0;;) {
        const size_t lf = row.find('\n', line);
        const std::string_view text = row.substr(line, lf - line);
        std::memcpy(out, text.data(), text.size());
        out += text.size();
        if (lf == std::string_view::npos) break;
        *out++ = '\r';
        *out++ = '\n';
        if (rx) *out++ = '\t';
        line = lf + 1;
    }
    *out++ = '\r';
    *out++ = '\n';
    return out;
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
    auto build = [&](const FrameRecord& record, std::string& text, std::vector<uint32_t>& ends) {
        return details.Append(record, snapshot, text, ends);
    };
    // Runs on both threads: reads only the snapshot, the catalogue and the
    // chunk. The text is written through a pointer, text grown ahead of it.
    auto format = [&](const ExportChunks::Chunk& chunk, std::string& text) {
        std::string row;
        size_t used = 0;
        auto room = [&](size_t n) {
            if (text.size() - used < n) text.resize(std::max(2 * text.size(), used + n));
            return text.data() + used;
        };
        const std::string_view frameLine = FrameLine(), detailLine = DetailLine();
        for (size_t i = 0; i < chunk.Count(); ++i) {
            const FrameRecord& record = chunk.Record(i);
            row.clear();
            RowText::BuildRowText(record, row, snapshot, record.CheckCrc(), catalogue);
            char* w = room(frameLine.size() + RowSize(row.size()) + detailLine.size());
            if (withDetail) w = std::copy(frameLine.begin(), frameLine.end(), w);
            w = WriteRow(w, row, record.IsRx());
            if (withDetail) w = std::copy(detailLine.begin(), detailLine.end(), w);
            used = static_cast<size_t>(w - text.data());
            for (size_t j = 0; withDetail && chunk.Built(i) && j < chunk.EntryCount(i); ++j) {
                const std::string_view entry = chunk.Entry(i, j);
                w = EntryExport::WritePaddedEntry(room(EntryExport::WrittenSize(entry.size())), entry.data(), entry.size(),
                                                  indent, chunk.EntryShape(i, j));
                used = static_cast<size_t>(w - text.data());
            }
        }
        return used;
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
