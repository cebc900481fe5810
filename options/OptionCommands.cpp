#include "options/OptionCommands.h"

#include <chrono>
#include <thread>
#include <vector>

#include "base/Cp932.h"
#include "device/ComPorts.h"
#include "options/OptionData.h"
#include "options/TMonOptionDlg.h"
#include "options/TOptionDlg.h"
#include "ui/DialogHost.h"
#include "ui/ProgramModel.h"

namespace {

std::vector<int> PortNumbers() {
    std::vector<int> numbers;
    for (const ComPortEntry& entry : ComPorts::List()) numbers.push_back(entry.number);
    return numbers;
}

}  // namespace

OptionCommands::OptionCommands(DialogHost& dialogs, ProgramModel& model)
    : dialogs_(dialogs), model_(model),
      display_(new TOptionDlg(&dialogs.Owner())),
      monitor_(new TMonOptionDlg(PortNumbers(), &dialogs.Owner())) {
    monitor_->onBadClock = [this](const std::string& text, const std::string& caption) {
        dialogs_.ShowMessageBox(text, caption, MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
    };
}

void OptionCommands::DisplayOptionsMenuClick() {
    DisplayOptions options;
    model_.Options().GetDisplayOptions(options);
    display_->Load(options);
    if (dialogs_.ShowModalDialog(*display_) != QDialog::Accepted) return;
    display_->Store(options);
    model_.Options().SetDisplayOptions(options);
    model_.DisplayOptionsChanged();
}

void OptionCommands::MonitorOptionsMenuClick() {
    MonitorOptions options;
    model_.Options().GetMonitorOptions(options);
    monitor_->Load(options);
    if (dialogs_.ShowModalDialog(*monitor_) != QDialog::Accepted) return;
    monitor_->Store(options);
    // The device's last reply settles before the port is reopened.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    model_.Options().SetMonitorOptions(options);
    model_.MonitorOptionsChanged();
}

void OptionCommands::OptionResetMenuClick() {
    if (dialogs_.ShowMessageBox(VELK_SJIS("オプションファイルを初期化し新規インストールの状態にもどします。"),
                               VELK_SJIS("情報"), MessageBoxes::kIconInformation,
                               MessageBoxes::kButtonsOkCancel) != MessageBoxes::kResultOk)
        return;
    OptionData& options = model_.Options();
    // A file that cannot be deleted is replaced at exit; the defaults apply now.
    options.RestoreDefaults();
    DisplayOptions display;
    MonitorOptions monitor;
    options.GetDisplayOptions(display);
    options.GetMonitorOptions(monitor);
    display_->Load(display);
    monitor_->Load(monitor);
    model_.WindowStateChanged();
    model_.MonitorOptionsChanged();
    model_.DisplayOptionsChanged();
}
