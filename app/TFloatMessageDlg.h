#pragma once
// A stay-on-top, non-modal message window for warnings that must not stop
// a capture.
#include <QDialog>

class QPlainTextEdit;

class TFloatMessageDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFloatMessageDlg(QWidget* parent = nullptr);
    // Replaces the text (CP932) and shows the window centred on owner.
    void ShowMessage(const std::string& text, const QWidget* owner);
    QString Text() const;

private:
    QPlainTextEdit* text_;
};
