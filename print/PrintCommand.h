#pragma once
// The ﾌｧｲﾙ menu's 印刷: the whole frame store as the frame list shows it,
// one row per frame, on as many pages as it takes. The settings dialog
// counts the pages first; the progress window shows the page being printed
// and stops the job after it when cancelled. The main window takes no other
// command meanwhile, so the store stays as counted.
#include <QFont>

#include <memory>

#include "options/DisplayOptions.h"
#include "print/PrintPagePlan.h"

class DialogHost;
class FrameListView;
class ProgramModel;
class PrintRange;
class QPainter;
class QPrintDialog;
class QPrinter;
class TPrintSettingDlg;
class TPrintingForm;

class PrintCommand {
public:
    PrintCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model);
    ~PrintCommand();

    void PrintMenuClick();

    // Made on first use and kept: the printer (high resolution), which a
    // test may point at a PDF file, and the windows of the job.
    QPrinter& Printer();
    QPrintDialog& PrintDialog();
    TPrintSettingDlg& SettingDlg();
    TPrintingForm& PrintingForm();

private:
    void PrintPages(const PrintPagePlan& plan, const DisplayOptions& options, const PrintRange& range);
    void PrintPage(QPainter& painter, int page, const PrintPagePlan::Page& frames, const DisplayOptions& options,
                   int lineHeight);

    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<TPrintingForm> printing_;  // no owner window: see TPrintingForm
    TPrintSettingDlg* settings_ = nullptr;     // owned by the main window
    QPrintDialog* printDialog_ = nullptr;      // owned by the settings dialog
};
