#pragma once
// What a command needs of the window that owns its dialogs: message boxes
// and modal dialogs centred on it, notifications posted to it, the detail
// window of a frame, and the switch that holds every other command while
// a job must keep the store as it is.
#include <QEvent>

#include <string>

#include "ui/MessageBoxes.h"

struct DisplayOptions;
class FrameRecord;
class QDialog;
class QWidget;

class DialogHost {
public:
    // Notifications posted to the main window (no parameters).
    static constexpr QEvent::Type kCommunicationFault = QEvent::Type(QEvent::User + 0);
    static constexpr QEvent::Type kBufferFull = QEvent::Type(QEvent::User + 1);
    static constexpr QEvent::Type kSystemFault = QEvent::Type(QEvent::User + 2);

    virtual ~DialogHost() = default;

    // The window that owns the subsystems' dialogs.
    virtual QWidget& Owner() = 0;
    // A modal box centred on the main window; text and caption are CP932.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                               MessageBoxes::Buttons buttons) = 0;
    // A modal dialog centred on the main window; its exec() result.
    virtual int ShowModalDialog(QDialog& dialog) = 0;
    // The detail window of record over owner, drawn with options; modal.
    virtual void ShowDetailWindow(QWidget& owner, const DisplayOptions& options, const FrameRecord& record) = 0;
    virtual void PostNotification(QEvent::Type type) = 0;
    // Off while a job must keep the store as it is (printing): no command runs.
    virtual void SetCommandsEnabled(bool enabled) = 0;
};
