#pragma once
// The modal progress window of a trace-file load or save: a bar that
// follows the store's progress every 100 ms and a "ｷｬﾝｾﾙ" button (also
// Esc). It stays up at least five ticks, so half a second, and closes by
// itself once the progress reaches 100 or the work has ended.
#include <QDialog>
#include <QTimer>

#include <atomic>
#include <functional>

class QProgressBar;
class QPushButton;

class TProgressBarDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 100;
    static constexpr int kMinimumTicks = 5;

    explicit TProgressBarDlg(QWidget* parent = nullptr);

    // Runs modally; true unless the user cancelled. workDone tells whether
    // the work has ended whatever the progress says (a failed load never
    // reaches 100).
    bool Run(const std::atomic<int>& progress, std::function<bool()> workDone);

    QProgressBar* ProgressBar1() { return bar_; }
    QPushButton* CancelButton() { return cancel_; }
    // Ticks of the last run, counted up to kMinimumTicks.
    int Ticks() const { return ticks_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Tick();

    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer timer_;
    const std::atomic<int>* progress_ = nullptr;
    std::function<bool()> workDone_;
    int ticks_ = 0;
};
