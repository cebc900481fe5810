#include "calls/TLadderCaptionsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/DialogHost.h"
#include "ui/OkCancelButtons.h"
#include "ui/QtText.h"

TLadderCaptionsDlg::TLadderCaptionsDlg(DialogHost& dialogs, const LadderCaptions& captions, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), captions_(captions) {
    setWindowTitle(QtText::Literal("表示名"));
    if (parent) setFont(parent->font());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const std::string* texts[2] = {&captions_.tx, &captions_.rx};
    const char* labels[2] = {"TX側", "RX側"};
    for (int i = 0; i < 2; ++i) {
        boxes_[i] = new QLineEdit(QtText::FromCp932(*texts[i]), this);
        boxes_[i]->setMinimumWidth(200);
        form->addRow(QtText::Literal(labels[i]), boxes_[i]);
    }
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons::Make(*this));
}

void TLadderCaptionsDlg::accept() {
    LadderCaptions typed;
    std::string* texts[2] = {&typed.tx, &typed.rx};
    for (int i = 0; i < 2; ++i) {
        const QString text = boxes_[i]->text();
        *texts[i] = QtText::ToCp932(text);
        // CP932 writes "?" for what it lacks: such a caption would not read back as typed.
        const bool sized = !texts[i]->empty() && texts[i]->size() <= LadderCaptions::kMaxLength;
        const char* warning = !sized ? "表示名は半角1～32文字(全角1～16文字)で入力してください"
                              : QtText::FromCp932(*texts[i]) != text || !LadderCaptions::Valid(*texts[i])
                                  ? "表示名に使えない文字があります"
                                  : nullptr;
        if (warning) {
            boxes_[i]->setFocus();
            dialogs_.ShowMessageBox(Cp932::FromUtf8(warning), VELK_SJIS("入力エラー"), MessageBoxes::kIconWarning,
                                   MessageBoxes::kButtonsOk);
            return;
        }
    }
    captions_ = typed;
    QDialog::accept();
}
