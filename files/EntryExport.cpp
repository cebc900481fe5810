#include "files/EntryExport.h"

#include <cstdint>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr char kTagStart = 0x10;
constexpr char kTagEnd = 0x11;
constexpr char kTitle = 0x12;
constexpr char kSeparator = 0x13;


// Entries are short: they go through stack buffers, and only a long one
// through the heap. Both sides have room for whole 16-byte blocks.
constexpr size_t kStackEntry = 512;
constexpr char kPaddingByte = ' ';

// Copies the bytes from p on that are surely plain to w, and stops both at
// the first byte that may not be (a control byte other than TAB, or "=" when
// equals is "="; a TAB is copied as it is) or at end. Reads and writes whole
// blocks past both ends.
void CopyRun(const char*& p, const char* end, char*& w, char equals) {
#if defined(__SSE2__)
    const __m128i controls = _mm_set1_epi8(kSeparator);
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i eq = _mm_set1_epi8(equals);
    while (p < end) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(w), x);
        const __m128i control = _mm_andnot_si128(_mm_cmpeq_epi8(x, tab), _mm_cmpeq_epi8(_mm_min_epu8(x, controls), x));
        const __m128i special = _mm_or_si128(control, _mm_cmpeq_epi8(x, eq));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(special));
        if (mask != 0) {
            const int k = __builtin_ctz(mask);
            p += k;
            w += k;
            break;
        }
        p += 16;
        w += 16;
    }
    if (p > end) {
        w -= p - end;
        p = end;
    }
#else
    while (p < end && (*p == '\t' || (static_cast<uint8_t>(*p) > static_cast<uint8_t>(kSeparator) && *p != equals)))
        *w++ = *p++;
#endif
}

// The bytes written since the last TAB in [begin, w), or since begin without
// one; only told apart up to 16 (more is given as 16).
size_t SinceTab(const char* begin, const char* w) {
#if defined(__SSE2__)
    if (w - begin >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w - 16));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_set1_epi8('\t'))));
        return mask == 0 ? 16 : static_cast<size_t>(__builtin_clz(mask) - 16);
    }
#endif
    size_t since = 0;
    while (since < 16 && w - since > begin && w[-1 - static_cast<ptrdiff_t>(since)] != '\t') ++since;
    return since;
}

}  // namespace

EntryExport::Shape EntryExport::ShapeOf(std::string_view entry) {
    Shape shape;
    shape.titled = entry.find(kTitle) != std::string_view::npos;
    // Only an entry built with its tag keeps its later lines under the
    // first line's columns.
    shape.tagged = !shape.titled && entry.find(kTagEnd) != std::string_view::npos;
    return shape;
}

EntryExport::Shape EntryExport::ShapeOfPadded(const char* entry, size_t n) {
#if defined(__SSE2__)
    const __m128i title = _mm_set1_epi8(kTitle);
    const __m128i tagEnd = _mm_set1_epi8(kTagEnd);
    bool titled = false, tagEndSeen = false;
    for (size_t i = 0; i < n; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(entry + i));
        // Only the bits of bytes inside the entry.
        const unsigned inside = n - i >= 16 ? 0xFFFFu : (1u << (n - i)) - 1;
        titled |= (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, title))) & inside) != 0;
        tagEndSeen |= (static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, tagEnd))) & inside) != 0;
    }
    return Shape{titled, !titled && tagEndSeen};
#else
    return ShapeOf(std::string_view(entry, n));
#endif
}

void EntryExport::AppendEntry(std::string& out, std::string_view entry, bool indent, Shape shape) {
    const size_t n = entry.size();
    char stackIn[kStackEntry + kPadding];
    std::string heapIn;
    char* in = stackIn;
    if (n > kStackEntry) {
        heapIn.resize(n + kPadding);
        in = heapIn.data();
    }
    std::memcpy(in, entry.data(), n);
    std::memset(in + n, kPaddingByte, kPadding);
    AppendPaddedEntry(out, in, n, indent, shape);
}

// One pass over the entry. Only the first of each mark counts (the tag
// marks not at all in a title entry); later ones are copied as text. With
// indent on each "=" becomes one to three TABs chosen by the bytes written
// since the last TAB, the TABs that replaced an earlier "=" included (or
// since the start of the entry without a TAB).
char* EntryExport::WritePaddedEntry(char* out, const char* entry, size_t n, bool indent, Shape shape) {
    const bool titled = shape.titled;
    const bool tagged = shape.tagged;
    char* const begin = out;
    char* w = begin;
    bool separatorSeen = false, titleSeen = false, tagStartSeen = titled, tagEndSeen = titled;
    auto tab = [&] { *w++ = '\t'; };
    if (titled) tab();
    const char* p = entry;
    const char* const end = entry + n;
    // Without indent "=" is plain: LF stands in, which stops the run anyway.
    const char equals = indent ? '=' : '\n';
    while (p < end) {
        CopyRun(p, end, w, equals);
        if (p == end) break;
        const char c = *p++;
        // Tests in order of how often the bytes come: an indirect jump on a
        // byte class was mispredicted most of the time.
        if (indent && c == '=') {
            // Every TAB of the entry's text is one written here (a TAB of
            // the entry is copied as it is), so the last TAB written is
            // found in the text. Three TABs fit: each byte may become three.
            const size_t since = SinceTab(begin, w);
            std::memcpy(w, "\t\t\t", 3);
            w += 1 + (since < 16 ? 1 : 0) + (since < 8 ? 1 : 0);
            continue;
        }
        if (c == '\n') {
            *w++ = '\r';
            *w++ = '\n';
            if (tagged) tab();
            continue;
        }
        if (c == kTagEnd && !tagEndSeen) {
            tagEndSeen = true;
            tab();
            continue;
        }
        bool& seen = c == kTagStart ? tagStartSeen : c == kTitle ? titleSeen : separatorSeen;
        if ((c == kTagStart || c == kTitle || c == kSeparator) && !seen) {
            seen = true;
            continue;
        }
        *w++ = c;
    }
    *w++ = '\r';
    *w++ = '\n';
    return w;
}

void EntryExport::AppendPaddedEntry(std::string& out, const char* entry, size_t n, bool indent, Shape shape) {
    char stackOut[WrittenSize(kStackEntry)];
    std::string heapOut;
    char* begin = stackOut;
    if (n > kStackEntry) {
        heapOut.resize(WrittenSize(n));
        begin = heapOut.data();
    }
    const char* end = WritePaddedEntry(begin, entry, n, indent, shape);
    out.append(begin, static_cast<size_t>(end - begin));
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
