#pragma once
// The findings window's rows for a Qt view: the CSV's columns and headers,
// the rows of a FindingTable over the program's checker, a pale background
// by severity. Each tick adds only the findings made since and removes
// those the log let go; a new generation of the call feed (the checker
// starts afresh with it), a filter or a sort builds them anew.
#include <QAbstractTableModel>

#include <cstdint>

#include "calls/CallFeed.h"
#include "checks/FindingTable.h"
#include "checks/ProtocolChecker.h"

class FindingTableModel : public QAbstractTableModel, private FindingTable::Edits {
    Q_OBJECT
public:
    FindingTableModel(const ProtocolChecker& checker, const CallFeed& feed, QObject* parent = nullptr);

    // Every finding held, afresh.
    void Rebuild();
    // The findings since the last tick; afresh after a new generation.
    void Follow();
    // A Severity or FindingTable::kAll; a Check or FindingTable::kAll.
    void SetFilter(int severity, int check);

    const FindingTable& Rows() const { return rows_; }
    const FindingLog& Log() const { return checker_.Findings(); }
    // The finding shown in a row; nullptr outside or when the log let it go.
    const Finding* FindingAt(int row) const;
    // The row of a finding, -1 when it is not shown.
    int RowOf(uint64_t number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    // FindingTable::Edits.
    void BeginInsert(size_t row, size_t count) override;
    void EndInsert() override { endInsertRows(); }
    void BeginRemove(size_t row, size_t count) override;
    void EndRemove() override { endRemoveRows(); }
    void BeginReset() override { beginResetModel(); }
    void EndReset() override { endResetModel(); }

    const ProtocolChecker& checker_;
    const CallFeed& feed_;
    FindingTable rows_;
    uint64_t generation_ = 0;
};
