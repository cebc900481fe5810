#pragma once
// The call statistics "統計": calls by result, by cause, location and
// clearing side, the delay to ALERTING and the talk time overall and per
// called-number prefix (typed, comma-separated, applied at once), calls
// per hour and the B channels by busy time; tables, with small charts
// where a picture reads faster. Live while a run takes frames. "CSV保存"
// writes the tables as CSV. Modeless, made once and reused.
#include <QWidget>

#include <cstdint>

#include "calls/CallStatistics.h"

class BarChartView;
class CallFeed;
class DialogHost;
class ProgramModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

class TCallStatisticsWindow : public QWidget {
    Q_OBJECT
public:
    enum Table { kResults, kCauses, kToAlerting, kTalk, kHours, kChannels, kTables };
    enum Chart { kResultChart, kHourChart, kChannelChart, kCharts };

    TCallStatisticsWindow(DialogHost& dialogs, ProgramModel& model, CallFeed& feed);
    ~TCallStatisticsWindow() override;

    // Shown in front over every call so far; over the main window's client
    // area the first time.
    void Open();
    // "CSV保存": the tables, through a save dialog, atomically.
    void SaveCsv();

    QTableWidget* TableOf(Table table) { return tables_[table]; }
    BarChartView* ChartOf(Chart chart) { return charts_[chart]; }
    QTabWidget* Tabs() { return tabs_; }
    QLineEdit* PrefixBox() { return prefixes_; }
    QPushButton* SaveButton() { return save_; }
    const CallStatistics& Statistics() const { return statistics_; }

private:
    void Ticked();
    void Rebuild();
    void Show();

    DialogHost& dialogs_;
    ProgramModel& program_;
    CallFeed& feed_;
    CallStatistics statistics_;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* tables_[kTables] = {};
    BarChartView* charts_[kCharts] = {};
    QLineEdit* prefixes_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* summary_ = nullptr;
    bool placed_ = false;
    uint64_t generation_ = 0;
};
