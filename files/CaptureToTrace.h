#pragma once
// A pcap or pcapng capture of LAPD frames as trace file text: each frame's
// FCS computed afresh (inverted for a frame flagged with a CRC error), its
// direction from the capture, its time of day from the time stamp in local
// time.
#include <string>
#include <string_view>

class CaptureToTrace {
public:
    // Appends the record texts to trace; false with a message when the
    // capture is faulty (trace then holds the frames before the fault).
    static bool Convert(std::string_view capture, std::string& trace, std::string& message);
};
