#include "search/TSearchDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "search/SearchTexts.h"
#include "ui/QtText.h"
#include "ui/OkCancelButtons.h"

TSearchDlg::TSearchDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QtText::Literal("検索"));
    if (parent) setFont(parent->font());
    auto* layout = new QVBoxLayout(this);
    auto* textRow = new QHBoxLayout;
    text_ = new QComboBox(this);
    text_->setEditable(true);
    // The history grows only through SearchText.
    text_->setInsertPolicy(QComboBox::NoInsert);
    text_->setMinimumWidth(260);
    auto* label = new QLabel(QtText::Literal("検索文字列"), this);
    label->setBuddy(text_);
    textRow->addWidget(label);
    textRow->addWidget(text_, 1);
    layout->addLayout(textRow);
    whole_ = new QCheckBox(QtText::Literal("完全に一致する文字列を検索する"), this);
    layout->addWidget(whole_);
    auto* groups = new QHBoxLayout;
    groups->addWidget(SearchTexts::RadioGroup(this, "検索方向", "前方検索", "後方検索", direction_));
    groups->addWidget(SearchTexts::RadioGroup(this, "検索開始位置", "ｶｰｿﾙ位置から", "検索範囲の先頭から", start_));
    layout->addLayout(groups);
    layout->addWidget(OkCancelButtons::Make(*this));
}

void TSearchDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    text_->setFocus();
    text_->lineEdit()->selectAll();
}

std::string TSearchDlg::SearchText(bool& usable) {
    const QString text = text_->currentText();
    if (!text.isEmpty()) text_->addItem(text);
    return SearchTexts::ToCp932(text, usable);
}

bool TSearchDlg::IsForward() const { return direction_[0]->isChecked(); }
bool TSearchDlg::IsFromCursor() const { return start_[0]->isChecked(); }
bool TSearchDlg::IsWholeMatch() const { return whole_->isChecked(); }

SearchRequest TSearchDlg::Request(bool step) {
    SearchRequest request;
    request.text = SearchText(request.textUsable);
    request.forward = IsForward();
    request.fromCursor = IsFromCursor();
    request.step = step;
    request.wholeMatch = IsWholeMatch();
    return request;
}
