#include "calls/CallListCommand.h"

#include "calls/TCallListWindow.h"
#include "ui/ProgramModel.h"

CallListCommand::CallListCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
    : dialogs_(dialogs), list_(list), model_(model) {}

CallListCommand::~CallListCommand() = default;

void CallListCommand::CallListMenuClick() {
    if (Made()) window_->Open();
}

void CallListCommand::SelectCall(uint64_t number) {
    if (Made()) window_->SelectCall(number);
}

bool CallListCommand::Made() {
    CallFeed* feed = model_.Calls();
    if (!feed) return false;
    if (!window_) window_ = std::make_unique<TCallListWindow>(dialogs_, list_, model_, *feed);
    return true;
}
