#pragma once
// The ﾌｧｲﾙ menu's 開く and 保存: a trace file chosen in a dialog is loaded
// into the store or written from it by a worker thread, while the modal
// progress window shows how far it got and offers to cancel.
#include <string>

#include "files/RWthread.h"

class DialogHost;
class FrameListView;
class ProgramModel;
class TProgressBarDlg;

class TraceFileCommands {
public:
    TraceFileCommands(DialogHost& dialogs, FrameListView& list, ProgramModel& model);

    void FileOpenMenuClick();
    void FileSaveMenuClick();

    // Runs the worker on the open file under the progress window; true when
    // the work finished successfully. Cancel and failure are reported with
    // the given texts (CP932).
    struct Texts {
        std::string dialogCaption;
        std::string cancelMessage, cancelCaption;
        std::string failureMessage, failureCaption;
    };
    bool RunFileThread(int fd, RWthread::Mode mode, const Texts& texts);

    TProgressBarDlg& ProgressBarDlg() { return *progress_; }

private:
    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
    TProgressBarDlg* progress_;  // owned by the main window, reused
};
