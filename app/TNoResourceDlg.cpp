#include "app/TNoResourceDlg.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"

TNoResourceDlg::TNoResourceDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setWindowTitle(VELK_UI_TEXT("システム異常"));
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setPlainText(VELK_UI_TEXT(
        "メモリやスワップエリアが不足している可能性があり、\n"
        "VELKの処理を継続できません。\n"
        "十分なリソースを確保し、コンピューターを再起動してくだ\n"
        "さい。"));
    QPalette pal = text->palette();
    pal.setColor(QPalette::Text, Qt::red);
    text->setPalette(pal);
    auto* cancel = new QPushButton(VELK_UI_TEXT("ｷｬﾝｾﾙ"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    resize(400, 160);
}
