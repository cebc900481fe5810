#pragma once
// The main window's procedures that drive the capture device: connect,
// identify (9600 bit/s, falling back to 38400 and back), and ask-and-wait
// for the replies. They run on the main thread and block it while waiting.
#include <cstdint>
#include <string>

#include "device/BChannelStatus.h"
#include "device/ComThread.h"
#include "device/DeviceHost.h"
#include "store/TimeStamp.h"

class DeviceControl {
public:
    static constexpr int kReplyAttempts = 5;
    static constexpr int kReplyWaitMs = 100;

    DeviceControl(ComThread& thread, DeviceHost& host) : thread_(thread), host_(host) {}

    bool AskIdentity(std::string& text);
    bool AskClock(TimeStamp& time);
    // Asks and waits while idle; while monitoring, only takes what the
    // device sent by itself.
    bool AskChannelStatus(BChannelStatus& status);
    bool SelectVoiceMonitor(int txChannel, int rxChannel);
    // Reopens Port() and asks for the model.
    bool IdentifyDevice(bool report);
    // Opens portIndex (0 is COM1) and asks for the model; true when a
    // device answered. Once the port opened it is Port(), answer or not:
    // the caller stores it in the monitor options.
    bool ConnectDevice(int portIndex, bool report);

    // The port IdentifyDevice reopens.
    int Port() const { return port_; }
    void SetPort(int portIndex) { port_ = portIndex; }

    // The rate that last worked or was last tried (line code 7 or 9).
    int BaudCode() const { return baudCode_; }
    // Off: a device silent at 9600 bit/s is not tried at 38400.
    void SetRateFallback(bool on) { rateFallback_ = on; }

private:
    template <typename Take>
    bool WaitFor(Take take);

    ComThread& thread_;
    DeviceHost& host_;
    int port_ = 0;
    int baudCode_ = SerialPort::kBaud9600;
    bool rateFallback_ = true;
};
