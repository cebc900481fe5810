#include "files/TProgressBarDlg.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"

TProgressBarDlg::TProgressBarDlg(QWidget* parent) : QDialog(parent) {
    // A title bar without buttons: the work ends by itself or by ｷｬﾝｾﾙ.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setMinimumWidth(280);
    cancel_ = new QPushButton(VELK_UI_TEXT("ｷｬﾝｾﾙ"), this);
    cancel_->setAutoDefault(false);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &TProgressBarDlg::Tick);
}

bool TProgressBarDlg::Run(const std::atomic<int>& progress, std::function<bool()> workDone) {
    progress_ = &progress;
    workDone_ = std::move(workDone);
    ticks_ = 0;
    bar_->setValue(0);
    timer_.start();
    // Esc rejects as ｷｬﾝｾﾙ does.
    const bool finished = exec() == QDialog::Accepted;
    timer_.stop();
    progress_ = nullptr;
    workDone_ = nullptr;
    return finished;
}

void TProgressBarDlg::Tick() {
    if (!progress_) return;
    if (ticks_ < kMinimumTicks) ++ticks_;
    const int value = progress_->load(std::memory_order_relaxed);
    bar_->setValue(std::min(std::max(value, 0), 100));
    if (ticks_ >= kMinimumTicks && (value >= 100 || (workDone_ && workDone_()))) accept();
}

void TProgressBarDlg::closeEvent(QCloseEvent* event) {
    // The window system's close (Alt+F4) is no way out while the work runs.
    event->ignore();
}
