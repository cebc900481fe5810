#include "search/SearchCommands.h"

#include <QCoreApplication>

#include <cstdint>

#include "base/Cp932.h"
#include "options/OptionData.h"
#include "search/FrameSearch.h"
#include "search/GoToIndex.h"
#include "search/RelatedFrames.h"
#include "search/TGoToDlg.h"
#include "search/TSearchDlg.h"
#include "search/TSearchNoDlg.h"
#include "search/TSearchNowDlg.h"
#include "search/TSearchResultDlg.h"
#include "store/FrameStore.h"
#include "ui/DialogHost.h"
#include "ui/FrameListView.h"
#include "ui/ProgramModel.h"
#include "ui/WindowPlacement.h"

namespace {

// The main window disabled and the progress window up for one search,
// undone however the search ends.
class SearchingScope {
public:
    SearchingScope(QWidget& owner, TSearchNowDlg& progress) : owner_(owner), progress_(progress) {
        owner_.setEnabled(false);
        WindowPlacement::CentreOn(progress_, owner_);
        progress_.Reset();
        progress_.show();
    }
    ~SearchingScope() {
        progress_.hide();
        owner_.setEnabled(true);
    }
    SearchingScope(const SearchingScope&) = delete;
    SearchingScope& operator=(const SearchingScope&) = delete;

private:
    QWidget& owner_;
    TSearchNowDlg& progress_;
};

}  // namespace

SearchCommands::SearchCommands(DialogHost& dialogs, FrameListView& list, ProgramModel& model)
    : dialogs_(dialogs), list_(list), model_(model),
      searchDlg_(std::make_unique<TSearchDlg>(&dialogs.Owner())),
      searchNowDlg_(std::make_unique<TSearchNowDlg>()),
      searchNoDlg_(std::make_unique<TSearchNoDlg>(&dialogs.Owner())),
      goToDlg_(std::make_unique<TGoToDlg>(dialogs, &dialogs.Owner())) {}

SearchCommands::~SearchCommands() = default;

void SearchCommands::ShowNotFound() {
    dialogs_.ShowMessageBox(VELK_SJIS("指定の文字列は見つかりませんでした。"), VELK_SJIS("検索結果"),
                           MessageBoxes::kIconInformation, MessageBoxes::kButtonsOk);
}

bool SearchCommands::SearchFrames(const SearchRequest& request) {
    FrameStore& store = model_.Store();
    const int remembered = list_.SelectedRow();
    if (store.Count() == 0) return false;
    int row = remembered;
    if (request.step) {
        row = SearchRange::StepRow(row, store.Count(), request.forward);
        if (row == 0) return false;
        list_.SelectRow(row);
    }
    int64_t found = FrameSearch::kNotFound;
    {
        SearchingScope scope(dialogs_.Owner(), *searchNowDlg_);
        DisplayOptions options;
        model_.Options().GetDisplayOptions(options);
        OptionData::ApplySearchColumns(options);
        const SearchRange range = SearchRange::For(store.Count(), row, request.forward, request.fromCursor);
        found = FrameSearch::Find(store, options, request, range, [this](int32_t index) {
            searchNowDlg_->Report(index);
            QCoreApplication::processEvents();
            return !searchNowDlg_->Cancelled();
        });
    }
    list_.SelectRow(found == FrameSearch::kNotFound ? remembered : static_cast<int>(found) + 1);
    return found != FrameSearch::kNotFound;
}

void SearchCommands::FindMenuClick() {
    WindowPlacement::CentreOn(*searchDlg_, dialogs_.Owner());
    if (searchDlg_->exec() != QDialog::Accepted) return;
    if (!SearchFrames(searchDlg_->Request(false))) ShowNotFound();
}

void SearchCommands::FindNextMenuClick() {
    if (!SearchFrames(searchDlg_->Request(true))) ShowNotFound();
}

void SearchCommands::BatchSearchMenuClick() {
    WindowPlacement::CentreOn(*searchDlg_, dialogs_.Owner());
    if (searchDlg_->exec() != QDialog::Accepted) return;
    DisplayOptions options;
    model_.Options().GetDisplayOptions(options);
    TSearchResultDlg result(dialogs_, model_.Store(), options);
    // The search reads every column when asked to; the list shows the user's.
    OptionData::ApplySearchColumns(options);
    const SearchRequest request = searchDlg_->Request(false);
    const FrameStore& store = model_.Store();
    const SearchRange range =
        SearchRange::For(store.Count(), list_.SelectedRow(), request.forward, request.fromCursor);
    result.SetPositions(FrameSearch::Collect(store, options, request, range));
    result.ShowModal();
}

void SearchCommands::NumberSearchMenuClick() {
    WindowPlacement::CentreOn(*searchNoDlg_, dialogs_.Owner());
    bool found = false;
    for (;;) {
        const int result = searchNoDlg_->ShowSearchNo(found);
        if (result == TSearchNoDlg::kSearchRelated) {
            RelatedSearch(found);
            return;
        }
        if (result != TSearchNoDlg::kSearchNext) return;
        SearchRequest request;
        request.text = (searchNoDlg_->IsCallingNumber() ? VELK_SJIS("発番号=") : VELK_SJIS("着番号=")) +
                       searchNoDlg_->NumberText();
        request.forward = searchNoDlg_->IsForward();
        request.fromCursor = searchNoDlg_->IsFromCursor();
        request.step = found;
        request.wholeMatch = searchDlg_->IsWholeMatch();
        if (SearchFrames(request)) found = true;
        else ShowNotFound();
    }
}

void SearchCommands::RelatedSearch(bool found) {
    const int row = list_.SelectedRow();
    ShowRelated(dialogs_, model_, found && row >= 1 ? static_cast<size_t>(row - 1) : SIZE_MAX);
}

void SearchCommands::ShowRelated(DialogHost& dialogs, ProgramModel& model, size_t position) {
    DisplayOptions options;
    model.Options().GetDisplayOptions(options);
    TSearchResultDlg result(dialogs, model.Store(), options);
    result.SetPositions(RelatedFrames::From(model.Store(), position));
    result.ShowModal();
}

void SearchCommands::GotoIndexMenuClick() {
    WindowPlacement::CentreOn(*goToDlg_, dialogs_.Owner());
    if (goToDlg_->exec() != QDialog::Accepted) return;
    const int64_t position = GoToIndex::Find(model_.Store(), goToDlg_->TargetIndex());
    if (position != GoToIndex::kNotFound) list_.SelectRow(static_cast<int>(position) + 1);
}
