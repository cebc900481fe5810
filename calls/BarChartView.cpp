#include "calls/BarChartView.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "ui/WindowFonts.h"

namespace {

constexpr int kPad = 4;

}  // namespace

BarChartView::BarChartView(QWidget* parent) : QWidget(parent) {
    setFont(WindowFonts::WindowFont());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
}

void BarChartView::SetBars(std::vector<Bar> bars) {
    bars_ = std::move(bars);
    updateGeometry();
    update();
}

int BarChartView::RowHeight() const { return fontMetrics().height() + 4; }

QSize BarChartView::sizeHint() const {
    return {320, static_cast<int>(bars_.size()) * RowHeight() + 2 * kPad};
}

void BarChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics metrics = fontMetrics();
    int labels = 0, figures = 0;
    double largest = 0;
    for (const Bar& b : bars_) {
        labels = std::max(labels, metrics.horizontalAdvance(b.label));
        figures = std::max(figures, metrics.horizontalAdvance(b.figure));
        largest = std::max(largest, b.value);
    }
    const int left = labels + 2 * kPad, room = std::max(1, width() - left - figures - 3 * kPad);
    const int row = RowHeight();
    for (size_t i = 0; i < bars_.size(); ++i) {
        const Bar& b = bars_[i];
        const int top = kPad + static_cast<int>(i) * row;
        p.setPen(Qt::black);
        p.drawText(QRect(0, top, left - kPad, row), Qt::AlignRight | Qt::AlignVCenter, b.label);
        const int length = largest > 0 ? static_cast<int>(std::lround(b.value / largest * room)) : 0;
        if (length > 0) p.fillRect(left, top + 2, length, row - 4, b.colour.isValid() ? b.colour : QColor(0x42, 0x7a, 0xc8));
        p.drawText(QRect(left + length + kPad, top, figures + kPad, row), Qt::AlignLeft | Qt::AlignVCenter, b.figure);
    }
}
