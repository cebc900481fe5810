#include "search/TSearchNowDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "search/SearchTexts.h"
#include "store/TraceText.h"
#include "ui/WindowFonts.h"

TSearchNowDlg::TSearchNowDlg() : QDialog(nullptr) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QtText::Literal("検索"));
    setFont(WindowFonts::WindowFont());
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(QtText::Literal("INDEX000000を検索中"), this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setMinimumWidth(200);
    cancel_ = new QPushButton(QtText::Literal("ｷｬﾝｾﾙ"), this);
    cancel_->setAutoDefault(false);
    layout->addWidget(label_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void TSearchNowDlg::Reset() {
    cancelled_ = false;
    counter_ = 0;
}

void TSearchNowDlg::Report(int32_t index) {
    if (counter_ < kReportsPerLabel - 1) {
        ++counter_;
        return;
    }
    counter_ = 0;
    label_->setText(QtText::FromCp932("INDEX=" + TraceText::IndexText(index) + VELK_SJIS("を検索中")));
}

void TSearchNowDlg::closeEvent(QCloseEvent* event) { event->ignore(); }
