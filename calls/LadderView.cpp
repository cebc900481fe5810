#include "calls/LadderView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "calls/LadderPicture.h"

LadderView::LadderView(const LadderPicture& picture, Part part, QWidget* parent)
    : QWidget(parent), picture_(picture), part_(part) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(part == kRows);
}

void LadderView::Fit() {
    const LadderLayout& layout = picture_.Layout();
    setFixedSize(layout.Width(), part_ == kHead ? layout.HeadHeight() : std::max(1, layout.Height()));
    update();
}

size_t LadderView::ArrowAt(QPoint point) const {
    const LadderLayout& layout = picture_.Layout();
    if (part_ != kRows || point.x() < 0 || point.x() >= layout.Width()) return LadderLayout::kNoRow;
    const size_t row = layout.RowAtY(point.y());
    return row == LadderLayout::kNoRow || picture_.ItemOf(row).gap ? LadderLayout::kNoRow : row;
}

void LadderView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (part_ == kHead) {
        picture_.PaintHead(painter);
        return;
    }
    // A long ladder paints only the rows in view.
    const QRect area = event->rect();
    picture_.PaintRows(painter, picture_.Layout().RowsIn(area.top(), area.bottom() + 1));
}

void LadderView::mousePressEvent(QMouseEvent* event) {
    const size_t arrow = ArrowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && arrow != LadderLayout::kNoRow) emit ArrowClicked(arrow);
}

void LadderView::mouseMoveEvent(QMouseEvent* event) {
    const bool onArrow = ArrowAt(event->position().toPoint()) != LadderLayout::kNoRow;
    setCursor(onArrow ? Qt::PointingHandCursor : Qt::ArrowCursor);
}
