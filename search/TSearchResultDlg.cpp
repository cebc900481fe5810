#include "search/TSearchResultDlg.h"

#include <QVBoxLayout>

#include "base/Cp932.h"
#include "decode/RowHeights.h"
#include "detail/TL3Form1.h"
#include "search/SearchTexts.h"
#include "store/FrameStore.h"
#include "ui/FrameRowPainter.h"
#include "ui/MainWindowServices.h"
#include "ui/TDrawGrid.h"
#include "ui/WindowPlacement.h"

TSearchResultDlg::TSearchResultDlg(MainWindowServices& window, const DisplayOptions& options)
    : QDialog(&window.Owner()), window_(window), options_(options) {
    QWidget& owner = window.Owner();
    setWindowTitle(SearchTexts::Text("検索結果"));
    setWindowIcon(owner.windowIcon());
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    grid_ = new TDrawGrid(this);
    QFont gridFont(QStringLiteral("IPAGothic"));
    gridFont.setPixelSize(12);
    gridFont.setStyleHint(QFont::TypeWriter);
    grid_->setFont(gridFont);
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
    FrameStore& store = window_.Store();
    RowHeights& heights = grid_->Heights();
    heights.Clear();
    for (uint32_t position : positions_) heights.Append(RowHeights::LineCount(store.At(position), options_));
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
    const int lines = FrameRowPainter::PaintRecord(painter, window_.Store().At(positions_[entry]), column, rect,
                                                   grid_->LineHeight(), selected, options_);
    grid_->SetRowLines(row, lines);
}

void TSearchResultDlg::OpenSelected() {
    const int row = grid_->Row();
    if (positions_.empty() || row < 1 || static_cast<size_t>(row) > positions_.size()) return;
    FrameStore& store = window_.Store();
    const uint32_t position = positions_[static_cast<size_t>(row - 1)];
    if (position >= store.Count()) return;
    const FrameRecord& record = store.At(position);
    if (!record.CheckCrc()) {
        window_.ShowMessageBox(VELK_SJIS("ＣＲＣエラーのデータは詳細表示できません。"), VELK_SJIS("誤操作"),
                               MessageBoxes::kIconWarning, MessageBoxes::kButtonsOk);
        return;
    }
    TL3Form1 form(*this, options_, record);
    form.exec();
}
