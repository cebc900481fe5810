#pragma once
// The 表示 menu's 詳細ｳｨﾝﾄﾞｳ command, also reached by a double click or the
// Enter key in the frame list: the detail window for the selected row. The
// main window runs it only while the user-interface state enables it.
class DialogHost;
class FrameListView;
class ProgramModel;

class DetailCommand {
public:
    DetailCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
        : dialogs_(dialogs), list_(list), model_(model) {}

    // Nothing for an empty store or the header row; a record that fails
    // the frame check gets the "誤操作" warning instead of a window. Any
    // other gets its detail window, shown modally and gone once closed.
    void Run();

private:
    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
};
