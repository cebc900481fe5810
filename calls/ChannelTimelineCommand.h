#pragma once
// The 解析 menu's チャネル使用状況: the channel timeline window, made on
// first use over the program's call feed and shown again in front on every
// later use; a call clicked in it is selected in the call list.
#include <memory>

class CallListCommand;
class DialogHost;
class ProgramModel;
class TChannelTimelineWindow;

class ChannelTimelineCommand {
public:
    ChannelTimelineCommand(DialogHost& dialogs, ProgramModel& model);
    ~ChannelTimelineCommand();

    void ChannelTimelineMenuClick(CallListCommand& callList);
    // nullptr until the first use.
    TChannelTimelineWindow* Window() { return window_.get(); }

private:
    DialogHost& dialogs_;
    ProgramModel& model_;
    std::unique_ptr<TChannelTimelineWindow> window_;
};
