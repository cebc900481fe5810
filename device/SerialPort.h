#pragma once
// One COM port: opened exclusively by number, raw 8-bit line without flow
// control, reads that never wait, writes that give up after 500 ms, and the
// incoming bytes cut into lines ending in a terminator sequence.
#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class SerialPort {
public:
    // Line codes; each names one piece of the definition string.
    enum Code : uint8_t {
        kBaud1200 = 4, kBaud2400, kBaud4800, kBaud9600, kBaud19200, kBaud38400,
        kParityNone = 10, kParityEven, kParityOdd,
        kData8 = 13, kData7,
        kStop1 = 15, kStop2,
    };
    static constexpr int kWriteTimeoutMs = 500;
    static constexpr size_t kReadChunk = 1024;
    // Indices beyond the 8-bit signed range never name a port.
    static constexpr int kMaxPortIndex = 127;

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens COM(portIndex + 1) exclusively and configures it; true when the
    // port opened, whatever the configuration gave. A negative index
    // changes nothing.
    bool Open(int portIndex);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Codes 4..9 only; the result is that of Configure.
    bool SetBaudCode(int code);
    bool Configure();

    // True when every byte went out within 500 ms.
    bool Write(const uint8_t* bytes, size_t length);
    // Whatever has arrived, at most maximum bytes; 0 on failure or closed.
    size_t Read(uint8_t* buffer, size_t maximum);
    // The device went away since the port opened: the line hung up, a read
    // or write failed as on a vanished device, or the device node is gone.
    bool Vanished() const { return vanished_.load(); }

    // A copy of the bytes; an empty sequence removes the terminator.
    void SetTerminator(const uint8_t* bytes, size_t length);
    // The bytes, then the terminator when one is set.
    bool Send(const uint8_t* bytes, size_t length);
    bool Send(std::string_view text) {
        return Send(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    // Hands out the front of the next complete line, terminator included,
    // at most maximum bytes a call; 0 while no complete line is queued.
    size_t ReadLine(uint8_t* buffer, size_t maximum);

    // Drops the queued bytes, such as the unfinished line of a device that
    // went away.
    void DiscardQueued();

    int PortIndex() const { return portIndex_; }
    int BaudCode() const { return baudCode_; }
    size_t Pending() const { return pending_; }
    size_t Queued() const { return queue_.size(); }
    // "COM1" .. "COM9", then "\\.\COM10" and up.
    std::string Name() const;
    // The line definition built from the current codes, such as
    // "COM1:9600, n, 8, 1".
    std::string Definition() const;
    // The device the last successful Open used.
    const std::string& DevicePath() const { return devicePath_; }

private:
    // An idle line reads 0 octets as well: only the hang-up or the node
    // tells them apart.
    bool LineGone() const;

    int fd_ = -1;
    int portIndex_ = 0;
    uint8_t baudCode_ = kBaud9600;
    uint8_t parityCode_ = kParityNone;
    uint8_t dataBitsCode_ = kData8;
    uint8_t stopBitsCode_ = kStop1;
    std::vector<uint8_t> terminator_;
    size_t pending_ = 0;
    // Front positions of the queue already known not to start a terminator.
    size_t scanned_ = 0;
    std::deque<uint8_t> queue_;
    std::string devicePath_;
    // The node opened (links resolved) and its identity, to see it go.
    std::string node_;
    dev_t nodeDevice_ = 0;
    ino_t nodeInode_ = 0;
    // Set by the reading and the writing thread alike.
    std::atomic<bool> vanished_{false};
};
