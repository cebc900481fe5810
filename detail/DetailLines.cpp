#include "detail/DetailLines.h"

namespace {

constexpr char kTagStart = 0x10;
constexpr char kTagEnd = 0x11;
constexpr char kTitle = 0x12;
constexpr char kSeparator = 0x13;

bool IsMark(char c) { return c >= 0x10 && c <= 0x1F; }

// TABs to the next multiple of four bytes, one more space for each mark
// passed since the last TAB. The marks themselves are invisible, so they
// are dropped once counted: the columns come out as the spaces intend.
std::string ExpandTabs(std::string_view line) {
    std::string out;
    out.reserve(line.size() + 16);
    size_t position = 0;  // bytes of the expanded line, marks included
    size_t marks = 0;
    for (char c : line) {
        if (c == '\t') {
            const size_t spaces = 4 - position % 4 + marks;
            out.append(spaces, ' ');
            position += spaces;
            marks = 0;
        } else {
            ++position;
            if (IsMark(c)) ++marks;
            else out.push_back(c);
        }
    }
    return out;
}

template <typename Piece>
void ForEachPiece(std::string_view entry, Piece piece) {
    size_t start = 0;
    while (start < entry.size()) {
        size_t end = entry.find('\n', start);
        if (end == std::string_view::npos) end = entry.size();
        if (end > start) piece(entry.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

std::vector<DetailLines::Line> DetailLines::Parse(std::string_view entry, bool indent) {
    std::vector<Line> lines;
    ForEachPiece(entry, [&](std::string_view piece) {
        Line& line = lines.emplace_back();
        std::string text(piece);
        if (const size_t at = text.find(kSeparator); at != std::string::npos) {
            text.erase(at, 1);
            line.separator = true;
        }
        if (!text.empty() && text[0] == kTagStart) {
            const size_t end = text.find(kTagEnd, 1);
            line.tag = text.substr(1, end == std::string::npos ? std::string::npos : end - 1);
            text.erase(0, end == std::string::npos ? text.size() : end + 1);
        } else if (!text.empty() && text[0] == kTitle) {
            line.title = true;
            line.label = text.substr(1);
            return;
        }
        std::string shown = ExpandTabs(text);
        const size_t equals = indent ? shown.find('=') : std::string::npos;
        if (equals == std::string::npos) {
            line.label = std::move(shown);
        } else {
            line.label = shown.substr(0, equals);
            line.value = shown.substr(equals + 1);
        }
    });
    return lines;
}

int DetailLines::Count(std::string_view entry) {
    int count = 0;
    ForEachPiece(entry, [&](std::string_view) { ++count; });
    return count;
}
