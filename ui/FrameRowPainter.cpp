#include "ui/FrameRowPainter.h"

#include <QPainter>

#include "ui/QtText.h"
#include "decode/RowHeights.h"
#include "decode/RowText.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

QColor ColourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

void FrameRowPainter::PaintHeader(QPainter& painter, int column, const QRect& cell, int lineHeight) {
    painter.setPen(Qt::black);
    painter.drawText(QRect(cell.left() + 1, cell.top(), cell.width() - 1, lineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(column == 0 ? "TX" : "RX"));
}

int FrameRowPainter::PaintRecord(QPainter& painter, const FrameRecord& record, int column, const QRect& cell,
                                 int lineHeight, bool selected, const DisplayOptions& options,
                                 const BuildText& build) {
    const bool fcsGood = record.CheckCrc();
    std::string text;
    if (build) build(record, text, options, fcsGood);
    else RowText::BuildRowText(record, text, options, fcsGood);
    const int recordColumn = record.IsRx() ? 1 : 0;
    if (column == recordColumn) PaintText(painter, text, fcsGood, selected, cell, lineHeight, options);
    return RowHeights::TextLines(text);
}

void FrameRowPainter::PaintText(QPainter& painter, std::string_view text, bool fcsGood, bool selected,
                                const QRect& cell, int lineHeight, const DisplayOptions& colours) {
    uint32_t colour = selected ? kWhite : kBlack;
    std::string prefix;
    int k = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        if (line.front() == ' ') {
            prefix.assign(line);
            continue;
        }
        if (k == 0 && colour == kBlack) colour = colours.firstLineColour;
        // The error colour wins over the selection's white too.
        if (!fcsGood) colour = colours.errorColour;
        painter.setPen(ColourOf(colour));
        const QString shown = QtText::FromCp932(prefix + std::string(line));
        painter.drawText(QRect(cell.left() + 1, cell.top() + k * lineHeight, cell.width() - 1, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, shown);
        if (k == 0 && colour == colours.firstLineColour) colour = kBlack;
        ++k;
    }
}
