#include "print/PrintCommand.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <string>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "decode/RowText.h"
#include "options/OptionData.h"
#include "print/CopyOrder.h"
#include "print/PaperFont.h"
#include "print/PrintRange.h"
#include "print/TPrintSettingDlg.h"
#include "print/TPrintingForm.h"
#include "store/FrameStore.h"
#include "ui/FrameRowPainter.h"
#include "ui/DialogHost.h"
#include "ui/EmptyStoreNotice.h"
#include "ui/FrameListView.h"
#include "ui/ProgramModel.h"
#include "ui/WindowPlacement.h"

namespace {

// The main window takes commands again and the printer keeps the user's
// copies however the job ends.
class JobScope {
public:
    JobScope(DialogHost& dialogs, QPrinter& printer)
        : dialogs_(dialogs), printer_(printer), copies_(printer.copyCount()) {
        dialogs_.SetCommandsEnabled(false);
        // The loops make the copies; the printer would multiply them again.
        printer_.setCopyCount(1);
    }
    ~JobScope() {
        printer_.setCopyCount(copies_);
        dialogs_.SetCommandsEnabled(true);
    }

private:
    DialogHost& dialogs_;
    QPrinter& printer_;
    int copies_;
};

}  // namespace

PrintCommand::PrintCommand(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
    : dialogs_(dialogs), list_(list), model_(model) {}

// The print dialog refers to the printer: it goes first (with the settings
// dialog that owns it), not later with the main window's children.
PrintCommand::~PrintCommand() { delete settings_; }

QPrinter& PrintCommand::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Without a printer installed Qt prints into a PDF file: one is named
        // from the start, so OK alone prints too.
        if (printer_->outputFormat() == QPrinter::PdfFormat && printer_->outputFileName().isEmpty())
            printer_->setOutputFileName(QDir::home().filePath(QStringLiteral("print.pdf")));
    }
    return *printer_;
}

TPrintSettingDlg& PrintCommand::SettingDlg() {
    if (!settings_) settings_ = new TPrintSettingDlg(&dialogs_.Owner());
    return *settings_;
}

QPrintDialog& PrintCommand::PrintDialog() {
    if (!printDialog_) {
        printDialog_ = new QPrintDialog(&Printer(), &SettingDlg());
        printDialog_->setOption(QAbstractPrintDialog::PrintPageRange, true);
        printDialog_->setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    }
    return *printDialog_;
}

TPrintingForm& PrintCommand::PrintingForm() {
    if (!printing_) printing_ = std::make_unique<TPrintingForm>();
    return *printing_;
}

void PrintCommand::PrintMenuClick() {
    FrameStore& store = model_.Store();
    if (EmptyStoreNotice::Shown(dialogs_, store, EmptyStoreNotice::kPrint)) return;
    PrintPagePlan plan;
    if (!plan.Reserve(store.Count())) {
        dialogs_.ShowMessageBox(VELK_SJIS("印刷するためのメモリが足りません。"), VELK_SJIS("印刷"),
                               MessageBoxes::kIconError, MessageBoxes::kButtonsOk);
        return;
    }
    DisplayOptions options;
    model_.Options().GetDisplayOptions(options);
    QPrinter& printer = Printer();
    TPrintSettingDlg& settings = SettingDlg();
    const TPrintSettingDlg::Job job{store, options, printer, PrintDialog(), list_.ListFont(), plan};
    WindowPlacement::CentreOn(settings, dialogs_.Owner());
    if (!settings.Run(job)) return;
    PrintPages(plan, options, settings.Range());
}

void PrintCommand::PrintPages(const PrintPagePlan& plan, const DisplayOptions& options, const PrintRange& range) {
    QPrinter& printer = Printer();
    const CopyOrder order(range.First(), range.Last(), printer.copyCount(), printer.collateCopies());
    JobScope scope(dialogs_, printer);
    printer.setDocName(VELK_UI_TEXT("ISDNﾓﾆﾀｰ"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_.ShowMessageBox(VELK_SJIS("印刷できませんでした。"), VELK_SJIS("印刷"), MessageBoxes::kIconError,
                               MessageBoxes::kButtonsOk);
        return;
    }
    const QFont font = PaperFont::ForPrinter(list_.ListFont(), printer);
    painter.setFont(font);
    const int lineHeight = PaperFont::LineHeight(font, printer);
    TPrintingForm& progress = PrintingForm();
    WindowPlacement::CentreOn(progress, dialogs_.Owner());
    progress.ResetAndShow();
    for (int64_t step = 0; step < order.Steps(); ++step) {
        // A cancel is seen before the next page is begun, so no blank page ends the job.
        if (step > 0) {
            if (progress.Cancelled()) break;
            printer.newPage();
        }
        const int page = order.PageAt(step);
        progress.SetProgress(page, range.Last());
        if (const PrintPagePlan::Page* frames = plan.PageAt(page))
            PrintPage(painter, page, *frames, options, lineHeight);
        QCoreApplication::processEvents();
    }
    painter.end();
    progress.hide();
}

void PrintCommand::PrintPage(QPainter& painter, int page, const PrintPagePlan::Page& frames,
                             const DisplayOptions& options, int lineHeight) {
    constexpr int kMargin = PrintPagePlan::kMargin;
    const int width = painter.device()->width();
    const int height = painter.device()->height();
    const QFontMetrics metrics(painter.font(), painter.device());
    // Positions are tops of text: the ascent puts the baseline below them.
    const QString header = QStringLiteral("ISDN monitor data   page ") + QString::number(page);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(width - metrics.horizontalAdvance(header), PrintPagePlan::kHeaderTop + metrics.ascent()),
                     header);

    // RX rows begin where the list's second column does, in proportion.
    const int listWidth = list_.ListClientWidth();
    const int rxLeft = listWidth > 0 ? qRound(double(width) * list_.ListColumnWidth(0) / listWidth) : kMargin;
    FrameStore& store = model_.Store();
    std::string text;
    int y = kMargin;
    for (size_t p = frames.first; p < frames.end && p < store.Count(); ++p) {
        const FrameRecord& record = store.At(p);
        const bool fcsGood = record.CheckCrc();
        text.clear();
        RowText::BuildRowText(record, text, options, fcsGood);
        const int frameHeight = PrintPagePlan::FrameHeight(text, lineHeight);
        const int left = record.IsRx() ? rxLeft : kMargin;
        const QRect rect(left, y, width - kMargin - left, frameHeight);
        // Clipped to its rectangle as a list cell is; a frame taller than
        // the page area is cut at the bottom margin.
        painter.setClipRect(rect.intersected(QRect(0, 0, width, height - kMargin)));
        FrameRowPainter::PaintText(painter, text, fcsGood, false, rect, lineHeight, options);
        y += frameHeight;
        QCoreApplication::processEvents();
    }
    painter.setClipping(false);
}
