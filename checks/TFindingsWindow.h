#pragma once
// The findings window "診断": every finding the program's protocol checks
// hold, one row each with the CSV's columns, live while a run takes frames.
// Any column sorts it; a severity and a check filter it; rows are tinted
// by severity; a status line counts the findings held by severity and the
// layer-2 frames by kind. Enter or a double click on a finding selects its
// frame in the main list; "CSV保存" writes the findings held as CSV.
// Modeless, made once and reused.
#include <QWidget>

#include <cstdint>
#include <string>

#include "checks/FindingTableModel.h"

class CallFeed;
class DialogHost;
class FrameListView;
class ProgramModel;
class ProtocolChecker;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

class TFindingsWindow : public QWidget {
    Q_OBJECT
public:
    TFindingsWindow(DialogHost& dialogs, FrameListView& list, ProgramModel& model, CallFeed& feed,
                    ProtocolChecker& checker);
    ~TFindingsWindow() override;

    // Shown in front with every finding so far; over the main window's
    // client area the first time, where the user left it afterwards.
    void Open();
    // The finding of a row: its frame selected in the main list when it is
    // still stored and no run is on; otherwise a box says why not.
    void OpenFinding(int row);
    // "CSV保存": every finding held, through a save dialog, atomically.
    void SaveCsv();

    QTableView* Table() { return table_; }
    QComboBox* SeverityBox() { return severity_; }
    QComboBox* CheckBox() { return check_; }
    QPushButton* SaveButton() { return save_; }
    QLabel* Status() { return status_; }
    const FindingTableModel& Model() const { return model_; }

private:
    // The main window's tick: the findings made since the last one.
    void Ticked();
    void ApplyFilter();
    void ShowStatus();
    void FitColumns();
    void Tell(const std::string& text);

    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& program_;
    CallFeed& feed_;
    ProtocolChecker& checker_;
    FindingTableModel model_;
    QTableView* table_ = nullptr;
    QComboBox* severity_ = nullptr;
    QComboBox* check_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* status_ = nullptr;
    bool placed_ = false;
    uint64_t current_ = 0;  // the current finding, kept through a rebuild
};
