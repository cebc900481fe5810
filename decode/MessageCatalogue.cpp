#include "decode/MessageCatalogue.h"

#include "base/Hex.h"
#include "base/DataFolder.h"

namespace {

// Tested in this order; the first label found on a line names its section.
constexpr std::string_view kLabels[] = {
#define X(name) #name ":",
#include "decode/CatalogueSections.def"
#undef X
};
static_assert(std::size(kLabels) == MessageCatalogue::kSectionCount);
static_assert(MessageCatalogue::CRC + 1 == MessageCatalogue::kSectionCount);

// One or two hex digits at `at`; -1 when there is none.
int ReadHex(std::string_view s, size_t at) {
    if (at >= s.size()) return -1;
    int value = Hex::Value(s[at]);
    if (value < 0) return -1;
    if (at + 1 < s.size() && Hex::Value(s[at + 1]) >= 0) value = value * 16 + Hex::Value(s[at + 1]);
    return value;
}

// The first label in table order that the line contains, or -1. Every label
// ends with its only colon, so only the text before each colon is compared.
int FindLabel(std::string_view line) {
    int found = -1;
    for (size_t colon = line.find(':'); colon != std::string_view::npos;
         colon = line.find(':', colon + 1)) {
        std::string_view before = line.substr(0, colon + 1);
        int limit = found < 0 ? static_cast<int>(MessageCatalogue::kSectionCount) : found;
        for (int s = 0; s < limit; ++s) {
            if (before.ends_with(kLabels[s])) {
                found = s;
                break;
            }
        }
    }
    return found;
}

}  // namespace

MessageCatalogue::MessageCatalogue() { Clear(); }

const MessageCatalogue& MessageCatalogue::Program() {
    static const MessageCatalogue catalogue = [] {
        MessageCatalogue c;
        c.Load();
        return c;
    }();
    return catalogue;
}

bool MessageCatalogue::Load() { return LoadFile(DataFolder::CatalogueFile()); }

bool MessageCatalogue::LoadFile(const std::string& path) {
    Clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::string contents;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) contents.append(buf, n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    if (!ok) return false;
    LoadText(contents);
    return true;
}

void MessageCatalogue::LoadText(std::string_view contents) {
    Clear();
    int section = -1;
    size_t pos = 0;
    // A last line without its LF is not read.
    for (size_t lf; (lf = contents.find('\n', pos)) != std::string_view::npos; pos = lf + 1) {
        size_t length = lf - pos;
        ReadLine(contents.substr(pos, length < kLineLimit ? length : kLineLimit), section);
    }
    BuildIndex();
}

void MessageCatalogue::ReadLine(std::string_view line, int& section) {
    line = line.substr(0, line.find(';'));
    line = line.substr(0, line.find('\r'));
    size_t first = line.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string_view::npos) return;
    line.remove_prefix(first);

    int label = FindLabel(line);
    if (label >= 0) {
        section = label;
        return;
    }
    if (section < 0) return;

    // code "=" text; leading "=" belong to neither.
    size_t start = line.find_first_not_of('=');
    if (start == std::string_view::npos) return;
    size_t equals = line.find('=', start);
    if (equals == std::string_view::npos) return;
    std::string_view code = line.substr(start, equals - start);
    std::string_view text = line.substr(equals + 1);
    size_t open = text.find_first_not_of('"');
    if (open == std::string_view::npos) return;
    text = text.substr(open);
    text = text.substr(0, text.find('"'));
    if (text.empty()) return;

    // The first two characters are the "0x"; a range adds "-0x" and a high code.
    int low = ReadHex(code, 2);
    if (low < 0) return;
    int high = low;
    size_t dash = code.find('-');
    if (dash != std::string_view::npos) {
        int value = ReadHex(code, dash + 3);
        if (value >= 0) high = value;
    }
    entries_[section].push_back(
        {static_cast<uint8_t>(low), static_cast<uint8_t>(high), std::string(text)});
}

void MessageCatalogue::BuildIndex() {
    index_.clear();
    size_t used = 0;
    for (const auto& list : entries_) used += list.empty() ? 0 : 1;
    index_.reserve(used);
    for (size_t s = 0; s < kSectionCount; ++s) {
        const auto& list = entries_[s];
        if (list.empty()) continue;
        indexOf_[s] = static_cast<uint8_t>(index_.size());
        auto& slots = index_.emplace_back();
        for (size_t i = 0; i < list.size(); ++i)
            for (unsigned c = list[i].low; c <= list[i].high; ++c)
                if (slots[c] == 0) slots[c] = static_cast<uint32_t>(i + 1);
    }
}

void MessageCatalogue::Clear() {
    for (auto& list : entries_) list.clear();
    indexOf_.fill(kNoIndex);
    index_.clear();
}

const std::string& MessageCatalogue::Lookup(Section section, uint8_t code) const {
    if (section >= kSectionCount || indexOf_[section] == kNoIndex) return HexText(code);
    uint32_t slot = index_[indexOf_[section]][code];
    return slot ? entries_[section][slot - 1].text : HexText(code);
}

const std::vector<CatalogueEntry>& MessageCatalogue::Entries(Section section) const {
    static const std::vector<CatalogueEntry> kNone;
    return section < kSectionCount ? entries_[section] : kNone;
}

std::string_view MessageCatalogue::Label(Section section) {
    return section < kSectionCount ? kLabels[section] : std::string_view();
}

const std::string& MessageCatalogue::HexText(uint8_t code) {
    static const auto kTexts = [] {
        std::array<std::string, 256> texts;
        for (unsigned c = 0; c < 256; ++c) {
            texts[c] = "0x";
            Hex::AppendOctet(texts[c], static_cast<uint8_t>(c));
        }
        return texts;
    }();
    return kTexts[code];
}
