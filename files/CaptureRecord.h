#pragma once
// A frame of a pcap or pcapng capture as a trace record: its FCS computed
// afresh (inverted for a frame flagged with a CRC error, so that it fails
// again), its direction from the capture, its time of day from the time
// stamp in local time. INDEX is left to the caller.
#include <cstdint>
#include <vector>

#include "files/CaptureFileReader.h"
#include "store/FrameRecord.h"

class CaptureRecord {
public:
    // bytes is scratch space, kept by the caller from frame to frame.
    static FrameRecord Of(const CaptureFileReader::Frame& frame, std::vector<uint8_t>& bytes);
};
