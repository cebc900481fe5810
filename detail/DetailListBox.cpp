#include "detail/DetailListBox.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include "detail/DetailEntryPainter.h"
#include "detail/DetailSelection.h"

namespace {

// Rows over the entries; the delegate reads the entries themselves.
class EntryModel : public QAbstractListModel {
public:
    EntryModel(const std::vector<std::string>& entries, QObject* parent)
        : QAbstractListModel(parent), entries_(entries) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    QVariant data(const QModelIndex&, int) const override { return {}; }

private:
    const std::vector<std::string>& entries_;
};

class EntryDelegate : public QStyledItemDelegate {
public:
    EntryDelegate(const std::vector<std::string>& entries, const DisplayOptions& options, QObject* parent)
        : QStyledItemDelegate(parent), entries_(entries), options_(options) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(0, DetailEntryPainter::Height(option.fontMetrics, Entry(index)));
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(option.font);
        painter->setBrush(option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        DetailEntryPainter::Paint(*painter, Entry(index), option.rect, options_, false);
        painter->restore();
    }

private:
    const std::string& Entry(const QModelIndex& index) const { return entries_[static_cast<size_t>(index.row())]; }

    const std::vector<std::string>& entries_;
    const DisplayOptions& options_;
};

}  // namespace

DetailListBox::DetailListBox(const std::vector<std::string>& entries, const DisplayOptions& options,
                             QWidget* parent)
    : QListView(parent), entries_(entries) {
    setModel(new EntryModel(entries, this));
    setItemDelegate(new EntryDelegate(entries, options, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int DetailListBox::Selected() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? DetailSelection::kNone : rows.first().row();
}

void DetailListBox::Select(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void DetailListBox::Step(int steps) {
    const int from = Selected();
    const int to = DetailSelection::Step(entries_, from, steps);
    if (to != from) Select(to);
}

void DetailListBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left: Step(-1); break;
    case Qt::Key_Down:
    case Qt::Key_Right: Step(1); break;
    case Qt::Key_PageUp: Step(-DetailSelection::kPage); break;
    case Qt::Key_PageDown: Step(DetailSelection::kPage); break;
    default: QListView::keyPressEvent(event); return;
    }
    event->accept();
}

// A notch (120 eighths of a degree) is one step; the list does not scroll by itself.
void DetailListBox::wheelEvent(QWheelEvent* event) {
    wheelDelta_ += event->angleDelta().y();
    const int notches = wheelDelta_ / 120;
    wheelDelta_ -= notches * 120;
    Step(-notches);
    event->accept();
}

// Title bars and separator lines span the width: all of them move with it.
void DetailListBox::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    viewport()->update();
}
