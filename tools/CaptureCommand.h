#pragma once
// `velkdump --capture N`: monitors the device on COMN without a desktop and
// writes each frame, as it arrives, as a trace file record.
#include <atomic>
#include <cstdint>
#include <string>

class CaptureCommand {
public:
    struct Settings {
        int comNumber = 1;      // COMN
        uint64_t count = 0;     // stop after this many frames; 0 = until a signal
        std::string output;     // trace file to write; empty = standard output
    };

    // 0 when the run ended by a signal or the count; non-zero when the port
    // or the device could not be reached or went away, or the output failed.
    static int Run(const Settings& settings, const std::atomic<bool>& stop);
};
