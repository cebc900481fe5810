#include "ui/TDrawGrid.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
constexpr int kRowGap = 1;  // grid line width under each row
}

namespace {

// Rows of one line each until the owner gives its heights.
const RowHeights kNoHeights;

}  // namespace

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent), heights_(&kNoHeights) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    verticalScrollBar()->setTracking(true);
    horizontalScrollBar()->setTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    UpdateFont();
}

void TDrawGrid::UpdateFont() {
    lineHeight_ = std::max(1, QFontMetrics(font()).height());
    UpdateScrollBars();
}

void TDrawGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) UpdateFont();
    QAbstractScrollArea::changeEvent(event);
}

int64_t TDrawGrid::PixelsBefore(size_t position) const {
    return heights_->LinesBefore(position) * lineHeight_ + static_cast<int64_t>(position) * kRowGap;
}

int TDrawGrid::RowPixelHeight(int row) const {
    if (row <= 0) return HeaderHeight();
    return heights_->Lines(static_cast<size_t>(row - 1)) * lineHeight_ + kRowGap;
}

int TDrawGrid::ViewHeight() const { return std::max(0, viewport()->height() - HeaderHeight()); }

void TDrawGrid::SetRowCount(int rows) {
    rowCount_ = std::max(2, rows);
    if (row_ >= rowCount_) row_ = rowCount_ - 1;
    UpdateScrollBars();
    viewport()->update();
}

void TDrawGrid::RowsChanged() {
    UpdateScrollBars();
    viewport()->update();
}

void TDrawGrid::SetColWidth(int column, int width) {
    column &= 1;
    width = std::max(0, width);
    if (colWidths_[column] == width) return;
    colWidths_[column] = width;
    UpdateScrollBars();
    viewport()->update();
}

size_t TDrawGrid::TopFor(size_t lastPosition) const {
    // The first top t with PixelsBefore(last + 1) - PixelsBefore(t) <= view.
    const int64_t target = PixelsBefore(lastPosition + 1) - ViewHeight();
    size_t lo = 0, hi = lastPosition;
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (PixelsBefore(mid) >= target) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

void TDrawGrid::UpdateScrollBars() {
    const size_t rows = DataRows();
    const int maxTop = rows == 0 ? 0 : static_cast<int>(TopFor(rows - 1));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, maxTop);
    v->setPageStep(std::max(1, VisibleRowCount() - 1));
    v->setSingleStep(1);
    const int total = colWidths_[0] + colWidths_[1] + 2 * kRowGap;
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, total - viewport()->width()));
    h->setPageStep(std::max(1, viewport()->width()));
    h->setSingleStep(8);
}

int TDrawGrid::TopRow() const { return verticalScrollBar()->value() + 1; }

int TDrawGrid::VisibleRowCount() const {
    const size_t rows = DataRows();
    size_t top = static_cast<size_t>(verticalScrollBar()->value());
    const int64_t limit = PixelsBefore(top) + ViewHeight();
    size_t p = top;
    while (p < rows && PixelsBefore(p) < limit) ++p;
    return static_cast<int>(p - top);
}

void TDrawGrid::SetRow(int row) {
    row = std::clamp(row, 1, std::max(1, rowCount_ - 1));
    row_ = row;
    const size_t position = static_cast<size_t>(row - 1);
    QScrollBar* v = verticalScrollBar();
    const size_t top = static_cast<size_t>(v->value());
    if (position < top) v->setValue(static_cast<int>(position));
    else if (PixelsBefore(position + 1) - PixelsBefore(top) > ViewHeight())
        v->setValue(static_cast<int>(TopFor(position)));
    viewport()->update();
}

void TDrawGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (onResized) onResized();
}

void TDrawGrid::scrollContentsBy(int, int) { viewport()->update(); }

void TDrawGrid::paintEvent(QPaintEvent*) {
    if (onBeforePaint) onBeforePaint();
    QPainter painter(viewport());
    const int x0 = -horizontalScrollBar()->value();
    const int w0 = colWidths_[0], w1 = colWidths_[1];
    const int xs[kColumns] = {x0, x0 + w0 + kRowGap};
    const int ws[kColumns] = {w0, w1};
    const QColor lineColour(Qt::lightGray);
    const QColor face = palette().color(QPalette::Button);

    // Header row.
    for (int c = 0; c < kColumns; ++c) {
        QRect cell(xs[c], 0, ws[c], lineHeight_);
        painter.fillRect(cell, face);
        if (onDrawCell) {
            painter.save();
            painter.setClipRect(cell);
            onDrawCell(painter, 0, c, cell, false);
            painter.restore();
        }
    }
    painter.setPen(Qt::darkGray);
    painter.drawLine(x0, lineHeight_, x0 + w0 + w1 + kRowGap, lineHeight_);

    const size_t rows = DataRows();
    const int viewH = viewport()->height();
    size_t p = static_cast<size_t>(verticalScrollBar()->value());
    int y = HeaderHeight();
    const QColor highlight = palette().color(QPalette::Highlight);
    while (p < rows && y < viewH) {
        const int row = static_cast<int>(p) + 1;
        const int h = RowPixelHeight(row) - kRowGap;
        const bool selected = row == row_;
        for (int c = 0; c < kColumns; ++c) {
            QRect cell(xs[c], y, ws[c], h);
            if (selected) painter.fillRect(cell, highlight);
            if (onDrawCell) {
                painter.save();
                painter.setClipRect(cell);
                onDrawCell(painter, row, c, cell, selected);
                painter.restore();
            }
        }
        y += RowPixelHeight(row);
        ++p;
    }
    // Vertical grid lines.
    painter.setPen(lineColour);
    painter.drawLine(x0 + w0, 0, x0 + w0, viewH);
    painter.drawLine(x0 + w0 + kRowGap + w1, 0, x0 + w0 + kRowGap + w1, viewH);
    painter.setPen(Qt::darkGray);
    painter.drawLine(x0 + w0, 0, x0 + w0, lineHeight_);
}

int TDrawGrid::RowAt(int y) const {
    if (y < HeaderHeight()) return 0;
    const size_t rows = DataRows();
    size_t p = static_cast<size_t>(verticalScrollBar()->value());
    int top = HeaderHeight();
    while (p < rows) {
        const int h = RowPixelHeight(static_cast<int>(p) + 1);
        if (y < top + h) return static_cast<int>(p) + 1;
        top += h;
        if (top > viewport()->height()) break;
        ++p;
    }
    return -1;
}

int TDrawGrid::SizingColumnAt(int x, int y) const {
    if (y >= HeaderHeight()) return -1;
    const int x0 = -horizontalScrollBar()->value();
    const int edge0 = x0 + colWidths_[0];
    const int edge1 = edge0 + kRowGap + colWidths_[1];
    if (std::abs(x - edge0) <= kSizingMargin) return 0;
    if (std::abs(x - edge1) <= kSizingMargin) return 1;
    return -1;
}

void TDrawGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int sizing = SizingColumnAt(pos.x(), pos.y());
    if (sizing >= 0 && event->button() == Qt::LeftButton) {
        sizingColumn_ = sizing;
        sizingStartX_ = pos.x();
        sizingStartWidth_ = colWidths_[sizing];
        return;
    }
    const int row = RowAt(pos.y());
    if (row >= 1) SetRow(row);
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (sizingColumn_ >= 0) {
        SetColWidth(sizingColumn_, std::max(0, sizingStartWidth_ + pos.x() - sizingStartX_));
        return;
    }
    viewport()->setCursor(SizingColumnAt(pos.x(), pos.y()) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    if (event->buttons() & Qt::LeftButton) {
        const int row = RowAt(pos.y());
        if (row >= 1) SetRow(row);
    }
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent*) {
    sizingColumn_ = -1;
    if (onMouseUp) onMouseUp();
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = RowAt(event->position().toPoint().y());
    if (row >= 1 && onOpenRow) onOpenRow();
}

void TDrawGrid::keyPressEvent(QKeyEvent* event) {
    const int last = std::max(1, rowCount_ - 1);
    const int page = std::max(1, VisibleRowCount() - 1);
    switch (event->key()) {
    case Qt::Key_Up: SetRow(row_ - 1); break;
    case Qt::Key_Down: SetRow(row_ + 1); break;
    case Qt::Key_PageUp: SetRow(row_ - page); break;
    case Qt::Key_PageDown: SetRow(row_ + page); break;
    case Qt::Key_Home: if (event->modifiers() & Qt::ControlModifier) SetRow(1); break;
    case Qt::Key_End: if (event->modifiers() & Qt::ControlModifier) SetRow(last); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (onOpenRow) onOpenRow();
        break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
}
