#pragma once
// The frames of a pcap or pcapng file read in chunks, one at a time: one
// block (or record) is held at a time, so a capture of any size reads in
// little memory. Every length is checked against what the file holds: a
// hostile file gets a message, never a read past it.
#include <cstdint>
#include <string>
#include <vector>

#include "files/CaptureFileReader.h"
#include "files/ChunkedInput.h"

class CaptureStream {
public:
    explicit CaptureStream(ChunkedInput& input) : input_(input) {}

    // kFault: Message() tells what is wrong with the file, or the input's
    // read failed (input.Failed()). A frame's octets stay valid until the
    // next call.
    enum Result { kFrame, kEnd, kFault };
    Result Next(CaptureFileReader::Frame& frame);
    const std::string& Message() const { return message_; }

    // Whether the first four bytes are a pcap or pcapng magic number.
    static bool IsCapture(std::string_view start);

private:
    struct Interface {
        uint32_t linkType = 0;
        bool decimal = true;  // if_tsresol: a power of ten, else of two
        uint32_t exponent = 6;
        int64_t offset = 0;   // if_tsoffset, seconds
    };
    enum Kind { kUnknown, kPcap, kPcapng };

    Result Start();
    Result NextPcap(CaptureFileReader::Frame& frame);
    Result NextPcapng(CaptureFileReader::Frame& frame);
    Result Fault(std::string message);

    ChunkedInput& input_;
    Kind kind_ = kUnknown;
    bool swapped_ = false;
    bool nanos_ = false;      // pcap: nanosecond time stamps
    uint32_t linkType_ = 0;   // pcap
    std::vector<Interface> interfaces_;  // pcapng: of the current section
    size_t done_ = 0;         // bytes of the last block still to be consumed
    bool faulted_ = false;
    std::string message_;
};
