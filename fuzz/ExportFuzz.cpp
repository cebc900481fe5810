// The text export over arbitrary entry bytes and arbitrary frames: every
// line ends in CR LF, indent removes every "=" and changes nothing but TABs,
// and the list export writes one separator pair per frame.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "files/EntryExport.h"
#include "files/ListExport.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

size_t Count(std::string_view text, char c) { return std::count(text.begin(), text.end(), c); }

size_t Count(std::string_view text, std::string_view piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string_view::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

void CheckLineEnds(std::string_view text) {
    Check(text.empty() || text.substr(text.size() - 2) == "\r\n");
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') Check(i > 0 && text[i - 1] == '\r');
}

std::string Without(std::string text, std::string_view drop) {
    text.erase(std::remove_if(text.begin(), text.end(),
                              [&](char c) { return drop.find(c) != std::string_view::npos; }),
               text.end());
    return text;
}

void FuzzEntry(std::string_view entry) {
    std::string plain;
    std::string indented;
    EntryExport::AppendEntry(plain, entry, false);
    EntryExport::AppendEntry(indented, entry, true);
    CheckLineEnds(plain);
    CheckLineEnds(indented);
    Check(Count(plain, '\n') == Count(entry, '\n') + 1);
    Check(Count(plain, '=') == Count(entry, '='));
    Check(Count(indented, '=') == 0);
    Check(Without(plain, "=\t") == Without(indented, "\t"));
    size_t separators = Count(entry, '\x13');
    Check(Count(plain, '\x13') == (separators ? separators - 1 : 0));
}

// Entries of a frame, made from its octets so they vary with the input.
class OctetDetails : public DetailSource {
public:
    bool Build(const FrameRecord& record, const DisplayOptions&,
               std::vector<std::string>& entries) override {
        entries.clear();
        if (record.Length() % 5 == 4) return false;
        for (size_t i = 0; i < record.Length(); ++i)
            entries.push_back(std::string(1, static_cast<char>(record.Bytes()[i])) + "=\x10" "T\x11\n");
        return true;
    }
};

void FuzzList(const uint8_t* data, size_t size, uint8_t flags) {
    if (size < 2) return;
    DisplayOptions options;
    options.columnOrder.fill(DisplayOptions::kEndOfColumns);
    options.dataSplit = static_cast<int8_t>(data[0]);
    size_t columns = std::min<size_t>(data[1] % 16, size - 2);
    for (size_t i = 0; i < columns; ++i) options.columnOrder[i] = static_cast<int8_t>(data[2 + i]);
    options.indent = flags & 1;
    options.exportDetail = (flags >> 1) & 1;
    data += 2 + columns;
    size -= 2 + columns;

    FrameStore store;
    while (size >= 2) {
        size_t n = std::min<size_t>(data[0], size - 2);
        FrameRecord r(data[1] & 1);
        r.SetBytes(data + 2, n);
        r.SetIndex(static_cast<int32_t>(store.Count()));
        store.Add(r, false);
        data += 2 + n;
        size -= 2 + n;
    }

    static const MessageCatalogue catalogue;
    static const int fd = memfd_create("export", 0);
    Check(fd >= 0 && ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0);
    OctetDetails details;
    Check(ListExport::ExportList(store, options, catalogue, details, fd));
    std::string text(static_cast<size_t>(lseek(fd, 0, SEEK_CUR)), '\0');
    Check(pread(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()));
    CheckLineEnds(text);
    size_t frameLines = Count(text, ListExport::FrameLine());
    Check(options.exportDetail ? frameLines == store.Count() : frameLines == 0);
}

}  // namespace

// Input: a flags byte; bit 2 picks the list export (data split, column
// count, column ids, then frames as length, direction, octets), otherwise
// the rest is entries separated by zero bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint8_t flags = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (flags & 4) {
        FuzzList(data + 1, size - 1, flags);
        return 0;
    }
    size_t from = 0;
    while (true) {
        size_t zero = rest.find('\0', from);
        FuzzEntry(rest.substr(from, zero == std::string_view::npos ? std::string_view::npos
                                                                   : zero - from));
        if (zero == std::string_view::npos) break;
        from = zero + 1;
    }
    return 0;
}
