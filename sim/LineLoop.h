#pragma once
// velksim's run: the device on the pseudo-terminal, taking the host's
// commands and putting its output on the line while the host's line rate
// equals its own (at any other rate the device is silent and deaf, as a real
// one is to garbage), until a signal sets the stop flag.
#include <signal.h>
#include <termios.h>

#include <atomic>
#include <utility>

#include "sim/DeviceEmulator.h"
#include "sim/PtyLink.h"

class LineLoop {
public:
    LineLoop(PtyLink& link, DeviceEmulator& device, speed_t speed, DeviceEmulator::Log log)
        : link_(link), device_(device), speed_(speed), log_(std::move(log)) {}

    // Serves the line until stop is set, or until the host has read the
    // last line of a device that is vanishing; stop's signals are delivered
    // only inside the wait, with waitMask. False when the line failed (said
    // on stderr).
    bool Run(const std::atomic<bool>& stop, const sigset_t& waitMask);

private:
    // The vanishing device's last byte has reached the host.
    bool HostHasItAll();
    // Output due now at the right rate; the milliseconds to wait at most.
    int Produce();
    void Read(int fd);
    // False when the master side failed for good (errno tells why).
    bool Write(int fd);

    PtyLink& link_;
    DeviceEmulator& device_;
    const speed_t speed_;
    DeviceEmulator::Log log_;
    bool rateOk_ = false;
    char buffer_[4096];
};
