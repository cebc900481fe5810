#pragma once
// The small window that shows which page is being printed and offers to
// cancel: "印刷しています", "2/5ページ" and "キャンセル". It has no owner
// window, so it stays usable while the main window is disabled for the job.
#include <QWidget>

class QLabel;
class QPushButton;

class TPrintingForm : public QWidget {
    Q_OBJECT
public:
    TPrintingForm();

    // Clears the cancel flag and shows the window.
    void ResetAndShow();
    void SetProgress(int page, int lastPage);
    bool Cancelled() const { return cancelled_; }

    QLabel* Label2() { return label2_; }
    QPushButton* CancelButton() { return cancel_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool cancelled_ = false;
};
