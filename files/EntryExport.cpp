#include "files/EntryExport.h"

#include <algorithm>
#include <iterator>
#include <new>

namespace {

constexpr char kTagStart = 0x10;
constexpr char kTagEnd = 0x11;
constexpr char kTitle = 0x12;
constexpr char kSeparator = 0x13;
constexpr size_t kNone = std::string_view::npos;

// Bytes that end a run of plain text: TAB and LF always, "=" with indent
// on (the marks are found by position beforehand).
struct Specials {
    bool withIndent[256] = {};
    bool plain[256] = {};
    constexpr Specials() {
        for (bool* table : {withIndent, plain}) {
            table[static_cast<uint8_t>('\t')] = true;
            table[static_cast<uint8_t>('\n')] = true;
        }
        withIndent[static_cast<uint8_t>('=')] = true;
    }
};
constexpr Specials kSpecials;

}  // namespace

// One pass over the entry: the marks removed or replaced are found first
// (only the first of each counts) and plain runs between them are copied
// whole. With indent on each "=" becomes one to three TABs chosen by the
// bytes written since the last TAB, the TABs that replaced an earlier "="
// included (or since the start of the entry without a TAB).
void EntryExport::AppendEntry(std::string& out, std::string_view entry, bool indent) {
    const size_t separator = entry.find(kSeparator);
    const size_t title = entry.find(kTitle);
    size_t tagStart = kNone;
    size_t tagEnd = kNone;
    if (title == kNone) {
        tagStart = entry.find(kTagStart);
        tagEnd = entry.find(kTagEnd);
    }
    // Only an entry built with its tag keeps its later lines under the
    // first line's columns.
    const bool tagged = tagEnd != kNone;
    const bool* special = indent ? kSpecials.withIndent : kSpecials.plain;
    // The marks by position, in order, then kNone (the largest value) as a sentinel.
    size_t marks[5] = {separator, title, tagStart, tagEnd, kNone};
    std::sort(std::begin(marks), std::end(marks));

    const size_t start = out.size();
    size_t lastTab = kNone;
    auto tab = [&] {
        out.push_back('\t');
        lastTab = out.size() - 1;
    };
    if (title != kNone) tab();
    const char* data = entry.data();
    size_t nextMark = 0;
    for (size_t i = 0; i < entry.size();) {
        while (marks[nextMark] < i) ++nextMark;
        const size_t limit = std::min(entry.size(), marks[nextMark]);
        size_t j = i;
        while (j < limit && !special[static_cast<uint8_t>(data[j])]) ++j;
        out.append(data + i, j - i);
        if (j == entry.size()) break;
        if (j == tagEnd) {
            tab();
        } else if (j == separator || j == title || j == tagStart) {
            // dropped
        } else if (data[j] == '\n') {
            out.append("\r\n");
            if (tagged) tab();
        } else if (data[j] == '\t') {
            tab();
        } else {  // "=" with indent on
            const size_t since = lastTab == kNone ? out.size() - start : out.size() - lastTab - 1;
            out.append(since < 8 ? 3 : since < 16 ? 2 : 1, '\t');
            lastTab = out.size() - 1;
        }
        i = j + 1;
    }
    out.append("\r\n");
}

bool EntryExport::WriteEntries(const std::vector<std::string>& entries, bool indent,
                               FdWriter& out) {
    for (const std::string& entry : entries) {
        AppendEntry(out.Buffer(), entry, indent);
        if (!out.FlushIfFull()) return false;
    }
    return !out.Failed();
}

bool EntryExport::WriteEntriesToFile(const std::vector<std::string>& entries, bool indent,
                                     int fd) {
    try {
        FdWriter out(fd);
        bool ok = WriteEntries(entries, indent, out);
        return out.Flush() && ok;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
