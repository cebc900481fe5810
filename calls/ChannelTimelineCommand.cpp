#include "calls/ChannelTimelineCommand.h"

#include "calls/CallListCommand.h"
#include "calls/TChannelTimelineWindow.h"
#include "ui/ProgramModel.h"

ChannelTimelineCommand::ChannelTimelineCommand(DialogHost& dialogs, ProgramModel& model)
    : dialogs_(dialogs), model_(model) {}

ChannelTimelineCommand::~ChannelTimelineCommand() = default;

void ChannelTimelineCommand::ChannelTimelineMenuClick(CallListCommand& callList) {
    CallFeed* feed = model_.Calls();
    if (!feed) return;
    if (!window_) {
        window_ = std::make_unique<TChannelTimelineWindow>(dialogs_, model_, *feed);
        window_->onCallClicked = [&callList](uint64_t call) { callList.SelectCall(call); };
    }
    window_->Open();
}
