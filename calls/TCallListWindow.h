#pragma once
// The call list "呼一覧": every call the program has read from its frames,
// one row each with the CSV's columns, live while a run takes frames. Any
// column sorts it; a result and a number substring filter it; a summary
// line counts the calls held by result. Enter or a double click on a call
// selects its first frame in the main list and lists its related frames;
// "CSV保存" writes the calls held as CSV, "呼レポート保存" the report of
// the current call; "シーケンス図" draws the ladder of the selected calls.
// Modeless, made once and reused.
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "calls/CallTableModel.h"

class CallFeed;
class DialogHost;
class FrameListView;
class ProgramModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TLadderWindow;

class TCallListWindow : public QWidget {
    Q_OBJECT
public:
    TCallListWindow(DialogHost& dialogs, FrameListView& list, ProgramModel& model, CallFeed& feed);
    ~TCallListWindow() override;

    // Shown in front with every call so far; over the main window's client
    // area the first time, where the user left it afterwards.
    void Open();
    // The call of a row: its first frame selected in the main list and the
    // frames of its call reference value listed from there, when the frame
    // is still stored and no run is on; otherwise a box says why not.
    void OpenCall(int row);
    // Opened, the call's row selected and in view, the filters cleared when
    // they hide it; a box when the call is no longer held.
    void SelectCall(uint64_t number);
    // "CSV保存": every call held, through a save dialog, atomically.
    void SaveCsv();
    // "呼レポート保存": the current call's report, through a save dialog, atomically.
    void SaveReport();
    // "シーケンス図": the ladder of the selected calls, or of the current one
    // when none is selected.
    void ShowLadder();
    QPushButton* LadderButton() { return ladderButton_; }
    TLadderWindow* Ladder() { return ladder_.get(); }

    QTableView* Table() { return table_; }
    QComboBox* ResultBox() { return result_; }
    QLineEdit* NumberBox() { return number_; }
    QPushButton* SaveButton() { return save_; }
    QPushButton* ReportButton() { return report_; }
    QLabel* Summary() { return summary_; }
    const CallTableModel& Model() const { return model_; }

private:
    // The main window's tick: the rows of the calls its frames changed.
    void Ticked();
    void ApplyFilter();
    void ShowSummary();
    void ReadColours();
    void FitColumns();
    void Tell(const std::string& text);

    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& program_;
    CallFeed& feed_;
    CallTableModel model_;
    QTableView* table_ = nullptr;
    QComboBox* result_ = nullptr;
    QLineEdit* number_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* report_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* ladderButton_ = nullptr;
    std::unique_ptr<TLadderWindow> ladder_;
    bool placed_ = false;
    uint64_t current_ = 0;  // the current call, kept through a rebuild
};
