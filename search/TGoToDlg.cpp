#include "search/TGoToDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"
#include "search/GoToIndex.h"
#include "search/SearchTexts.h"
#include "ui/DialogHost.h"
#include "ui/OkCancelButtons.h"

TGoToDlg::TGoToDlg(DialogHost& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(QtText::Literal("指定INDEXに移動"));
    if (parent) setFont(parent->font());
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    index_ = new QComboBox(this);
    index_->setEditable(true);
    index_->setInsertPolicy(QComboBox::NoInsert);
    index_->setMinimumWidth(160);
    auto* label = new QLabel(QtText::Literal("移動先のINDEX"), this);
    label->setBuddy(index_);
    row->addWidget(label);
    row->addWidget(index_, 1);
    layout->addLayout(row);
    layout->addWidget(OkCancelButtons::Make(*this));
}

void TGoToDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    index_->setFocus();
    index_->lineEdit()->selectAll();
}

uint32_t TGoToDlg::TargetIndex() const { return GoToIndex::TargetIndex(QtText::ToCp932(index_->currentText())); }

void TGoToDlg::accept() {
    const QString text = index_->currentText();
    const char* warning = nullptr;
    switch (GoToIndex::CheckText(QtText::ToCp932(text))) {
        case GoToIndex::kEmpty: warning = "移動するINDEXを入力してください"; break;
        case GoToIndex::kNotNumber: warning = "INDEXは数値で入力してください"; break;
        case GoToIndex::kNegative: warning = "INDEXには正の数を入力してください"; break;
        case GoToIndex::kAccepted: break;
    }
    if (warning) {
        dialogs_.ShowMessageBox(Cp932::FromUtf8(warning), VELK_SJIS("入力エラー"), MessageBoxes::kIconWarning,
                               MessageBoxes::kButtonsOk);
        return;
    }
    index_->addItem(text);
    QDialog::accept();
}
