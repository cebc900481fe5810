#pragma once
// What the device procedures show or post goes through the window that
// owns them (the main window; a recording fake in tests).
#include <string>

class DeviceHost {
public:
    virtual ~DeviceHost() = default;

    // The connected or not-connected state of menus and status bar.
    virtual void ShowDeviceConnected(bool connected) = 0;
    // Posts the communication-fault notification to the main window.
    virtual void PostCommunicationFault() = 0;
    // A modal error box; text and caption are CP932.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
    // True while monitoring runs (the start command is not available).
    virtual bool IsMonitoring() const = 0;
    // Removes the check mark of the menu entry "情報(&I)" (channel lamps).
    virtual void UncheckChannelInfo() = 0;
};
