#pragma once
// The device procedures' messages for a tool without windows: written to
// standard error (converted to UTF-8 for the terminal).
#include <string>

#include "device/DeviceHost.h"

class StderrHost : public DeviceHost {
public:
    void ShowDeviceConnected(bool connected) override { connected_ = connected; }
    void PostCommunicationFault() override {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool IsMonitoring() const override { return false; }
    void UncheckChannelInfo() override {}

    bool Connected() const { return connected_; }
    bool Reported() const { return reported_; }

private:
    bool connected_ = false;
    bool reported_ = false;
};
