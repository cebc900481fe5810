#pragma once
// The main window's procedures that drive the capture device: connect,
// identify (9600 bit/s, falling back to 38400 and back), and ask-and-wait
// for the replies. They run on the main thread and block it while waiting.
#include <cstdint>
#include <string>

#include "device/BChannelStatus.h"
#include "device/ComThread.h"
#include "device/DeviceHost.h"
#include "options/OptionData.h"
#include "store/TimeStamp.h"

class DeviceControl {
public:
    static constexpr int kReplyAttempts = 5;
    static constexpr int kReplyWaitMs = 100;

    DeviceControl(ComThread& thread, OptionData& options, DeviceHost& host)
        : thread_(thread), options_(options), host_(host) {}

    bool AskIdentity(std::string& text);
    bool AskClock(TimeStamp& time);
    // Asks and waits while idle; while monitoring, only takes what the
    // device sent by itself.
    bool AskChannelStatus(BChannelStatus& status);
    bool SelectVoiceMonitor(int txChannel, int rxChannel);
    // Reopens the port of the monitor options and asks for the model.
    bool IdentifyDevice(bool report);
    // portIndex -1 takes the port of the monitor options. True when a
    // device answered.
    bool ConnectDevice(int portIndex, bool report);

    // The rate that last worked or was last tried (line code 7 or 9).
    int BaudCode() const { return baudCode_; }
    // Off: a device silent at 9600 bit/s is not tried at 38400.
    void SetRateFallback(bool on) { rateFallback_ = on; }

private:
    template <typename Take>
    bool WaitFor(Take take);
    int StoredPortIndex() const;

    ComThread& thread_;
    OptionData& options_;
    DeviceHost& host_;
    int baudCode_ = SerialPort::kBaud9600;
    bool rateFallback_ = true;
};
