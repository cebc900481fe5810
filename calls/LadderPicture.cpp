#include "calls/LadderPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

#include "store/FrameRecord.h"
#include "ui/QtText.h"

namespace {

// Dark enough for text on white, and far apart.
const QRgb kPalette[LadderPicture::kColours] = {0x1F4E9C, 0xB22222, 0x1E7B34, 0x8E44AD,
                                               0xB8600B, 0x0E7C86, 0xA0306E, 0x5D5D1A};
const QColor kLifeline(0x80, 0x80, 0x80);
const QColor kTimeText(0x30, 0x30, 0x30);

QString CallTag(uint64_t call) { return QStringLiteral("#") + QString::number(call); }

QString GapText(uint32_t omitted) {
    return QStringLiteral("... ") + QString::number(omitted) + VELK_UI_TEXT("件省略") + QStringLiteral(" ...");
}

}  // namespace

QColor LadderPicture::Colour(int call) { return QColor(kPalette[static_cast<unsigned>(call) % kColours]); }

void LadderPicture::Set(const LadderModel& model, const std::string& tx, const std::string& rx) {
    model_ = &model;
    tx_ = QtText::FromCp932(tx);
    rx_ = QtText::FromCp932(rx);
    calls_.assign(model.Calls(), 0);
    for (const LadderModel::Arrow& a : model.Arrows())
        if (static_cast<size_t>(a.colour) < calls_.size()) calls_[static_cast<size_t>(a.colour)] = a.call;

    const QFontMetrics metrics(font_);
    LadderLayout::Metrics sizes;
    sizes.lineHeight = metrics.height();
    sizes.captionWidth = std::max(metrics.horizontalAdvance(tx_), metrics.horizontalAdvance(rx_));
    for (const LadderModel::Arrow& a : model.Arrows()) {
        sizes.timeWidth = std::max({sizes.timeWidth, metrics.horizontalAdvance(TimeText(a)),
                                    metrics.horizontalAdvance(QtText::FromCp932(a.delta))});
        const QString label = a.gap ? GapText(a.omitted) : QtText::FromCp932(a.name);
        sizes.labelWidth = std::max({sizes.labelWidth, metrics.horizontalAdvance(label),
                                     metrics.horizontalAdvance(QtText::FromCp932(a.cause))});
    }
    if (model.Calls() > 1)
        for (uint64_t call : calls_)
            sizes.legendWidth += sizes.lineHeight + 4 + metrics.horizontalAdvance(CallTag(call)) + 12;
    layout_.Build(model, sizes);
}

// With its call's number when the ladder has several.
QString LadderPicture::TimeText(const LadderModel::Arrow& arrow) const {
    const QString time = QtText::FromCp932(arrow.time);
    return model_->Calls() > 1 ? time + QStringLiteral("  ") + CallTag(arrow.call) : time;
}

LadderPicture::Item LadderPicture::ItemOf(size_t row) const {
    const LadderModel::Arrow& a = model_->Arrows()[row];
    const LadderLayout::Row& r = layout_.RowAt(row);
    Item item;
    item.gap = a.gap;
    item.top = r.top;
    item.height = r.height;
    item.arrowY = r.arrowY;
    const bool tx = a.side == FrameRecord::kTx;
    item.fromX = tx ? layout_.TxX() : layout_.RxX();
    item.toX = tx ? layout_.RxX() : layout_.TxX();
    item.colour = Colour(a.colour);
    if (a.gap) {
        item.name = GapText(a.omitted);
        return item;
    }
    item.time = TimeText(a);
    item.delta = QtText::FromCp932(a.delta);
    item.name = QtText::FromCp932(a.name);
    item.cause = QtText::FromCp932(a.cause);
    return item;
}

void LadderPicture::PaintHead(QPainter& painter) const {
    painter.save();
    painter.setFont(font_);
    const QFontMetrics metrics(font_);
    const int line = layout_.Sizes().lineHeight;
    const int top = LadderLayout::kMargin;
    for (const auto& [x, caption] : {std::pair{layout_.TxX(), tx_}, std::pair{layout_.RxX(), rx_}}) {
        const QRect box(x - layout_.BoxWidth() / 2, top, layout_.BoxWidth(), layout_.BoxHeight());
        painter.setPen(Qt::black);
        painter.setBrush(QColor(0xEE, 0xEE, 0xEE));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, caption);
        painter.setPen(kLifeline);
        painter.drawLine(x, box.bottom() + 1, x, layout_.HeadHeight());
    }
    // The calls of a multi-call ladder, each as a swatch of its colour and its number.
    int x = LadderLayout::kMargin;
    const int y = top + layout_.BoxHeight() + LadderLayout::kMargin;
    for (size_t c = 0; c < calls_.size() && calls_.size() > 1; ++c) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour(static_cast<int>(c)));
        painter.drawRect(x, y + 2, line - 4, line - 4);
        x += line + 4;
        painter.setPen(Colour(static_cast<int>(c)));
        const QString tag = CallTag(calls_[c]);
        painter.drawText(x, y + metrics.ascent(), tag);
        x += metrics.horizontalAdvance(tag) + 12;
    }
    painter.restore();
}

void LadderPicture::PaintRows(QPainter& painter, LadderLayout::Span rows) const {
    painter.save();
    painter.setFont(font_);
    const QFontMetrics metrics(font_);
    const int line = layout_.Sizes().lineHeight;
    // Labels are centred between the lifelines.
    const int left = layout_.TxX(), span = layout_.RxX() - layout_.TxX();
    for (size_t r = rows.first; r < rows.end && r < layout_.Rows(); ++r) {
        const Item item = ItemOf(r);
        QPen lifeline(kLifeline);
        if (item.gap) lifeline.setStyle(Qt::DashLine);
        painter.setPen(lifeline);
        for (int x : {layout_.TxX(), layout_.RxX()}) painter.drawLine(x, item.top, x, item.top + item.height - 1);
        painter.setPen(item.colour);
        if (item.gap) {
            // A break across both lifelines, with the count of the messages left out.
            const int y = item.top + item.height / 2;
            for (int dy : {-3, 3}) {
                QPolygon zigzag;
                for (int x = layout_.TxX() - 10, i = 0; x <= layout_.RxX() + 10; x += 6, ++i)
                    zigzag << QPoint(x, y + dy + (i % 2 ? 2 : -2));
                painter.drawPolyline(zigzag);
            }
            const QRect text(left, y - line / 2, span, line);
            painter.fillRect(text.adjusted(span / 4, 0, -span / 4, 0), Qt::white);
            painter.drawText(text, Qt::AlignCenter, item.name);
            continue;
        }
        const int base = item.top + metrics.ascent();
        painter.drawText(QRect(left, item.top, span, line), Qt::AlignCenter, item.name);
        painter.drawLine(item.fromX, item.arrowY, item.toX, item.arrowY);
        const int back = item.toX > item.fromX ? -8 : 8;
        painter.setBrush(item.colour);
        painter.drawPolygon(QPolygon({QPoint(item.toX, item.arrowY), QPoint(item.toX + back, item.arrowY - 4),
                                      QPoint(item.toX + back, item.arrowY + 4)}));
        if (!item.cause.isEmpty())
            painter.drawText(QRect(left, item.top + 2 * line, span, line), Qt::AlignCenter, item.cause);
        painter.setPen(kTimeText);
        painter.drawText(LadderLayout::kMargin, base, item.time);
        painter.drawText(LadderLayout::kMargin, base + line, item.delta);
    }
    painter.restore();
}

void LadderPicture::PaintAll(QPainter& painter) const {
    painter.fillRect(QRect(0, 0, Width(), Height()), Qt::white);
    PaintHead(painter);
    painter.save();
    painter.translate(0, layout_.HeadHeight());
    PaintRows(painter, {0, layout_.Rows()});
    painter.restore();
}
