#pragma once
// Helpers shared by the decoder, detail, export and main-window tests:
// frames with their FCS, catalogues from UTF-8, a private folder and whole-file
// reads and writes. Header-only; included by path.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/Cp932.h"
#include "decode/MessageCatalogue.h"
#include "options/OptionData.h"
#include "store/FrameRecord.h"
#include "store/TimeStamp.h"

namespace testsupport {

inline std::string Sjis(std::string_view utf8) { return Cp932::FromUtf8(utf8); }

inline MessageCatalogue Catalogue(std::string_view utf8) {
    MessageCatalogue c;
    c.LoadText(Sjis(utf8));
    return c;
}

// The body followed by its FCS; a wrong FCS when good is false.
inline std::vector<uint8_t> WithFcs(std::vector<uint8_t> body, bool good = true) {
    uint16_t crc = 0xFFFF;
    for (uint8_t octet : body) {
        crc ^= octet;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    crc ^= good ? 0xFFFF : 0xFEFE;
    body.push_back(static_cast<uint8_t>(crc & 0xFF));
    body.push_back(static_cast<uint8_t>(crc >> 8));
    return body;
}

// The octets as given, flags included.
inline FrameRecord RawFrame(const std::vector<uint8_t>& bytes, uint8_t direction = FrameRecord::kTx) {
    FrameRecord r(direction);
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

// Flags around the body and its FCS.
inline FrameRecord FcsFrame(const std::vector<uint8_t>& body, uint8_t direction = FrameRecord::kTx,
                         bool goodFcs = true) {
    std::vector<uint8_t> bytes{0x7E};
    for (uint8_t o : WithFcs(body, goodFcs)) bytes.push_back(o);
    bytes.push_back(0x7E);
    FrameRecord r(direction);
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

// A SAPI 0 I frame with PD 0x08, the call reference octets (length octet
// first) and the message type, then the elements.
inline FrameRecord Q931Frame(const std::vector<uint8_t>& callRef, uint8_t messageType,
                        const std::vector<uint8_t>& elements, uint8_t direction = FrameRecord::kTx) {
    std::vector<uint8_t> body{0x00, 0x01, 0x00, 0x00, 0x08};
    body.insert(body.end(), callRef.begin(), callRef.end());
    body.push_back(messageType);
    body.insert(body.end(), elements.begin(), elements.end());
    return FcsFrame(body, direction);
}

// The same with a one-octet call reference of value 1.
inline FrameRecord Q931Frame(uint8_t messageType, const std::vector<uint8_t>& elements,
                        uint8_t direction = FrameRecord::kTx) {
    return Q931Frame({0x01, 0x01}, messageType, elements, direction);
}

// A SAPI 16 I frame carrying the packet.
inline FrameRecord X25Frame(const std::vector<uint8_t>& packet, uint8_t direction = FrameRecord::kTx) {
    std::vector<uint8_t> body{0x40, 0x01, 0x00, 0x00};
    body.insert(body.end(), packet.begin(), packet.end());
    return FcsFrame(body, direction);
}

// "7E 00 01 ..." as a record, flags and FCS as written.
inline FrameRecord HexFrame(std::string_view hex, uint8_t direction, int32_t index, int h = 0,
                           int m = 0, int s = 0, int ms = 0) {
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

// The default display options with only these columns, in this order, and
// the data split by `split` octets a line.
inline DisplayOptions Columns(std::initializer_list<int32_t> ids, int8_t split = 0) {
    DisplayOptions o = OptionData::DefaultDisplayOptions();
    o.columnOrder.fill(DisplayOptions::kEndOfColumns);
    std::copy(ids.begin(), ids.end(), o.columnOrder.begin());
    o.dataSplit = split;
    return o;
}

// A private folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velk-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    // The path with a closing slash, as the log folders are given.
    std::string Slash() const { return path_ + "/"; }

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

// The names of the .log files in a folder, sorted.
inline std::vector<std::string> LogFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".log") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace testsupport
