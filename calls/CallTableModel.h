#pragma once
// The call list's rows for a Qt view: the CSV's columns and headers, the
// rows of a CallListModel over the program's call feed, the display
// options' first-line colour for calls and their error colour for calls
// refused or never released. Each tick moves only the rows of the calls it
// changed; a new generation of calls, a filter or a sort builds them anew.
#include <QAbstractTableModel>

#include <cstdint>
#include <string>

#include "calls/CallFeed.h"
#include "calls/CallListModel.h"
#include "decode/MessageCatalogue.h"

class CallTableModel : public QAbstractTableModel, private CallListModel::Edits {
    Q_OBJECT
public:
    CallTableModel(const CallFeed& feed, const MessageCatalogue& catalogue, QObject* parent = nullptr);

    // Every call of the feed, afresh.
    void Rebuild();
    // The calls the feed's last tick changed; afresh after a new generation.
    void Follow();
    // A result of CallRecord or CallListModel::kAllResults; digits as typed.
    void SetFilter(int result, const std::string& digits);
    // 0x00BBGGRR, as the display options hold them.
    void SetColours(uint32_t firstLine, uint32_t error);

    const CallListModel& Rows() const { return rows_; }
    // The call shown in a row; nullptr outside, or when the tracker let it go.
    const CallRecord* CallAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    // CallListModel::Edits.
    void BeginRemove(size_t row) override;
    void EndRemove() override { endRemoveRows(); }
    void BeginInsert(size_t row) override;
    void EndInsert() override { endInsertRows(); }
    void BeginMove(size_t from, size_t to) override;
    void EndMove() override { endMoveRows(); }
    void Changed(size_t row) override;

    const CallFeed& feed_;
    const MessageCatalogue& catalogue_;
    CallListModel rows_;
    uint64_t generation_ = 0;
    uint32_t firstLine_ = 0;
    uint32_t error_ = 0;
};
