#include "search/TSearchResultDlg.h"

#include <QVBoxLayout>

#include "base/Cp932.h"
#include "decode/RowHeights.h"
#include "search/SearchTexts.h"
#include "ui/QtText.h"
#include "store/FrameStore.h"
#include "ui/FrameRowPainter.h"
#include "ui/DialogHost.h"
#include "ui/TDrawGrid.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowFonts.h"

TSearchResultDlg::TSearchResultDlg(DialogHost& dialogs, FrameStore& store, const DisplayOptions& options)
    : QDialog(&dialogs.Owner()), dialogs_(dialogs), store_(store), options_(options) {
    QWidget& owner = dialogs.Owner();
    setWindowTitle(QtText::Literal("検索結果"));
    setWindowIcon(owner.windowIcon());
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    grid_ = new TDrawGrid(this);
    grid_->SetHeights(heights_);
    grid_->setFont(WindowFonts::ListFont());
    layout->addWidget(grid_);
    grid_->onDrawCell = [this](QPainter& p, int row, int column, const QRect& rect, bool selected) {
        DrawCell(p, row, column, rect, selected);
    };
    grid_->onOpenRow = [this] { OpenSelected(); };
    WindowPlacement::CoverClientArea(*this, owner);
    SetPositions({});
}

void TSearchResultDlg::SetPositions(std::deque<uint32_t> positions) {
    positions_ = std::move(positions);
    heights_.Clear();
    for (uint32_t position : positions_) heights_.Append(RowHeights::LineCount(store_.At(position), options_));
    grid_->SetRowCount(positions_.empty() ? 2 : static_cast<int>(positions_.size()) + 1);
    grid_->RowsChanged();
    grid_->SetRow(1);
}

int TSearchResultDlg::ShowModal() {
    grid_->SetColWidth(0, width() / 2 - 8);
    grid_->SetColWidth(1, width() / 2 - 8);
    return exec();
}

void TSearchResultDlg::DrawCell(QPainter& painter, int row, int column, const QRect& rect, bool selected) {
    if (row == 0) {
        FrameRowPainter::PaintHeader(painter, column, rect, grid_->LineHeight());
        return;
    }
    const size_t entry = static_cast<size_t>(row - 1);
    if (entry >= positions_.size()) return;
    FrameRowPainter::PaintRecord(painter, store_.At(positions_[entry]), column, rect, grid_->LineHeight(), selected,
                                 options_);
}

void TSearchResultDlg::OpenSelected() {
    const int row = grid_->Row();
    if (positions_.empty() || row < 1 || static_cast<size_t>(row) > positions_.size()) return;
    const uint32_t position = positions_[static_cast<size_t>(row - 1)];
    if (position >= store_.Count()) return;
    const FrameRecord& record = store_.At(position);
    if (!record.CheckCrc()) {
        dialogs_.ShowMessageBox(VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"), VELK_SJIS("誤操作"),
                               MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
        return;
    }
    dialogs_.ShowDetailWindow(*this, options_, record);
}
