#pragma once
// The table of a window that lists many rows (calls, findings): whole rows
// selected, nothing edited, rows of one height never measured from their
// contents (100,000 rows stay as quick as ten), sorted by clicking a
// column's header, in the list font.
#include <QAbstractItemView>

class QAbstractItemModel;
class QTableView;
class QWidget;

class LongListTable {
public:
    static QTableView* Make(QWidget* parent, QAbstractItemModel& model, QAbstractItemView::SelectionMode selection,
                            int sortColumn);
};
