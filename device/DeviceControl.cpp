#include "device/DeviceControl.h"

#include <chrono>
#include <thread>

#include "base/Cp932.h"

template <typename Take>
bool DeviceControl::WaitFor(Take take) {
    for (int attempt = 0; attempt < kReplyAttempts; ++attempt) {
        if (take()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kReplyWaitMs));
    }
    return false;
}

bool DeviceControl::AskIdentity(std::string& text) {
    if (!thread_.RequestIdentity()) return false;
    return WaitFor([&] { return thread_.TakeIdentity(text); });
}

bool DeviceControl::AskClock(TimeStamp& time) {
    if (!thread_.RequestClock()) return false;
    return WaitFor([&] { return thread_.TakeClock(time); });
}

bool DeviceControl::AskChannelStatus(BChannelStatus& status) {
    if (host_.IsMonitoring()) return thread_.TakeChannelStatus(status);
    thread_.RequestChannelStatus();
    if (WaitFor([&] { return thread_.TakeChannelStatus(status); })) return true;
    host_.UncheckChannelInfo();
    host_.PostCommunicationFault();
    return false;
}

bool DeviceControl::SelectVoiceMonitor(int txChannel, int rxChannel) {
    return thread_.SelectVoiceChannels(txChannel, rxChannel);
}

bool DeviceControl::IdentifyDevice(bool report) {
    const int portIndex = port_;
    thread_.Reopen(portIndex, baudCode_);
    std::string reply;
    bool answered = AskIdentity(reply) || AskIdentity(reply);
    if (!answered && rateFallback_) {
        baudCode_ = baudCode_ != SerialPort::kBaud9600 ? SerialPort::kBaud9600
                                                        : SerialPort::kBaud38400;
        thread_.Reopen(portIndex, baudCode_);
        for (int attempt = 0; attempt < 3 && !answered; ++attempt) answered = AskIdentity(reply);
    }
    bool known = answered && (reply.find("RQ-730") != std::string::npos ||
                              reply.find("Tessaro") != std::string::npos);
    if (!known && report) host_.PostCommunicationFault();
    return known;
}

bool DeviceControl::ConnectDevice(int portIndex, bool report) {
    host_.ShowDeviceConnected(false);
    baudCode_ = SerialPort::kBaud9600;
    if (!thread_.Reopen(portIndex, baudCode_)) {
        if (report)
            host_.ShowMessage(VELK_SJIS("指定のＣＯＭポートをオープン出来ません。"),
                              VELK_SJIS("通信エラー"));
        return false;
    }
    port_ = portIndex;

    if (!IdentifyDevice(false)) {
        if (report)
            host_.ShowMessage(VELK_SJIS("プロトコルモニタが見つかりません。"), VELK_SJIS("通信エラー"));
        return false;
    }
    host_.ShowDeviceConnected(true);
    thread_.StopMonitor();
    thread_.SelectVoiceChannels(0, 0);
    return true;
}
