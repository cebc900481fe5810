#pragma once
// A grid of two columns with one fixed header row and rows of different
// heights, scrolled by whole rows. It paints nothing itself: every visible
// cell is handed to the owner's draw-cell handler. Row heights are the
// owner's line counts times the line height, kept with running totals, so a
// list of 30000 rows costs no more per paint than one screenful.
#include <QAbstractScrollArea>

#include <functional>

#include "decode/RowHeights.h"

class TDrawGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kColumns = 2;
    static constexpr int kSizingMargin = 3;

    explicit TDrawGrid(QWidget* parent = nullptr);

    // Row 0 is the header; rows 1 .. RowCount-1 show store positions 0 ...
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rows);
    // Line counts of the data rows, owned by the caller and kept alive as
    // long as the grid; call RowsChanged after they changed.
    void SetHeights(const RowHeights& heights) { heights_ = &heights; }
    const RowHeights& Heights() const { return *heights_; }
    void RowsChanged();

    int LineHeight() const { return lineHeight_; }
    int RowPixelHeight(int row) const;
    int ColWidth(int column) const { return colWidths_[column & 1]; }
    void SetColWidth(int column, int width);

    // The selected row (1 .. RowCount-1).
    int Row() const { return row_; }
    // Selects row and scrolls it into view.
    void SetRow(int row);
    // First data row shown under the header.
    int TopRow() const;
    // Rows at least partly shown below the header.
    int VisibleRowCount() const;
    void RepaintAll() { viewport()->update(); }

    std::function<void(QPainter&, int row, int column, const QRect& rect, bool selected)> onDrawCell;
    // Runs before each paint (the owner brings the row count in step).
    std::function<void()> onBeforePaint;
    std::function<void()> onOpenRow;   // double click, Enter
    std::function<void()> onMouseUp;
    std::function<void()> onResized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int HeaderHeight() const { return lineHeight_ + 1; }
    // Pixels of data rows from position 0 to before position.
    int64_t PixelsBefore(size_t position) const;
    size_t DataRows() const { return rowCount_ > 1 ? static_cast<size_t>(rowCount_ - 1) : 0; }
    int ViewHeight() const;
    // Smallest top position whose rows from it up to end fit the view.
    size_t TopFor(size_t lastPosition) const;
    void UpdateScrollBars();
    int RowAt(int y) const;
    int SizingColumnAt(int x, int y) const;
    void UpdateFont();

    const RowHeights* heights_;
    int rowCount_ = 2;
    int row_ = 1;
    int lineHeight_ = 12;
    int colWidths_[kColumns] = {64, 64};
    int sizingColumn_ = -1;
    int sizingStartX_ = 0;
    int sizingStartWidth_ = 0;
};
