#pragma once
// Helpers shared by the tests: frames with their FCS, catalogues from UTF-8,
// display options with chosen columns, a private folder, whole-file reads and
// writes, a disk that fills up and a closed stdin. Header-only; included by path.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
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

// The body followed by its FCS, worked out here bit by bit; a wrong FCS when good is false.
inline std::vector<uint8_t> WithFcs(std::vector<uint8_t> body, bool good = true) {
    uint16_t crc = 0xFFFF;
    for (uint8_t octet : body) {
        crc ^= octet;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    crc ^= good ? 0xFFFF : 0xFEFE;
    body.insert(body.end(), {static_cast<uint8_t>(crc & 0xFF), static_cast<uint8_t>(crc >> 8)});
    return body;
}

// The octets as given, flags included.
inline FrameRecord RawFrame(const std::vector<uint8_t>& bytes, uint8_t direction = FrameRecord::kTx) {
    FrameRecord r(direction);
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

// A record of `octets` octets between its flags, each of them n; TX for
// even n, RX for odd.
inline FrameRecord Octets(int n, size_t octets) {
    std::vector<uint8_t> bytes(octets + 2, static_cast<uint8_t>(n));
    bytes.front() = bytes.back() = 0x7E;
    return RawFrame(bytes, static_cast<uint8_t>(n & 1));
}

// Flags around the body and its FCS.
inline FrameRecord FcsFrame(const std::vector<uint8_t>& body, uint8_t direction = FrameRecord::kTx, bool goodFcs = true) {
    std::vector<uint8_t> bytes = WithFcs(body, goodFcs);
    bytes.insert(bytes.begin(), 0x7E);
    bytes.push_back(0x7E);
    return RawFrame(bytes, direction);
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
inline FrameRecord Q931Frame(uint8_t messageType, const std::vector<uint8_t>& elements, uint8_t direction = FrameRecord::kTx) {
    return Q931Frame({0x01, 0x01}, messageType, elements, direction);
}

// A SAPI 16 I frame carrying the packet.
inline FrameRecord X25Frame(const std::vector<uint8_t>& packet, uint8_t direction = FrameRecord::kTx) {
    std::vector<uint8_t> body{0x40, 0x01, 0x00, 0x00};
    body.insert(body.end(), packet.begin(), packet.end());
    return FcsFrame(body, direction);
}

// Octets from pairs of hex digits; spaces are for reading only.
inline std::vector<uint8_t> HexBytes(std::string_view hex) {
    std::vector<uint8_t> octets;
    for (size_t i = 0; i + 1 < hex.size(); i += hex[i] == ' ' ? 1 : 2)
        if (hex[i] != ' ') octets.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return octets;
}

// "7E 00 01 ..." as a record, flags and FCS as written.
inline FrameRecord HexFrame(std::string_view hex, uint8_t direction, int32_t index, int h = 0, int m = 0, int s = 0, int ms = 0) {
    FrameRecord r = RawFrame(HexBytes(hex), direction);
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
    return static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())).flush());
}

// What writeTo(fd) writes into a new file; ok is its result.
template <typename Write>
std::string Written(Write writeTo, bool& ok) {
    TempFolder folder;
    const int fd = ::open((folder.Path() + "/written").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ok = writeTo(fd);
    ::close(fd);
    return ReadFile(folder.Path() + "/written");
}

// The result of run() while no file can grow past `bytes` (a disk that fills up).
template <typename Run>
bool WithFileSizeLimit(rlim_t bytes, Run run) {
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit limit = old;
    limit.rlim_cur = bytes;
    auto handler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool result = run();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, handler);
    return result;
}

// The result of run() with descriptor 0 free, as in a program started with
// stdin closed: the next file opened gets it. run() closes what it opened.
template <typename Run>
bool WithStdinClosed(Run run) {
    const int saved = ::dup(0);
    if (saved >= 0) ::close(0);
    const bool result = run();
    if (saved >= 0) {
        ::dup2(saved, 0);
        ::close(saved);
    }
    return result;
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
