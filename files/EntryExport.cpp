#include "files/EntryExport.h"

#include <new>

namespace {

constexpr char kTagStart = 0x10;
constexpr char kTagEnd = 0x11;
constexpr char kTitle = 0x12;
constexpr char kSeparator = 0x13;
constexpr size_t kNone = std::string_view::npos;

// The export text as it grows: with indent on, each "=" becomes one to three
// TABs chosen by the bytes written since the last TAB, the TABs that replaced
// an earlier "=" included (or since the start of the entry without a TAB).
class EntryText {
public:
    EntryText(std::string& out, bool indent)
        : out_(out), start_(out.size()), indent_(indent) {}

    void Put(char c) {
        if (c == '=' && indent_) {
            size_t since = lastTab_ == kNone ? out_.size() - start_ : out_.size() - lastTab_ - 1;
            out_.append(since < 8 ? 3 : since < 16 ? 2 : 1, '\t');
            lastTab_ = out_.size() - 1;
            return;
        }
        out_.push_back(c);
        if (c == '\t') lastTab_ = out_.size() - 1;
    }

private:
    std::string& out_;
    size_t start_;
    size_t lastTab_ = kNone;
    bool indent_;
};

}  // namespace

// One pass over the entry: the marks removed or replaced are found first
// (only the first of each counts), then every byte goes through EntryText.
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

    out.reserve(out.size() + entry.size() + 16);
    EntryText text(out, indent);
    if (title != kNone) text.Put('\t');
    for (size_t i = 0; i < entry.size(); ++i) {
        if (i == separator || i == title || i == tagStart) continue;
        if (i == tagEnd) {
            text.Put('\t');
        } else if (entry[i] == '\n') {
            text.Put('\r');
            text.Put('\n');
            if (tagged) text.Put('\t');
        } else {
            text.Put(entry[i]);
        }
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
