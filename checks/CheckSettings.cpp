#include "checks/CheckSettings.h"

#include <charconv>

#include "base/DataFolder.h"
#include "base/SmallFile.h"

namespace {

struct Entry {
    const char* name;
    int CheckSettings::*value;
    int low, high;
};

constexpr int kMaxMs = 3600000;

// In the order they are written.
constexpr Entry kEntries[] = {
    {"T303", &CheckSettings::t303, 1, kMaxMs}, {"T310", &CheckSettings::t310, 1, kMaxMs},
    {"T305", &CheckSettings::t305, 1, kMaxMs}, {"T308", &CheckSettings::t308, 1, kMaxMs},
    {"T313", &CheckSettings::t313, 1, kMaxMs}, {"T200", &CheckSettings::t200, 1, kMaxMs},
    {"T203", &CheckSettings::t203, 1, kMaxMs}, {"N200", &CheckSettings::n200, 1, 100},
};

}  // namespace

std::string CheckSettings::DefaultPath() { return DataFolder::Path() + kFileName; }

bool CheckSettings::Valid() const {
    for (const Entry& e : kEntries)
        if (this->*e.value < e.low || this->*e.value > e.high) return false;
    return true;
}

bool CheckSettings::Parse(std::string_view text) {
    bool seen[std::size(kEntries)] = {};
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return false;
        const std::string_view name = line.substr(0, equals), digits = line.substr(equals + 1);
        size_t n = 0;
        while (n < std::size(kEntries) && name != kEntries[n].name) ++n;
        if (n == std::size(kEntries) || seen[n]) return false;
        seen[n] = true;
        // Digits only: no sign, no blanks; a number too long for an int is out of range.
        int value = 0;
        const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || digits.front() < '0' || digits.front() > '9' || error != std::errc() ||
            stop != digits.data() + digits.size())
            return false;
        if (value < kEntries[n].low || value > kEntries[n].high) return false;
        this->*kEntries[n].value = value;
    }
    return true;
}

CheckSettings::LoadResult CheckSettings::Load(const std::string& path) {
    return SmallFile::LoadSettings<LoadResult>(path, kMaxFile, *this,
                                               [this](std::string_view text) { return Parse(text); });
}

CheckSettings::SaveResult CheckSettings::Save(const std::string& path) const {
    if (!Valid()) return kInvalid;
    std::string text;
    for (const Entry& e : kEntries) text.append(e.name).append("=").append(std::to_string(this->*e.value)).append("\r\n");
    return SmallFile::Replace(path, text) ? kSaved : kUnwritable;
}
