// The text export of detail entries over arbitrary bytes: every line ends in
// CR LF, indent turns every "=" into one to three TABs and changes nothing
// else, and only the first element separator goes. An entry read in place,
// whatever bytes follow it, reads as the same entry alone. (Rows under any options
// are RowTextFuzz's; the list export's layout is pinned by its unit tests.)
#include <algorithm>
#include <cstdlib>
#include <string>

#include "files/EntryExport.h"

namespace {

void Check(bool ok) {
    if (!ok) abort();
}

size_t Count(std::string_view text, std::string_view piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != text.npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

// Every line ends in CR LF, the last one too.
void CheckLines(std::string_view text) {
    Check(Count(text, "\n") == Count(text, "\r\n") && (text.empty() || text.substr(text.size() - 2) == "\r\n"));
}

void FuzzEntry(std::string_view entry) {
    std::string plain, indented;
    EntryExport::AppendEntry(plain, entry, false);
    EntryExport::AppendEntry(indented, entry, true);
    CheckLines(plain);
    CheckLines(indented);
    Check(Count(plain, "\n") == Count(entry, "\n") + 1 && Count(plain, "=") == Count(entry, "="));
    const size_t equals = Count(plain, "="), tabs = Count(indented, "\t") - Count(plain, "\t");
    Check(Count(indented, "=") == 0 && tabs >= equals && tabs <= 3 * equals && indented.size() + equals == plain.size() + tabs);
    Check(Count(plain, "\x13") == std::max<size_t>(Count(entry, "\x13"), 1) - 1);
}

// The entry followed by the bytes after it (marks when there are too few).
void FuzzPadded(std::string_view entry, std::string_view after) {
    std::string padded(entry);
    for (size_t i = 0; i < EntryExport::kPadding; ++i) padded.push_back(i < after.size() ? after[i] : "\x12\x11=\n"[i % 4]);
    const EntryExport::Shape shape = EntryExport::ShapeOfPadded(padded.data(), entry.size());
    const EntryExport::Shape alone = EntryExport::ShapeOf(entry);
    Check(shape.titled == alone.titled && shape.tagged == alone.tagged);
    for (bool indent : {false, true}) {
        std::string inPlace, copied;
        EntryExport::AppendPaddedEntry(inPlace, padded.data(), entry.size(), indent, shape);
        EntryExport::AppendEntry(copied, entry, indent);
        Check(inPlace == copied);
    }
}

}  // namespace

// Entries separated by zero bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (size_t from = 0, zero = 0; zero != text.npos; from = zero + 1) {
        zero = text.find('\0', from);
        const std::string_view entry = text.substr(from, zero == text.npos ? zero : zero - from);
        FuzzEntry(entry);
        FuzzPadded(entry, text.substr(from + entry.size()));
    }
    return 0;
}
