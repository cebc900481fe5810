#pragma once
// The device procedures' messages for a tool without windows: written to
// standard error (converted to UTF-8 for the terminal).
#include <string>

#include "device/DeviceHost.h"

class StderrHost : public DeviceHost {
public:
    void ShowDeviceConnected(bool) override {}
    void PostCommunicationFault() override {}
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool IsMonitoring() const override { return false; }
    void UncheckChannelInfo() override {}
};
