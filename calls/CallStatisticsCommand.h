#pragma once
// The 解析 menu's 統計: the call statistics window, made on first use over
// the program's call feed and shown again in front on every later use.
#include <memory>

class DialogHost;
class ProgramModel;
class TCallStatisticsWindow;

class CallStatisticsCommand {
public:
    CallStatisticsCommand(DialogHost& dialogs, ProgramModel& model);
    ~CallStatisticsCommand();

    void CallStatisticsMenuClick();
    // nullptr until the first use.
    TCallStatisticsWindow* Window() { return window_.get(); }

private:
    DialogHost& dialogs_;
    ProgramModel& model_;
    std::unique_ptr<TCallStatisticsWindow> window_;
};
