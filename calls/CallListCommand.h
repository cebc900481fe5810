#pragma once
// The 解析 menu's 呼一覧: the call list window, made on first use over the
// program's call feed and shown again in front on every later use.
#include <cstdint>
#include <memory>

class DialogHost;
class FrameListView;
class ProgramModel;
class TCallListWindow;

class CallListCommand {
public:
    CallListCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model);
    ~CallListCommand();

    void CallListMenuClick();
    // The call list opened at a call.
    void SelectCall(uint64_t number);
    // nullptr until the first use.
    TCallListWindow* Window() { return window_.get(); }

private:
    // The window, made on first use; false where nothing feeds calls.
    bool Made();

    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
    std::unique_ptr<TCallListWindow> window_;
};
