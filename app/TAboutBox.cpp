#include "app/TAboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "base/Cp932.h"
#include "ui/QtText.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(VELK_UI_TEXT("ﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    auto* product = new QLabel(QStringLiteral("Velkscope"), this);
    version_ = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(kVersion), this);
    identity_ = new QLabel(this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(product);
    layout->addWidget(version_);
    layout->addWidget(identity_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TAboutBox::SetIdentity(const std::string& text) { identity_->setText(QtText::FromCp932(text)); }
QString TAboutBox::VersionText() const { return version_->text(); }
QString TAboutBox::IdentityText() const { return identity_->text(); }
