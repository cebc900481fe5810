#pragma once
// The 解析 menu's 診断: the findings window, made on first use over the
// program's protocol checker and shown again in front on every later use.
#include <memory>

class DialogHost;
class FrameListView;
class ProgramModel;
class TFindingsWindow;

class FindingsCommand {
public:
    FindingsCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model);
    ~FindingsCommand();

    void FindingsMenuClick();
    // nullptr until the first use.
    TFindingsWindow* Window() { return window_.get(); }

private:
    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
    std::unique_ptr<TFindingsWindow> window_;
};
