#include "files/CaptureStream.h"

#include <functional>

namespace {

using Frame = CaptureFileReader::Frame;

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

constexpr uint32_t kSectionMagic = 0x0A0D0D0A;
constexpr uint32_t kLargestHeldBlock = 1u << 20;
constexpr uint32_t kPcapMagic = 0xA1B2C3D4, kPcapNanoMagic = 0xA1B23C4D;

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

}  // namespace

bool CaptureStream::IsCapture(std::string_view start) {
    Order order;
    return OrderOf(start, kSectionMagic, order) || OrderOf(start, kPcapMagic, order) ||
           OrderOf(start, kPcapNanoMagic, order);
}

CaptureStream::Result CaptureStream::Fault(std::string message) {
    faulted_ = true;
    message_ = std::move(message);
    return kFault;
}

CaptureStream::Result CaptureStream::Next(Frame& frame) {
    if (faulted_) return kFault;
    if (kind_ == kUnknown) {
        const Result started = Start();
        if (started != kFrame) return started;
    }
    input_.Consume(done_);  // held whole: never reads
    done_ = 0;
    return kind_ == kPcap ? NextPcap(frame) : NextPcapng(frame);
}

CaptureStream::Result CaptureStream::Start() {
    Order order;
    input_.Ensure(4);
    const std::string_view start = input_.Data();
    if (OrderOf(start, kSectionMagic, order)) {
        kind_ = kPcapng;
        return kFrame;
    }
    if (!OrderOf(start, kPcapMagic, order) && !OrderOf(start, kPcapNanoMagic, order))
        return Fault("not a pcap or pcapng file");
    kind_ = kPcap;
    nanos_ = !OrderOf(start, kPcapMagic, order) && OrderOf(start, kPcapNanoMagic, order);
    swapped_ = order.swapped;
    constexpr size_t kHeader = 24;
    if (!input_.Ensure(kHeader)) return Fault("a truncated pcap header");
    linkType_ = order.U32(input_.Data(), 20) & 0xFFFF;
    bool unused = false;
    std::string_view none;
    if (!Unwrap(linkType_, input_.Data().substr(0, 16), unused, none, message_)) return Fault(message_);
    done_ = kHeader;
    return kFrame;
}

CaptureStream::Result CaptureStream::NextPcap(Frame& frame) {
    const Order order{swapped_};
    constexpr size_t kRecordHeader = 16;
    if (!input_.Ensure(1)) return input_.Failed() ? Fault("") : kEnd;
    if (!input_.Ensure(kRecordHeader)) return Fault("a truncated pcap record header");
    const uint32_t length = order.U32(input_.Data(), 8);
    if (length > CaptureFileReader::kMaxFrame + 16)
        return Fault("a pcap record of an absurd length " + std::to_string(length));
    if (!input_.Ensure(kRecordHeader + length)) return Fault("a truncated pcap record");
    const std::string_view record = input_.Data();
    frame = Frame();
    frame.seconds = order.U32(record, 0);
    frame.micros = order.U32(record, 4) / (nanos_ ? 1000 : 1) % 1'000'000;
    if (!Unwrap(linkType_, record.substr(kRecordHeader, length), frame.rx, frame.octets, message_))
        return Fault(message_);
    done_ = kRecordHeader + length;
    return kFrame;
}

CaptureStream::Result CaptureStream::NextPcapng(Frame& frame) {
    Order order{swapped_};
    for (;;) {
        if (!input_.Consume(done_)) return Fault("a corrupt pcapng block length");
        done_ = 0;
        if (!input_.Ensure(1)) return input_.Failed() ? Fault("") : kEnd;
        if (!input_.Ensure(12)) return Fault("a truncated pcapng block");
        std::string_view head = input_.Data();
        const uint32_t type = order.U32(head, 0);
        if (type == kSectionMagic) {
            // A new section: its own byte order, its own interfaces.
            if (!OrderOf(head.substr(8), 0x1A2B3C4D, order))
                return Fault("a pcapng section without its byte-order magic");
            swapped_ = order.swapped;
            interfaces_.clear();
        }
        const uint32_t total = order.U32(head, 4);
        if (total < 12 || total % 4 != 0) return Fault("a corrupt pcapng block length");
        if (type != 1 && type != 6 && type != 3 && type != 2) {
            // No packets in it: read past it with only its closing length held.
            if (!input_.Consume(total - 4) || !input_.Ensure(4) || order.U32(input_.Data(), 0) != total)
                return Fault("a corrupt pcapng block length");
            done_ = 4;
            continue;
        }
        // A block that is held whole: far more than a frame and its options
        // is a corrupt length, not a reason to read the file into memory.
        if (total > kLargestHeldBlock) return Fault("an absurd pcapng block length");
        if (!input_.Ensure(total) || order.U32(input_.Data(), total - 4) != total)
            return Fault("a corrupt pcapng block length");
        const std::string_view body = input_.Data().substr(8, total - 12);
        done_ = total;
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
            if (body.size() < 8) return Fault("a truncated interface description");
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
            interfaces_.push_back(i);
            continue;
        }
        const size_t fixed = type == 3 ? 4 : 20;
        if (body.size() < fixed) return Fault("a truncated packet block");
        const uint32_t id = type == 6 ? order.U32(body, 0) : type == 2 ? order.U16(body, 0) : 0;
        if (id >= interfaces_.size()) return Fault("a packet of an interface never described");
        const uint32_t length = type == 3 ? order.U32(body, 0) : order.U32(body, 12);
        if (length > CaptureFileReader::kMaxFrame + 16 || length > body.size() - fixed)
            return Fault("a packet of an absurd or truncated length");
        frame = Frame();
        if (type != 3) {
            const Interface& i = interfaces_[id];
            uint64_t perSecond = 1;
            if (i.decimal) {
                for (uint32_t k = 0; k < i.exponent && k < 19; ++k) perSecond *= 10;
            } else {
                perSecond = i.exponent < 63 ? uint64_t(1) << i.exponent : uint64_t(1) << 62;
            }
            const uint64_t units = uint64_t(order.U32(body, 4)) << 32 | order.U32(body, 8);
            frame.seconds = static_cast<int64_t>(units / perSecond) + i.offset;
            frame.micros =
                static_cast<uint32_t>(static_cast<unsigned __int128>(units % perSecond) * 1'000'000 / perSecond);
            options(fixed + (length + 3u) / 4 * 4, [&](uint16_t code, std::string_view v) {
                if (code != 2 || v.size() != 4) return;
                const uint32_t flags = order.U32(v, 0);
                frame.rx = (flags & 0x3) == 1;  // inbound
                frame.crcError = (flags & 1u << 24) != 0;
            });
        }
        if (!Unwrap(interfaces_[id].linkType, body.substr(fixed, length), frame.rx, frame.octets, message_))
            return Fault(message_);
        return kFrame;
    }
}
