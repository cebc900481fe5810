#include "options/OptionCommands.h"

#include <chrono>
#include <thread>
#include <vector>

#include "base/Cp932.h"
#include "device/ComPorts.h"
#include "options/OptionData.h"
#include "options/TMonOptionDlg.h"
#include "options/TOptionDlg.h"
#include "ui/MainWindowServices.h"

namespace {

std::vector<int> PortNumbers() {
    std::vector<int> numbers;
    for (const ComPortEntry& entry : ComPorts::List()) numbers.push_back(entry.number);
    return numbers;
}

}  // namespace

OptionCommands::OptionCommands(MainWindowServices& window)
    : window_(window),
      display_(new TOptionDlg(&window.Owner())),
      monitor_(new TMonOptionDlg(PortNumbers(), &window.Owner())) {
    monitor_->onBadClock = [this](const std::string& text, const std::string& caption) {
        window_.ShowMessageBox(text, caption, MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
    };
}

void OptionCommands::DisplayOptionsMenuClick() {
    DisplayOptions options;
    window_.Options().GetDisplayOptions(options);
    display_->Load(options);
    if (window_.ShowModalDialog(*display_) != QDialog::Accepted) return;
    display_->Store(options);
    window_.Options().SetDisplayOptions(options);
    window_.DisplayOptionsChanged();
}

void OptionCommands::MonitorOptionsMenuClick() {
    MonitorOptions options;
    window_.Options().GetMonitorOptions(options);
    monitor_->Load(options);
    if (window_.ShowModalDialog(*monitor_) != QDialog::Accepted) return;
    monitor_->Store(options);
    // The device's last reply settles before the port is reopened.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    window_.Options().SetMonitorOptions(options);
    window_.MonitorOptionsChanged();
}

void OptionCommands::OptionResetMenuClick() {
    if (window_.ShowMessageBox(VELK_SJIS("オプションファイルを初期化し新規インストールの状態にもどします。"),
                               VELK_SJIS("情報"), MessageBoxes::kIconInformation,
                               MessageBoxes::kButtonsOkCancel) != MessageBoxes::kResultOk)
        return;
    OptionData& options = window_.Options();
    // A file that cannot be deleted is replaced at exit; the defaults apply now.
    options.RestoreDefaults();
    DisplayOptions display;
    MonitorOptions monitor;
    options.GetDisplayOptions(display);
    options.GetMonitorOptions(monitor);
    display_->Load(display);
    monitor_->Load(monitor);
    window_.WindowStateChanged();
    window_.MonitorOptionsChanged();
    window_.DisplayOptionsChanged();
}
