#include "print/TPrintingForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"

TPrintingForm::TPrintingForm() : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(VELK_UI_TEXT("印刷"));
    auto* layout = new QVBoxLayout(this);
    label1_ = new QLabel(VELK_UI_TEXT("印刷しています"), this);
    label2_ = new QLabel(this);
    for (QLabel* label : {label1_, label2_}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    cancel_ = new QPushButton(VELK_UI_TEXT("キャンセル"), this);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    setMinimumWidth(220);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void TPrintingForm::ResetAndShow() {
    cancelled_ = false;
    label2_->clear();
    show();
    raise();
    activateWindow();
}

void TPrintingForm::SetProgress(int page, int lastPage) {
    label2_->setText(QString::number(page) + QLatin1Char('/') + QString::number(lastPage) +
                     VELK_UI_TEXT("ページ"));
}

void TPrintingForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // It takes the focus back while shown, but leaves a message box alone.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow() &&
        !QApplication::activeModalWidget())
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !QApplication::activeModalWidget()) activateWindow();
        });
}

void TPrintingForm::closeEvent(QCloseEvent* event) {
    // The window system's close box asks for a cancel too; the job closes the window.
    cancelled_ = true;
    event->ignore();
}
