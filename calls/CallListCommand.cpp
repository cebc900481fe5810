#include "calls/CallListCommand.h"

#include "calls/TCallListWindow.h"
#include "ui/ProgramModel.h"

CallListCommand::CallListCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
    : dialogs_(dialogs), list_(list), model_(model) {}

CallListCommand::~CallListCommand() = default;

void CallListCommand::CallListMenuClick() {
    CallFeed* feed = model_.Calls();
    if (!feed) return;
    if (!window_) window_ = std::make_unique<TCallListWindow>(dialogs_, list_, model_, *feed);
    window_->Open();
}
