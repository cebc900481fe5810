#pragma once
// The ﾌｧｲﾙ menu's 表示ｲﾒｰｼﾞ保存: the frame list as a text file, each row as
// the list shows it, with each frame's detail when the display options ask
// for it.
#include <functional>
#include <memory>

#include "files/DetailSource.h"

class MainWindowServices;

class DisplayImageCommand {
public:
    // makeDetails gives a fresh source of detail entries for each export,
    // so the same store and options always give the same bytes.
    using MakeDetails = std::function<std::unique_ptr<DetailSource>()>;

    DisplayImageCommand(MainWindowServices& window, MakeDetails makeDetails)
        : window_(window), makeDetails_(std::move(makeDetails)) {}

    void ExportDisplayImage();

private:
    MainWindowServices& window_;
    MakeDetails makeDetails_;
};
