#pragma once
// The text export of detail entries: each entry's presentation marks turned
// into TABs, its display lines ended by CR LF, and with indent on every "="
// replaced by one to three TABs so the values line up in a column.
#include <string>
#include <string_view>
#include <vector>

#include "files/FdWriter.h"

class EntryExport {
public:
    // What of an entry's marks decides how its text is read: a title mark
    // anywhere; no title mark and a tag end anywhere.
    struct Shape {
        bool titled = false;
        bool tagged = false;
    };
    static Shape ShapeOf(std::string_view entry);

    // Appends the export text of one entry, its final CR LF included.
    static void AppendEntry(std::string& out, std::string_view entry, bool indent) {
        AppendEntry(out, entry, indent, ShapeOf(entry));
    }
    // The same with the entry's shape known.
    static void AppendEntry(std::string& out, std::string_view entry, bool indent, Shape shape);

    // For entries kept in one text: n bytes at entry followed by at least
    // kPadding more that may be read (and are ignored).
    static constexpr size_t kPadding = 16;
    static Shape ShapeOfPadded(const char* entry, size_t n);
    static void AppendPaddedEntry(std::string& out, const char* entry, size_t n, bool indent, Shape shape);
    // The same written at out, which has room for WrittenSize(n) bytes (every
    // byte becomes at most three, plus a leading TAB, the CR LF and whole
    // 16-byte blocks written past the end); the end of the text.
    static constexpr size_t WrittenSize(size_t n) { return 3 * n + 3 + kPadding; }
    static char* WritePaddedEntry(char* out, const char* entry, size_t n, bool indent, Shape shape);
    // Writes every entry in order; false once a write has failed.
    static bool WriteEntries(const std::vector<std::string>& entries, bool indent,
                             FdWriter& out);
    // The detail window's own save: the entries alone to an open file,
    // flushed; false when a write failed.
    static bool WriteEntriesToFile(const std::vector<std::string>& entries, bool indent,
                                   int fd);
};
