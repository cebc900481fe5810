#include "files/CaptureFileReader.h"

namespace {

// Little- or big-endian integers at an offset already checked to be inside.
struct Order {
    bool swapped = false;
    uint32_t U32(std::string_view s, size_t at) const {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const uint32_t byte = static_cast<uint8_t>(s[at + (swapped ? i : 3 - i)]);
            v = v << 8 | byte;
        }
        return v;
    }
    uint16_t U16(std::string_view s, size_t at) const {
        const uint16_t a = static_cast<uint8_t>(s[at]), b = static_cast<uint8_t>(s[at + 1]);
        return swapped ? static_cast<uint16_t>(a << 8 | b) : static_cast<uint16_t>(b << 8 | a);
    }
};

// Order of the file's magic number, written by a machine of either order.
bool OrderOf(std::string_view s, uint32_t magic, Order& order) {
    if (s.size() < 4) return false;
    order.swapped = false;
    if (order.U32(s, 0) == magic) return true;
    order.swapped = true;
    return order.U32(s, 0) == magic;
}

struct Interface {
    uint32_t linkType = 0;
    bool decimal = true;   // if_tsresol: a power of ten, else of two
    uint32_t exponent = 6;
    int64_t offset = 0;    // if_tsoffset, seconds
};

// The LAPD frame of a packet of the link type; false for another link type.
bool Unwrap(uint32_t linkType, std::string_view data, bool& rx, std::string_view& octets, std::string& message) {
    if (linkType == CaptureFileReader::kLinkTypeLapd) {
        octets = data;
        return true;
    }
    if (linkType == CaptureFileReader::kLinkTypeLinuxLapd) {
        constexpr size_t kCooked = 16;
        if (data.size() < kCooked) {
            message = "a LINUX_LAPD packet shorter than its header";
            return false;
        }
        rx = (static_cast<uint8_t>(data[0]) << 8 | static_cast<uint8_t>(data[1])) != 4;  // 4: sent by us
        octets = data.substr(kCooked);
        return true;
    }
    message = "link type " + std::to_string(linkType) + " is not LAPD (203) or LINUX_LAPD (177)";
    return false;
}

void SplitTime(uint64_t units, const Interface& i, int64_t& seconds, uint32_t& micros) {
    uint64_t perSecond = 1;
    if (i.decimal) {
        for (uint32_t k = 0; k < i.exponent && k < 19; ++k) perSecond *= 10;
    } else {
        perSecond = i.exponent < 63 ? uint64_t(1) << i.exponent : uint64_t(1) << 62;
    }
    seconds = static_cast<int64_t>(units / perSecond) + i.offset;
    micros = static_cast<uint32_t>(static_cast<unsigned __int128>(units % perSecond) * 1'000'000 / perSecond);
}

}  // namespace

bool CaptureFileReader::Read(std::string_view file, const OnFrame& onFrame, std::string& message) {
    Order order;
    if (OrderOf(file, 0x0A0D0D0A, order)) return ReadPcapng(file, onFrame, message);
    if (OrderOf(file, 0xA1B2C3D4, order) || OrderOf(file, 0xA1B23C4D, order)) return ReadPcap(file, onFrame, message);
    message = "not a pcap or pcapng file";
    return false;
}

bool CaptureFileReader::ReadPcap(std::string_view file, const OnFrame& onFrame, std::string& message) {
    Order order;
    const bool nanos = !OrderOf(file, 0xA1B2C3D4, order) && OrderOf(file, 0xA1B23C4D, order);
    constexpr size_t kHeader = 24, kRecordHeader = 16;
    if (file.size() < kHeader) {
        message = "a truncated pcap header";
        return false;
    }
    const uint32_t linkType = order.U32(file, 20) & 0xFFFF;
    bool unused = false;
    std::string_view none;
    if (!Unwrap(linkType, std::string_view(file.data(), 16), unused, none, message)) return false;
    for (size_t at = kHeader; at < file.size();) {
        if (file.size() - at < kRecordHeader) {
            message = "a truncated pcap record header";
            return false;
        }
        const uint32_t length = order.U32(file, at + 8);
        if (length > kMaxFrame + 16) {
            message = "a pcap record of an absurd length " + std::to_string(length);
            return false;
        }
        if (file.size() - at - kRecordHeader < length) {
            message = "a truncated pcap record";
            return false;
        }
        Frame frame;
        frame.seconds = order.U32(file, at);
        frame.micros = order.U32(file, at + 4) / (nanos ? 1000 : 1) % 1'000'000;
        if (!Unwrap(linkType, file.substr(at + kRecordHeader, length), frame.rx, frame.octets, message)) return false;
        onFrame(frame);
        at += kRecordHeader + length;
    }
    return true;
}

bool CaptureFileReader::ReadPcapng(std::string_view file, const OnFrame& onFrame, std::string& message) {
    Order order;
    std::vector<Interface> interfaces;
    for (size_t at = 0; at < file.size();) {
        if (file.size() - at < 12) {
            message = "a truncated pcapng block";
            return false;
        }
        const uint32_t type = order.U32(file, at);
        if (type == 0x0A0D0D0A) {
            // A new section: its own byte order, its own interfaces.
            if (!OrderOf(file.substr(at + 8), 0x1A2B3C4D, order)) {
                message = "a pcapng section without its byte-order magic";
                return false;
            }
            interfaces.clear();
        }
        const uint32_t total = order.U32(file, at + 4);
        if (total < 12 || total % 4 != 0 || total > file.size() - at || order.U32(file, at + total - 4) != total) {
            message = "a corrupt pcapng block length";
            return false;
        }
        const std::string_view body = file.substr(at + 8, total - 12);
        at += total;
        // Options after a fixed part: code, length, value padded to 4.
        auto options = [&](size_t from, const std::function<void(uint16_t, std::string_view)>& take) {
            for (size_t o = from; o + 4 <= body.size();) {
                const uint16_t code = order.U16(body, o), length = order.U16(body, o + 2);
                if (code == 0 || body.size() - o - 4 < length) return;
                take(code, body.substr(o + 4, length));
                o += 4 + (length + 3u) / 4 * 4;
            }
        };
        if (type == 1) {  // interface description
            if (body.size() < 8) {
                message = "a truncated interface description";
                return false;
            }
            Interface i;
            i.linkType = order.U16(body, 0);
            options(8, [&](uint16_t code, std::string_view v) {
                if (code == 9 && v.size() == 1) {
                    i.decimal = (v[0] & 0x80) == 0;
                    i.exponent = v[0] & 0x7F;
                } else if (code == 14 && v.size() == 8) {
                    i.offset = static_cast<int64_t>(uint64_t(order.U32(v, order.swapped ? 0 : 4)) << 32 |
                                                    order.U32(v, order.swapped ? 4 : 0));
                }
            });
            interfaces.push_back(i);
            continue;
        }
        if (type != 6 && type != 3 && type != 2) continue;  // blocks without packets
        const size_t fixed = type == 3 ? 4 : 20;
        if (body.size() < fixed) {
            message = "a truncated packet block";
            return false;
        }
        const uint32_t id = type == 6 ? order.U32(body, 0) : type == 2 ? order.U16(body, 0) : 0;
        if (id >= interfaces.size()) {
            message = "a packet of an interface never described";
            return false;
        }
        const uint32_t length = type == 3 ? order.U32(body, 0) : order.U32(body, 12);
        if (length > kMaxFrame + 16 || length > body.size() - fixed) {
            message = "a packet of an absurd or truncated length";
            return false;
        }
        Frame frame;
        if (type != 3) {
            const uint64_t units = uint64_t(order.U32(body, 4)) << 32 | order.U32(body, 8);
            SplitTime(units, interfaces[id], frame.seconds, frame.micros);
        }
        if (type != 3)
            options(fixed + (length + 3u) / 4 * 4, [&](uint16_t code, std::string_view v) {
                if (code != 2 || v.size() != 4) return;
                const uint32_t flags = order.U32(v, 0);
                frame.rx = (flags & 0x3) == 1;  // inbound
                frame.crcError = (flags & 1u << 24) != 0;
            });
        if (!Unwrap(interfaces[id].linkType, body.substr(fixed, length), frame.rx, frame.octets, message)) return false;
        onFrame(frame);
    }
    return true;
}
