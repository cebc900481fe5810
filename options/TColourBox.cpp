#include "options/TColourBox.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "ui/QtText.h"
#include "options/ColourTable.h"

namespace {

// 0x00BBGGRR as stored.
QColor FromStored(uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

class ColourItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        TColourBox::DrawItem(*painter, option.rect, index.row(), option.font,
                             selected ? palette.highlight().color() : palette.base().color(),
                             selected ? palette.highlightedText().color() : palette.text().color());
    }
};

}  // namespace

TColourBox::TColourBox(QWidget* parent) : QComboBox(parent) {
    for (int i = 0; i < ColourTable::kCount; ++i) addItem(QtText::FromCp932(ColourTable::Name(i)));
    setItemDelegate(new ColourItemDelegate(this));
    setMaxVisibleItems(ColourTable::kCount);
}

void TColourBox::DrawItem(QPainter& painter, const QRect& rect, int index, const QFont& font,
                          const QColor& background, const QColor& text) {
    painter.save();
    painter.fillRect(rect, background);
    const QFontMetrics metrics(font);
    const int side = metrics.boundingRect(QStringLiteral("A")).height();
    const QRect square(rect.left() + 1, rect.top() + 2, side, side);
    painter.fillRect(square, FromStored(ColourTable::Value(index)));
    painter.setPen(text);
    painter.setFont(font);
    painter.drawText(QPoint(square.right() + 1 + 2, rect.top() + 2 + metrics.ascent()),
                     QtText::FromCp932(ColourTable::Name(index)));
    painter.restore();
}

void TColourBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(painter, field, currentIndex(), font(), palette().base().color(), palette().text().color());
}
