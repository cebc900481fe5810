#include "calls/LadderCaptions.h"

#include "base/Cp932.h"
#include "base/DataFolder.h"
#include "base/SmallFile.h"

namespace {

// A CP932 trail byte.
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

}  // namespace

std::string LadderCaptions::DefaultPath() { return DataFolder::Path() + kFileName; }

bool LadderCaptions::Valid(std::string_view caption) {
    if (caption.empty() || caption.size() > kMaxLength) return false;
    for (size_t i = 0; i < caption.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption[i]);
        if (c < 0x20 || c == 0x7F) return false;
        if (!Cp932::IsLeadByte(c)) continue;
        if (++i == caption.size() || !IsTrail(static_cast<unsigned char>(caption[i]))) return false;
    }
    return true;
}

bool LadderCaptions::Parse(std::string_view text) {
    bool seenTx = false, seenRx = false;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const std::string_view key = line.substr(0, 3), caption = line.substr(std::min<size_t>(3, line.size()));
        bool& seen = key == "TX=" ? seenTx : seenRx;
        if ((key != "TX=" && key != "RX=") || seen || !Valid(caption)) return false;
        seen = true;
        (key == "TX=" ? tx : rx) = std::string(caption);
    }
    return seenTx && seenRx;
}

LadderCaptions::LoadResult LadderCaptions::Load(const std::string& path) {
    return SmallFile::LoadSettings<LoadResult>(path, kMaxFile, *this,
                                               [this](std::string_view text) { return Parse(text); });
}

LadderCaptions::SaveResult LadderCaptions::Save(const std::string& path) const {
    if (!Valid(tx) || !Valid(rx)) return kInvalid;
    return SmallFile::Replace(path, "TX=" + tx + "\r\nRX=" + rx + "\r\n") ? kSaved : kUnwritable;
}
