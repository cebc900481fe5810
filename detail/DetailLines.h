#pragma once
// One detail entry as the detail window draws it: its display lines (the
// pieces between line feeds, empty ones skipped), each with its octet tag,
// title, separator mark and the texts of the label and value columns.
#include <string>
#include <string_view>
#include <vector>

class DetailLines {
public:
    struct Line {
        std::string tag;    // drawn in the tag box; "" for no box
        std::string label;  // at the label column; for a title line, the title
        std::string value;  // at the value column (indent on only)
        bool title = false;
        bool separator = false;  // a separator line above the entry
    };

    // The display lines of entry; with indent on, each line is cut at its first "=".
    static std::vector<Line> Parse(std::string_view entry, bool indent);
    // How many display lines entry has (what its height is measured by).
    static int Count(std::string_view entry);
};
