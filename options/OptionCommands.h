#pragma once
// The option commands of the main window's menus: the display options
// dialog (表示 > ｵﾌﾟｼｮﾝ), the monitor options dialog (ﾓﾆﾀｰ > ｵﾌﾟｼｮﾝ) and
// the return to the default options (ﾌｧｲﾙ > ｵﾌﾟｼｮﾝﾌｧｲﾙ初期化). Both dialogs
// are made once and kept.
class DialogHost;
class ProgramModel;
class TMonOptionDlg;
class TOptionDlg;

class OptionCommands {
public:
    // The dialogs belong to the window's Owner(); the port list is read now.
    OptionCommands(DialogHost& dialogs, ProgramModel& model);

    void DisplayOptionsMenuClick();
    void MonitorOptionsMenuClick();
    void OptionResetMenuClick();

    TOptionDlg& DisplayDialog() { return *display_; }
    TMonOptionDlg& MonitorDialog() { return *monitor_; }

private:
    DialogHost& dialogs_;
    ProgramModel& model_;
    TOptionDlg* display_;
    TMonOptionDlg* monitor_;
};
