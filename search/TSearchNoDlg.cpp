#include "search/TSearchNoDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>

#include "ui/QtText.h"
#include "search/SearchTexts.h"

namespace {

// Keeps only the digits, "#" and "*" of whatever reaches the box: typed,
// pasted or committed by an input method.
class NumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        QString kept;
        int keptPos = 0;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if ((c >= u'0' && c <= u'9') || c == u'#' || c == u'*') {
                kept += c;
                if (i < pos) ++keptPos;
            }
        }
        if (kept.size() != input.size()) {
            input = kept;
            pos = keptPos;
        }
        return Acceptable;
    }
};

}  // namespace

TSearchNoDlg::TSearchNoDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QtText::Literal("番号による検索"));
    if (parent) setFont(parent->font());
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(SearchTexts::RadioGroup(this, "検索番号", "発番号", "着番号", kind_));
    number_ = new QComboBox(this);
    number_->setEditable(true);
    number_->setInsertPolicy(QComboBox::NoInsert);
    number_->setValidator(new NumberValidator(number_));
    number_->setMinimumWidth(180);
    top->addWidget(number_, 1, Qt::AlignVCenter);
    left->addLayout(top);
    auto* groups = new QHBoxLayout;
    groups->addWidget(SearchTexts::RadioGroup(this, "検索開始位置", "ｶｰｿﾙ位置から", "検索範囲の先頭から", start_));
    groups->addWidget(SearchTexts::RadioGroup(this, "検索方向", "前方検索", "後方検索", direction_));
    left->addLayout(groups);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    next_ = new QPushButton(QtText::Literal("次を検索"), this);
    related_ = new QPushButton(QtText::Literal("関連を検索"), this);
    auto* cancel = new QPushButton(QtText::Literal("ｷｬﾝｾﾙ"), this);
    next_->setDefault(true);
    related_->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addWidget(next_);
    buttons->addWidget(related_);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(next_, &QPushButton::clicked, this, [this] { done(kSearchNext); });
    connect(related_, &QPushButton::clicked, this, [this] { done(kSearchRelated); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSearchNoDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    number_->setFocus();
    number_->lineEdit()->selectAll();
}

int TSearchNoDlg::ShowSearchNo(bool relatedEnabled) {
    related_->setEnabled(relatedEnabled);
    return exec();
}

std::string TSearchNoDlg::NumberText() {
    const QString number = number_->currentText();
    if (!number.isEmpty()) number_->addItem(number);
    return "\"" + QtText::ToCp932(number) + "\"";
}

bool TSearchNoDlg::IsCallingNumber() const { return kind_[0]->isChecked(); }
bool TSearchNoDlg::IsForward() const { return direction_[0]->isChecked(); }
bool TSearchNoDlg::IsFromCursor() const { return start_[0]->isChecked(); }
