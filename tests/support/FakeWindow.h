#pragma once
// The window roles the commands use, without the main window: a plain
// owner widget, a store and options in a test's folder, and records of the
// boxes, detail windows, notifications and list calls a command makes.
// Dialogs can be shown for real (answered by a DialogDriver); a detail
// window is only recorded.
#include <QDialog>
#include <QFont>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

#include "options/OptionData.h"
#include "store/FrameStore.h"
#include "ui/DialogHost.h"
#include "ui/FrameListView.h"
#include "ui/ProgramModel.h"
#include "ui/WindowFonts.h"
#include "ui/WindowPlacement.h"

namespace testsupport {

class FakeWindow : public DialogHost, public FrameListView, public ProgramModel {
public:
    // Options in folder + "velk.opt" (folder ends with a slash).
    explicit FakeWindow(const std::string& folder) : options(folder + "velk.opt") {
        owner.resize(636, 571);
        owner.setFont(WindowFonts::WindowFont());
    }

    // DialogHost.
    QWidget& Owner() override { return owner; }
    int ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxes::Icon icon,
                       MessageBoxes::Buttons) override {
        boxes.push_back({text, caption, icon});
        return MessageBoxes::kResultOk;
    }
    int ShowModalDialog(QDialog& dialog) override {
        if (!realDialogs) return 0;
        WindowPlacement::CentreOn(dialog, owner);
        return dialog.exec();
    }
    void ShowDetailWindow(QWidget&, const DisplayOptions&, const FrameRecord& record) override {
        details.push_back(record.Index());
    }
    void PostNotification(QEvent::Type type) override { notifications.push_back(type); }
    void SetCommandsEnabled(bool enabled) override { owner.setEnabled(enabled); }

    // FrameListView.
    int SelectedRow() const override { return selectedRow; }
    void SelectRow(int row) override { selectedRow = row; }
    bool DrawingEnabled() const override { return drawing; }
    void SetDrawingEnabled(bool enabled) override {
        drawing = enabled;
        drawingChanges.push_back(enabled);
    }
    void RefreshList(bool recountRows) override { refreshes.push_back(recountRows); }
    void ShowFileName(const QString& path, bool onlyIfEmpty) override {
        if (!onlyIfEmpty || fileName.isEmpty()) fileName = path;
    }
    QFont ListFont() const override { return WindowFonts::ListFont(); }
    int ListColumnWidth(int) const override { return 300; }
    int ListClientWidth() const override { return 620; }

    // ProgramModel.
    FrameStore& Store() override { return store; }
    OptionData& Options() override { return options; }
    void DisplayOptionsChanged() override { ++displayChanges; }
    void MonitorOptionsChanged() override { ++monitorChanges; }
    void WindowStateChanged() override { ++windowStateChanges; }

    struct Box { std::string text, caption; MessageBoxes::Icon icon; bool operator==(const Box&) const = default; };
    QWidget owner;
    FrameStore store;
    OptionData options;
    std::vector<Box> boxes;
    std::vector<int32_t> details;  // INDEX of every detail window asked for
    std::vector<QEvent::Type> notifications;
    std::vector<bool> drawingChanges, refreshes;
    bool realDialogs = false;
    int selectedRow = 1;
    bool drawing = true;
    QString fileName;
    int displayChanges = 0, monitorChanges = 0, windowStateChanges = 0;
};

}  // namespace testsupport
