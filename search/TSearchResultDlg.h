#pragma once
// The result window "検索結果" of the batch and related searches: the
// frames at the listed store positions, drawn as the frame list draws
// them with the user's own columns. Built per search, laid over the main
// window's client area; a double click or Enter opens a frame's detail.
#include <QDialog>

#include <cstdint>
#include <deque>

#include "decode/RowHeights.h"
#include "options/DisplayOptions.h"

class DialogHost;
class FrameStore;
class QPainter;
class TDrawGrid;

class TSearchResultDlg : public QDialog {
    Q_OBJECT
public:
    TSearchResultDlg(DialogHost& dialogs, FrameStore& store, const DisplayOptions& options);

    // Ascending store positions.
    void SetPositions(std::deque<uint32_t> positions);
    const std::deque<uint32_t>& Positions() const { return positions_; }
    // Columns half the width less 8, then modal; the exec() result.
    int ShowModal();
    // The listed frame of the selected row: its detail window (modal), or
    // the "誤操作" warning for a frame that fails the frame check.
    void OpenSelected();

    TDrawGrid* Grid() { return grid_; }

private:
    void DrawCell(QPainter& painter, int row, int column, const QRect& rect, bool selected);

    DialogHost& dialogs_;
    FrameStore& store_;
    DisplayOptions options_;  // the window's own copy, not widened
    std::deque<uint32_t> positions_;
    RowHeights heights_;
    TDrawGrid* grid_ = nullptr;
};
