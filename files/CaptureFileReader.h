#pragma once
// Frames out of pcap and pcapng files of link type LAPD (203, from the
// address octet on) or LINUX_LAPD (177, behind a 16-octet cooked header
// whose packet type tells what was sent). Every length is checked against
// what the file holds: a hostile file gets a message, never a read past it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CaptureFileReader {
public:
    static constexpr uint32_t kLinkTypeLapd = 203;
    static constexpr uint32_t kLinkTypeLinuxLapd = 177;
    static constexpr uint32_t kMaxFrame = 65535;

    struct Frame {
        bool rx = false;        // inbound; outbound or not told is TX
        bool crcError = false;  // pcapng packet flags: the FCS failed on the line
        int64_t seconds = 0;    // since the epoch
        uint32_t micros = 0;
        std::string_view octets;  // address through information field
    };
    using OnFrame = std::function<void(const Frame&)>;

    // A whole file in memory (CaptureStream reads one in chunks). False
    // with a message (English, for the command line) at the first fault;
    // the frames before it have been handed over.
    static bool Read(std::string_view file, const OnFrame& onFrame, std::string& message);
};
