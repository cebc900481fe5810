#include "print/TPrintSettingDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "print/PaperFont.h"

namespace {


}  // namespace

TPrintSettingDlg::TPrintSettingDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(VELK_UI_TEXT("印刷設定"));
    auto* grid = new QGridLayout;
    const QString names[6] = {VELK_UI_TEXT("全ページ数："), VELK_UI_TEXT("印刷開始ページ："), VELK_UI_TEXT("印刷終了ページ："),
                              VELK_UI_TEXT("印刷部数："),   VELK_UI_TEXT("印刷対象INDEX："), VELK_UI_TEXT("現在のプリンタ：")};
    for (int i = 0; i < 6; ++i) {
        grid->addWidget(new QLabel(names[i], this), i, 0, Qt::AlignRight);
        fields_[i] = new QLabel(this);
        grid->addWidget(fields_[i], i, 1);
    }
    fields_[5]->setMinimumWidth(kNameWidth);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(VELK_UI_TEXT("ｷｬﾝｾﾙ"), this);
    setup_ = new QPushButton(VELK_UI_TEXT("詳細設定"), this);
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(setup_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &TPrintSettingDlg::reject);
    connect(setup_, &QPushButton::clicked, this, &TPrintSettingDlg::SetupClick);
}

bool TPrintSettingDlg::Run(const Job& job) {
    job_ = &job;
    job.printDialog.setMinMax(1, 1);
    for (QLabel* field : {fields_[0], fields_[1], fields_[2], fields_[3], fields_[4]})
        field->setText(QStringLiteral("1"));
    fields_[5]->clear();
    range_ = PrintRange(1, 1, 0);
    firstCount_ = true;
    EnableButtons(false, false);  // nothing to choose before the count
    // Counted once the dialog is on screen, so the count can be watched.
    QCoreApplication::postEvent(this, new QEvent(kCountPages));
    const bool accepted = exec() == QDialog::Accepted;
    job_ = nullptr;
    return accepted && range_.Valid();
}

void TPrintSettingDlg::customEvent(QEvent* event) {
    if (event->type() == kCountPages) CountPages();
    else QDialog::customEvent(event);
}

void TPrintSettingDlg::reject() {
    // The count reads the job: the dialog waits for it to end.
    if (!counting_) QDialog::reject();
}

void TPrintSettingDlg::EnableButtons(bool enabled, bool okEnabled) {
    ok_->setEnabled(enabled && okEnabled);
    cancel_->setEnabled(enabled);
    setup_->setEnabled(enabled);
}

void TPrintSettingDlg::CountPages() {
    if (!job_ || counting_) return;
    const Job& job = *job_;
    counting_ = true;
    EnableButtons(false, false);
    QPrinter& printer = job.printer;
    const int lineHeight = PaperFont::LineHeight(PaperFont::ForPrinter(job.listFont, printer), printer);
    job.plan.Count(job.store, job.options, lineHeight, printer.height(), [this](int pages) {
        if (fields_[0]->text().toInt() != pages) fields_[0]->setText(QString::number(pages));
        QCoreApplication::processEvents();
    });
    const int count = job.plan.PageCount();
    fields_[0]->setText(QString::number(count));

    job.printDialog.setMinMax(1, count);
    // Every job starts with one copy of all its pages; a recount after
    // 詳細設定 keeps what the user chose there.
    if (firstCount_) {
        firstCount_ = false;
        printer.setCopyCount(1);
        printer.setFromTo(1, count);
    }
    if (printer.printRange() == QPrinter::PageRange) {
        range_ = PrintRange(printer.fromPage(), printer.toPage(), count);
    } else {
        range_ = PrintRange(1, count, count);
        printer.setFromTo(1, count);
    }
    fields_[1]->setText(QString::number(range_.First()));
    fields_[2]->setText(QString::number(range_.Last()));
    fields_[3]->setText(QString::number(printer.copyCount()));
    fields_[4]->setText(QtText::FromCp932(range_.IndexText(job.plan)));
    const QString name = printer.outputFormat() == QPrinter::PdfFormat && printer.printerName().isEmpty()
                             ? printer.outputFileName()
                             : printer.printerName();
    // A long file name keeps its ends in view; the tip has all of it.
    fields_[5]->setText(fields_[5]->fontMetrics().elidedText(name, Qt::ElideMiddle, kNameWidth));
    fields_[5]->setToolTip(name);
    counting_ = false;
    // A first page above the last one prints nothing: OK waits for a better range.
    EnableButtons(true, range_.Valid());
}

void TPrintSettingDlg::SetupClick() {
    if (!job_ || counting_) return;
    if (job_->printDialog.exec() == QDialog::Accepted) QCoreApplication::postEvent(this, new QEvent(kCountPages));
}
