#pragma once
// Wireshark's external capture interface: one interface per COM port of the
// port list, link type LAPD, two settings (the line rate fallback and the
// frame count), and the capture itself written to Wireshark's pipe as
// pcapng, frame by frame as the device sends them.
#include <atomic>
#include <cstdint>
#include <string>

class Extcap {
public:
    struct Capture {
        std::string interface;  // "COMn"
        std::string fifo;
        uint64_t count = 0;
        bool rateFallback = true;
    };

    static std::string Interfaces();
    static std::string Dlts();
    static std::string Config();
    // The COM number of an interface value "COMn", or 0.
    static int ComNumber(const std::string& interface);
    // 0 when stopped or the count was reached; non-zero with a message on
    // standard error, which Wireshark shows.
    static int Run(const Capture& capture, const std::atomic<bool>& stop);
};
