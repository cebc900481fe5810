#include "ui/OkCancelButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "base/Cp932.h"
#include "ui/QtText.h"

QDialogButtonBox* OkCancelButtons::Make(QDialog& dialog, QPushButton** ok) {
    auto* box = new QDialogButtonBox(&dialog);
    QPushButton* okButton = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    box->addButton(VELK_UI_TEXT("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    okButton->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (ok) *ok = okButton;
    return box;
}
