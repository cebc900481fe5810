#include "calls/CallStatisticsCommand.h"

#include "calls/TCallStatisticsWindow.h"
#include "ui/ProgramModel.h"

CallStatisticsCommand::CallStatisticsCommand(DialogHost& dialogs, ProgramModel& model)
    : dialogs_(dialogs), model_(model) {}

CallStatisticsCommand::~CallStatisticsCommand() = default;

void CallStatisticsCommand::CallStatisticsMenuClick() {
    CallFeed* feed = model_.Calls();
    if (!feed) return;
    if (!window_) window_ = std::make_unique<TCallStatisticsWindow>(dialogs_, model_, *feed);
    window_->Open();
}
