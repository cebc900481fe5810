#pragma once
// Small helpers of the export tests: CP932 literals, frames from hex, a
// private folder, whole-file reads and writes.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/Cp932.h"
#include "store/FrameRecord.h"
#include "store/TimeStamp.h"

namespace exporttest {

inline std::string Sjis(std::string_view utf8) { return Cp932::FromUtf8(utf8); }

// "7E 00 01 ..." as a record, flags and FCS as written.
inline FrameRecord FromHex(std::string_view hex, uint8_t direction, int32_t index,
                           int h = 0, int m = 0, int s = 0, int ms = 0) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    FrameRecord r(direction);
    r.SetBytes(bytes.data(), bytes.size());
    r.SetIndex(index);
    TimeStamp t;
    t.Set(h, m, s, ms);
    r.SetTime(t);
    return r;
}

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velk-export-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace exporttest
