#include "ui/LongListTable.h"

#include <QHeaderView>
#include <QTableView>

#include "ui/WindowFonts.h"

QTableView* LongListTable::Make(QWidget* parent, QAbstractItemModel& model, QAbstractItemView::SelectionMode selection,
                                int sortColumn) {
    auto* table = new QTableView(parent);
    table->setFont(WindowFonts::ListFont());
    table->setModel(&model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(selection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    QHeaderView* rows = table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(table->fontMetrics().height() + 4);
    QHeaderView* columns = table->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSortIndicator(sortColumn, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    return table;
}
