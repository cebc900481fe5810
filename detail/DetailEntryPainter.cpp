#include "detail/DetailEntryPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/QtText.h"
#include "detail/DetailLines.h"

namespace {

QColor ColourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// Positions name the top of the text; Qt writes on the baseline.
void Write(QPainter& painter, int x, int top, const std::string& text) {
    if (!text.empty()) painter.drawText(QPoint(x, top + painter.fontMetrics().ascent()), QtText::FromCp932(text));
}

// A box from (x1, y1) to (x2, y2), right and bottom edges outside it, with
// 7 x 7 corner ellipses, filled with colour.
void Box(QPainter& painter, int x1, int y1, int x2, int y2, uint32_t colour) {
    const QBrush brush = painter.brush();
    const QPen pen = painter.pen();
    painter.setBrush(ColourOf(colour));
    painter.setPen(Qt::black);
    painter.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1), 3.5, 3.5);
    painter.setBrush(brush);
    painter.setPen(pen);
}

}  // namespace

int DetailEntryPainter::Height(const QFontMetrics& metrics, std::string_view entry) {
    return (metrics.height() + 2) * DetailLines::Count(entry) + 2;
}

void DetailEntryPainter::Paint(QPainter& painter, std::string_view entry, const QRect& rect,
                               const DisplayOptions& options, bool printing) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int h = metrics.height() + 2;
    const int a = metrics.horizontalAdvance(QLatin1Char('A'));
    const int left = rect.left(), top = rect.top(), width = rect.width();
    const int d = options.showIcons ? 5 * a + 3 : 3;
    painter.fillRect(rect, painter.brush());
    int y = top + 2;
    for (const DetailLines::Line& line : DetailLines::Parse(entry, options.indent != 0)) {
        if (!line.tag.empty()) {
            Box(painter, left, top, left + d + 3, top + h + 2, options.iconColour);
            Write(painter, left + 3, y, line.tag);
        }
        if (line.title) {
            Box(painter, left, top, left + width, top + h + 2, options.titleColour);
            Write(painter, left + (width - static_cast<int>(line.label.size()) * a) / 2, y, line.label);
        } else {
            Write(painter, left + d + 6, y, line.label);
            Write(painter, left + d + 36 * a + 6, y, line.value);
        }
        if (line.separator) {
            const QPen pen = painter.pen();
            painter.setPen(QPen(ColourOf(options.separatorColour), printing ? 3 : 1));
            painter.drawLine(left + d + 6, top, left + d + width, top);
            painter.setPen(pen);
        }
        y += h;
    }
}
