#pragma once
// What the subsystems' menu commands (detail, files, search, options,
// print) need of the main window. They reach it only through here, so
// nothing of theirs depends on app/; the main window implements it.
#include <QEvent>

#include <string>

#include "ui/MessageBoxes.h"

class FrameStore;
class OptionData;
class QDialog;
class QFont;
class QString;
class QWidget;

class MainWindowServices {
public:
    // Notifications posted to the main window (no parameters).
    static constexpr QEvent::Type kCommunicationFault = QEvent::Type(QEvent::User + 0);
    static constexpr QEvent::Type kBufferFull = QEvent::Type(QEvent::User + 1);
    static constexpr QEvent::Type kSystemFault = QEvent::Type(QEvent::User + 2);

    virtual ~MainWindowServices() = default;

    virtual FrameStore& Store() = 0;
    virtual OptionData& Options() = 0;
    // The frame list's selected row: row 0 is the header, row r shows store
    // position r - 1.
    virtual int SelectedRow() const = 0;
    // Makes row the frame list's selected row and scrolls it into view.
    virtual void SelectRow(int row) = 0;

    // A modal box centred on the main window; text and caption are CP932.
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                               MessageBoxes::Buttons buttons) = 0;
    // A modal dialog centred on the main window; its exec() result.
    virtual int ShowModalDialog(QDialog& dialog) = 0;
    virtual void PostNotification(QEvent::Type type) = 0;

    // The frame list paints its rows only while this is set (cleared while
    // a trace file loads).
    virtual bool DrawingEnabled() const = 0;
    virtual void SetDrawingEnabled(bool enabled) = 0;
    // Repaints the frame list; with recountRows, after the store was
    // replaced (a load), every row's height is counted again.
    virtual void RefreshList(bool recountRows) = 0;
    // Status panel 2: the file name; with onlyIfEmpty, only into an empty panel.
    virtual void ShowFileName(const QString& path, bool onlyIfEmpty) = 0;
    // The display options changed: row heights counted again, list repainted.
    virtual void DisplayOptionsChanged() = 0;
    // The monitor options changed: the device reconnected on their port
    // without messages, the status bar modes and the voice lamps afresh.
    virtual void MonitorOptionsChanged() = 0;
    // The options' window state applied to the window.
    virtual void WindowStateChanged() = 0;
    // The window that owns the subsystems' dialogs.
    virtual QWidget& Owner() = 0;

    // The frame list's font, column widths and width inside its frame (printing).
    virtual QFont ListFont() const = 0;
    virtual int ListColumnWidth(int column) const = 0;
    virtual int ListClientWidth() const = 0;
    // Off while a job must keep the store as it is (printing): no command runs.
    virtual void SetCommandsEnabled(bool enabled) = 0;
};
