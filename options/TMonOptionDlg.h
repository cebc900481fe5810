#pragma once
// The monitor options dialog "ﾓﾆﾀｰｵﾌﾟｼｮﾝ": the COM port of the capture
// device, its clock (shown and set by the main window's timer while the
// dialog is up) and the three monitoring switches. It shows a
// MonitorOptionsEditor and hands the user's changes to it.
#include <QDialog>

#include <functional>
#include <string>

#include "options/MonitorClockDialog.h"
#include "options/MonitorOptions.h"
#include "options/MonitorOptionsEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class TMonOptionDlg : public QDialog, public MonitorClockDialog {
    Q_OBJECT
public:
    enum Tab { kPortTab, kClockTab, kOtherTab };

    // ports: the port numbers of the port list, in order.
    explicit TMonOptionDlg(std::vector<int> ports, QWidget* parent = nullptr);

    void Load(const MonitorOptions& record);
    void Store(MonitorOptions& record) const;

    // MonitorClockDialog.
    bool IsOnScreen() const override { return isVisible(); }
    bool ClockTabPresent() const override { return editor_.ClockTabShown(); }
    void ShowDeviceClock(const TimeStamp& time) override;
    bool TakeClockRequest(TimeStamp& time) override { return editor_.TakeClockRequest(time); }
    void CloseAsCancelled() override { reject(); }
    void ShowTabs(bool portTab, bool clockTab) override;

    // The "時刻" warning for a clock text that does not parse (CP932).
    std::function<void(const std::string& text, const std::string& caption)> onBadClock;

    QTabWidget* Tabs() { return tabs_; }
    QComboBox* PortList() { return port_; }
    QLabel* ClockLabel() { return clock_; }
    QLineEdit* ClockEdit() { return clockEdit_; }
    QPushButton* SetButton() { return set_; }
    QCheckBox* VoiceBox() { return voice_; }
    QCheckBox* RingBox() { return ring_; }
    QCheckBox* LogBox() { return log_; }
    QPushButton* OkButton() { return ok_; }

    // However the dialog closes, a clock request not yet sent goes with it.
    void done(int result) override;

private:
    void SetButtonClick();
    void ShowAll();

    MonitorOptionsEditor editor_;
    QTabWidget* tabs_ = nullptr;
    QComboBox* port_ = nullptr;
    QLabel* clock_ = nullptr;
    QLineEdit* clockEdit_ = nullptr;
    QPushButton* set_ = nullptr;
    QCheckBox* voice_ = nullptr;
    QCheckBox* ring_ = nullptr;
    QCheckBox* log_ = nullptr;
    QPushButton* ok_ = nullptr;
};
