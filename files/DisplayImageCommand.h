#pragma once
// The ﾌｧｲﾙ menu's 表示ｲﾒｰｼﾞ保存: the frame list as a text file, each row as
// the list shows it, with each frame's detail when the display options ask
// for it.
#include <functional>
#include <memory>

#include "files/DetailSource.h"

class DialogHost;
class ProgramModel;

class DisplayImageCommand {
public:
    // makeDetails gives a fresh source of detail entries for each export,
    // so the same store and options always give the same bytes; by default
    // the program's decoder with the program's catalogue.
    using MakeDetails = std::function<std::unique_ptr<DetailSource>()>;

    DisplayImageCommand(DialogHost& dialogs, ProgramModel& model, MakeDetails makeDetails = ProgramDetails)
        : dialogs_(dialogs), model_(model), makeDetails_(std::move(makeDetails)) {}

    void ExportDisplayImage();

private:
    static std::unique_ptr<DetailSource> ProgramDetails();

    DialogHost& dialogs_;
    ProgramModel& model_;
    MakeDetails makeDetails_;
};
