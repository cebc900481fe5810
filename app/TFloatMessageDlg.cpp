#include "app/TFloatMessageDlg.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/WindowPlacement.h"
#include "base/Cp932.h"
#include "ui/QtText.h"

TFloatMessageDlg::TFloatMessageDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setWindowTitle(VELK_UI_TEXT("メッセージ"));
    setModal(false);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(360, 150);
}

void TFloatMessageDlg::ShowMessage(const std::string& text, const QWidget* owner) {
    text_->setPlainText(QtText::FromCp932(text));
    if (owner) WindowPlacement::CentreOn(*this, *owner);
    show();
}

QString TFloatMessageDlg::Text() const { return text_->toPlainText(); }
