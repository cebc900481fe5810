#include "checks/FindingsCommand.h"

#include "checks/TFindingsWindow.h"
#include "ui/ProgramModel.h"

FindingsCommand::FindingsCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
    : dialogs_(dialogs), list_(list), model_(model) {}

FindingsCommand::~FindingsCommand() = default;

void FindingsCommand::FindingsMenuClick() {
    // Nothing to show where no checker reads the frames.
    CallFeed* feed = model_.Calls();
    ProtocolChecker* checker = model_.Checks();
    if (!feed || !checker) return;
    if (!window_) window_ = std::make_unique<TFindingsWindow>(dialogs_, list_, model_, *feed, *checker);
    window_->Open();
}
