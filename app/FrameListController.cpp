#include "app/FrameListController.h"

#include <QPainter>

#include "app/StatusPanels.h"
#include "decode/RowText.h"
#include "ui/DialogHost.h"
#include "ui/FrameRowPainter.h"
#include "ui/TDrawGrid.h"

FrameListController::FrameListController(TDrawGrid& grid, const FrameStore& store, const DisplayOptions& display,
                                         const MonitoringSession& session, StatusPanels& status,
                                         DialogHost& dialogs)
    : grid_(grid), store_(store), display_(display), session_(session), status_(status), dialogs_(dialogs) {
    grid_.SetHeights(model_.Heights());
    grid_.onDrawCell = [this](QPainter& p, int row, int column, const QRect& rect, bool selected) {
        DrawCell(p, row, column, rect, selected);
    };
    grid_.onBeforePaint = [this] {
        if (drawingEnabled_) SyncRows();
    };
    grid_.onMouseUp = [this] { FitColumns(); };
    // The list's own size, once laid out, is what the limits refer to.
    grid_.onResized = [this] {
        if (grid_.isVisible()) FitColumns();
    };
}

void FrameListController::SyncRows() {
    const bool changed = model_.Sync(store_, display_);
    const int rows = FrameListModel::GridRows(store_.Count());
    if (rows != grid_.RowCount()) grid_.SetRowCount(rows);
    else if (changed) grid_.RowsChanged();
}

void FrameListController::Recount() {
    model_.Invalidate();
    SyncRows();
    grid_.RepaintAll();
}

void FrameListController::ShowTaken(const MonitoringSession::Actions& actions) {
    if (actions.syncRows) SyncRows();
    if (actions.showNewest) {
        const int count = static_cast<int>(store_.Count());
        grid_.SetRowCount(count + 1);
        grid_.SetRow(count);
    }
    if (actions.repaintAll) grid_.RepaintAll();
}

void FrameListController::FitColumns() {
    const int client = grid_.viewport()->width();
    if (grid_.ColWidth(0) >= client - kMinColumnWidth) grid_.SetColWidth(0, client - kMinColumnWidth);
    for (int c = 0; c < 2; ++c)
        if (grid_.ColWidth(c) < kMinColumnWidth) grid_.SetColWidth(c, kMinColumnWidth);
}

int FrameListController::SelectedRow() const { return grid_.Row(); }

void FrameListController::SelectRow(int row) {
    // A store just loaded may not have been painted yet.
    if (drawingEnabled_) SyncRows();
    grid_.SetRow(row);
}

void FrameListController::RefreshList(bool recountRows) {
    if (recountRows) {
        if (onStoreReplaced) onStoreReplaced();
        model_.Invalidate();
        if (drawingEnabled_) SyncRows();
    }
    grid_.RepaintAll();
}

void FrameListController::ShowFileName(const QString& path, bool onlyIfEmpty) {
    status_.ShowFileName(path, onlyIfEmpty);
}

QFont FrameListController::ListFont() const { return grid_.font(); }

int FrameListController::ListColumnWidth(int column) const { return grid_.ColWidth(column); }

int FrameListController::ListClientWidth() const { return grid_.viewport()->width(); }

void FrameListController::DrawCell(QPainter& painter, int row, int column, const QRect& rect, bool selected) {
    if (!drawingEnabled_) return;
    const int thinning = session_.ThinningFactor();
    if (thinning != 0 && row != 0 && row % thinning != 0) return;
    try {
        const int lineHeight = grid_.LineHeight();
        if (row == 0) {
            FrameRowPainter::PaintHeader(painter, column, rect, lineHeight);
            return;
        }
        const size_t position = static_cast<size_t>(row - 1);
        if (position >= store_.Count()) return;
        FrameRowPainter::PaintRecord(painter, store_.At(position), column, rect, lineHeight, selected, display_,
                                     buildText);
    } catch (...) {
        // A row that cannot be painted stops the list and, once, the program.
        drawingEnabled_ = false;
        if (!paintFaultPosted_) {
            paintFaultPosted_ = true;
            dialogs_.PostNotification(DialogHost::kSystemFault);
        }
    }
}
