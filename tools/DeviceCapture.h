#pragma once
// A capture from the device without a desktop: connects and identifies it on
// COMN as the main window does, starts monitoring, hands each frame to a sink
// as it arrives, and on the way out stops the device and resets the voice
// monitor. velkdump --capture and the Wireshark extcap program share it.
#include <atomic>
#include <cstdint>
#include <functional>

#include "store/FrameRecord.h"

class DeviceCapture {
public:
    struct Settings {
        int comNumber = 1;       // COMN
        uint64_t count = 0;      // stop after this many frames; 0 = until stop
        bool rateFallback = true;
        const char* tool = "velkdump";  // the name its messages start with
    };
    // Writes one numbered frame; false when the output failed.
    using Sink = std::function<bool(const FrameRecord&)>;

    // 0 when ended by stop or the count; 1 when the port or the device could
    // not be reached or went away (every frame before it is written); 2
    // when the sink failed.
    static int Run(const Settings& settings, const Sink& sink, const std::atomic<bool>& stop);
};
