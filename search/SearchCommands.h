#pragma once
// The 検索 menu's commands: text search and find next, the batch search,
// the number search with its related search, and go to INDEX. It owns the
// search dialogs, created once and reused; the main window wires each
// entry to it.
#include <cstddef>
#include <memory>

#include "search/SearchRequest.h"

class DialogHost;
class FrameListView;
class ProgramModel;
class TGoToDlg;
class TSearchDlg;
class TSearchNoDlg;
class TSearchNowDlg;

class SearchCommands {
public:
    SearchCommands(DialogHost& dialogs, FrameListView& list, ProgramModel& model);
    ~SearchCommands();

    void FindMenuClick();
    void FindNextMenuClick();
    void BatchSearchMenuClick();
    void NumberSearchMenuClick();
    void GotoIndexMenuClick();

    // Finds the next frame whose row text (every column when the options
    // say so) matches, under the progress window, and selects its row;
    // false, with the row as it was, when none did or the user cancelled.
    bool SearchFrames(const SearchRequest& request);
    // The related search's result window, modal, listing from the frame at
    // position on the frames of its call reference value; empty for a
    // position outside the store.
    static void ShowRelated(DialogHost& dialogs, ProgramModel& model, size_t position);

    TSearchDlg& SearchDlg() { return *searchDlg_; }
    TSearchNowDlg& SearchNowDlg() { return *searchNowDlg_; }
    TSearchNoDlg& SearchNoDlg() { return *searchNoDlg_; }
    TGoToDlg& GoToDlg() { return *goToDlg_; }

private:
    void ShowNotFound();
    // The frames of the current frame's call reference value from it on;
    // none unless a number was found.
    void RelatedSearch(bool found);

    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
    std::unique_ptr<TSearchDlg> searchDlg_;
    std::unique_ptr<TSearchNowDlg> searchNowDlg_;
    std::unique_ptr<TSearchNoDlg> searchNoDlg_;
    std::unique_ptr<TGoToDlg> goToDlg_;
};
