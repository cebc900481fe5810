#pragma once
// The version box: product, version and the capture device's identification.
#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.03";
    explicit TAboutBox(QWidget* parent = nullptr);
    // The device's identification line (CP932), or the not-connected text.
    void SetIdentity(const std::string& text);
    QString VersionText() const;
    QString IdentityText() const;

private:
    QLabel* version_;
    QLabel* identity_;
};
