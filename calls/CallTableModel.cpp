#include "calls/CallTableModel.h"

#include <QColor>

#include "calls/CallCsv.h"
#include "ui/QtText.h"

namespace {

QColor ColourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

CallTableModel::CallTableModel(const CallFeed& feed, const MessageCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), feed_(feed), catalogue_(catalogue), rows_(catalogue) {}

void CallTableModel::Rebuild() {
    beginResetModel();
    generation_ = feed_.Generation();
    rows_.Build(feed_.Tracker());
    endResetModel();
}

void CallTableModel::Follow() {
    if (generation_ != feed_.Generation()) return Rebuild();
    rows_.Update(feed_.Tracker(), feed_.Changed(), *this);
}

void CallTableModel::SetFilter(int result, const std::string& digits) {
    rows_.SetFilter(result, digits);
    Rebuild();
}

void CallTableModel::SetColours(uint32_t firstLine, uint32_t error) {
    if (firstLine == firstLine_ && error == error_) return;
    firstLine_ = firstLine;
    error_ = error;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
}

const CallRecord* CallTableModel::CallAt(int row) const {
    return row < 0 ? nullptr : feed_.Tracker().Find(rows_.NumberAt(static_cast<size_t>(row)));
}

int CallTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.Rows());
}

int CallTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : CallCsv::kColumns; }

QVariant CallTableModel::data(const QModelIndex& index, int role) const {
    const CallRecord* call = CallAt(index.row());
    if (!call) return {};
    if (role == Qt::DisplayRole) {
        std::string field;
        CallCsv::AppendField(field, index.column(), *call, catalogue_);
        return QtText::FromCp932(field);
    }
    if (role == Qt::ForegroundRole) {
        const CallRecord::Result result = call->Outcome();
        const bool failed = result == CallRecord::kRejected || result == CallRecord::kUnreleased;
        return ColourOf(failed ? error_ : firstLine_);
    }
    return {};
}

QVariant CallTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return QtText::FromCp932(CallCsv::ColumnName(section));
    // A column clicked for the first time sorts upwards.
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
    return QAbstractTableModel::headerData(section, orientation, role);
}

// The view keeps the current call through the reset (TCallListWindow).
void CallTableModel::sort(int column, Qt::SortOrder order) {
    rows_.SetSort(column, order == Qt::AscendingOrder);
    Rebuild();
}

void CallTableModel::BeginRemove(size_t row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}

void CallTableModel::BeginInsert(size_t row) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
}

void CallTableModel::BeginMove(size_t from, size_t to) {
    beginMoveRows({}, static_cast<int>(from), static_cast<int>(from), {}, static_cast<int>(to));
}

void CallTableModel::Changed(size_t row) {
    const int r = static_cast<int>(row);
    emit dataChanged(index(r, 0), index(r, CallCsv::kColumns - 1), {Qt::DisplayRole, Qt::ForegroundRole});
}
