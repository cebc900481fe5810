#pragma once
// Pseudo-terminals standing in for serial ports, and a private ports folder
// so that no test can reach a real serial port of the machine.
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/FrameRecord.h"

// The folder VELKSCOPE_PORTS names for this test process, set before main.
class TestPorts {
public:
    static const std::string& Folder();
    // COM<number> -> target, replacing any earlier link.
    static void Link(int number, const std::string& target);
    static void Unlink(int number);
};

// "TX 12:34:56.789 7E02017E": direction, time and octets, flags included.
std::string Shown(const FrameRecord& r);

// A pseudo-terminal pair in raw mode at 9600 bit/s; the test keeps the slave
// open as a device would, so the master survives the host's reopening.
struct PtyPair {
    PtyPair() {
        struct termios raw {};
        cfmakeraw(&raw);
        cfsetspeed(&raw, B9600);
        char name[256] = {};
        if (openpty(&master, &slave, name, &raw, nullptr) != 0) std::abort();
        slavePath = name;
    }
    ~PtyPair() {
        close(master);
        close(slave);
    }
    PtyPair(const PtyPair&) = delete;  // one owner closes the descriptors

    speed_t SlaveSpeed() const {
        struct termios tio {};
        tcgetattr(slave, &tio);
        return cfgetospeed(&tio);
    }
    // Writes everything into the master (the device's side).
    bool Write(std::string_view bytes);
    // What the master has until `want` bytes came or nothing came for `ms`.
    std::string Read(size_t want = SIZE_MAX, int ms = 1000);

    int master = -1, slave = -1;
    std::string slavePath;
};
