#include "detail/DetailSelection.h"

namespace {

bool IsTitle(const std::vector<std::string>& entries, int i) {
    const std::string& text = entries[static_cast<size_t>(i)];
    return !text.empty() && text[0] == 0x12;
}

}  // namespace

int DetailSelection::Step(const std::vector<std::string>& entries, int selected, int steps) {
    for (; steps < 0; ++steps) selected = Up(entries, selected);
    for (; steps > 0; --steps) selected = Down(entries, selected);
    return selected;
}

// Nothing selected, or the first entry: no move.
int DetailSelection::Up(const std::vector<std::string>& entries, int selected) {
    if (selected <= 0 || static_cast<size_t>(selected) > entries.size()) return selected;
    int next = selected - 1;
    while (IsTitle(entries, next) && next > 0) --next;
    return next;
}

// With nothing selected the first entry is the one below.
int DetailSelection::Down(const std::vector<std::string>& entries, int selected) {
    const int count = static_cast<int>(entries.size());
    if (selected < kNone || selected + 1 >= count) return selected;
    int next = selected + 1;
    while (IsTitle(entries, next) && next + 1 < count) ++next;
    return next;
}
