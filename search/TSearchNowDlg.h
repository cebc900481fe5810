#pragma once
// The progress window of a text search: "INDEX=...を検索中" and ｷｬﾝｾﾙ.
// Shown (not modally) while the main window is disabled, so it is a window
// of its own: a child of the disabled main window could not be clicked.
#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

class TSearchNowDlg : public QDialog {
    Q_OBJECT
public:
    // The label is set on every eleventh report.
    static constexpr int kReportsPerLabel = 11;

    TSearchNowDlg();

    // Before each search: not cancelled, counter at 0.
    void Reset();
    // One record searched, with its INDEX.
    void Report(int32_t index);
    bool Cancelled() const { return cancelled_; }

    QLabel* Label() { return label_; }
    QPushButton* CancelButton() { return cancel_; }

public slots:
    // Esc cancels the search; the window stays until the search ends.
    void reject() override { cancelled_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool cancelled_ = false;
    int counter_ = 0;
};
