#pragma once
// "印刷設定": counts the pages of the store while it is on screen (through
// a message it posts itself, its buttons disabled meanwhile), then shows the
// page count, the range, the copies, the INDEX range and the printer.
// "詳細設定" opens the system print dialog and counts again.
#include <QDialog>
#include <QEvent>

#include "options/DisplayOptions.h"
#include "print/PrintPagePlan.h"
#include "print/PrintRange.h"

class FrameStore;
class QLabel;
class QPrintDialog;
class QPrinter;
class QPushButton;

class TPrintSettingDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr QEvent::Type kCountPages = QEvent::Type(QEvent::User + 3);
    static constexpr int kNameWidth = 300;  // of the printer's name

    // What one run counts with and fills: the plan.
    struct Job {
        const FrameStore& store;
        const DisplayOptions& options;
        QPrinter& printer;
        QPrintDialog& printDialog;
        QFont listFont;  // sized for the printer at each count: 詳細設定 may change it
        PrintPagePlan& plan;
    };

    explicit TPrintSettingDlg(QWidget* parent);

    // Shows the dialog modally and counts; true when OK was pressed.
    bool Run(const Job& job);
    // The pages to print, as shown.
    const PrintRange& Range() const { return range_; }
    bool Counting() const { return counting_; }

    QPushButton* OkButton() { return ok_; }
    QPushButton* CancelButton() { return cancel_; }
    QPushButton* SetupButton() { return setup_; }
    // 0 全ページ数, 1 開始, 2 終了, 3 部数, 4 INDEX, 5 プリンタ
    QLabel* Field(int i) { return fields_[i]; }

public slots:
    void reject() override;

protected:
    void customEvent(QEvent* event) override;

private:
    void CountPages();
    void SetupClick();
    void EnableButtons(bool enabled, bool okEnabled);

    const Job* job_ = nullptr;
    PrintRange range_{1, 1, 0};
    bool counting_ = false;
    bool firstCount_ = false;  // of this run: copies and range start afresh
    QLabel* fields_[6] = {};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* setup_ = nullptr;
};
