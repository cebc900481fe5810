#pragma once
// Pseudo-terminals standing in for serial ports, and a private ports folder
// so that no test can reach a real serial port of the machine.
#include <termios.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "store/FrameRecord.h"

// The folder VELKSCOPE_PORTS names for this test process, set before main,
// so that no test can reach a real serial port of the machine.
class TestPorts {
public:
    static const std::string& Folder();
    // COM<number> -> target, replacing any earlier link.
    static void Link(int number, const std::string& target);
    static void Unlink(int number);
};

// Polls pred every 5 ms for up to `ms`; the result is pred's last answer.
bool WaitUntil(const std::function<bool()>& pred, int ms = 2000);

// The octets of a record, flags included.
std::vector<uint8_t> BytesOf(const FrameRecord& r);

// A pseudo-terminal pair in raw mode; the test keeps a slave descriptor
// open as a device would, so the master survives the host's reopening.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int Master() const { return master_; }
    int Slave() const { return slave_; }
    // Writes everything into the master (the device's side).
    bool Write(std::string_view bytes);
    // Reads the master until `want` bytes came or `ms` passed.
    std::string Read(size_t want, int ms = 1000);
    // Reads whatever the master has now, after a short settle.
    std::string Drain(int settleMs = 50);
    // Appends what the master has now to `got`.
    void ReadNow(std::string& got);
    speed_t SlaveSpeed() const;
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// A scripted capture device on a pty master: it answers only while the
// host's line rate equals its own, echoes each command's first character and
// answers "V", "T" and "I" as told. Commands it received are recorded.
class FakeDevice {
public:
    struct Script {
        speed_t rate = B9600;
        std::string identity;  // reply to "V"; empty: silent
        std::string clock;     // reply to "T"
        std::vector<std::string> status;  // replies to "I"
    };

    FakeDevice(PtyPair& pty, Script script);
    ~FakeDevice();

    std::vector<std::string> Commands() const;
    // Waits until `command` was received (at the host's rate or not).
    bool WaitForCommand(const std::string& command, int ms = 2000) const;

private:
    void Run();
    void Reply(const std::string& line);

    PtyPair& pty_;
    Script script_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> commands_;
    std::thread thread_;
};
