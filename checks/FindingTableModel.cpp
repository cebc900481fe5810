#include "checks/FindingTableModel.h"

#include <QBrush>
#include <QColor>

#include "ui/QtText.h"

FindingTableModel::FindingTableModel(const ProtocolChecker& checker, const CallFeed& feed, QObject* parent)
    : QAbstractTableModel(parent), checker_(checker), feed_(feed) {}

void FindingTableModel::Rebuild() {
    beginResetModel();
    generation_ = feed_.Generation();
    rows_.Build(Log());
    endResetModel();
}

void FindingTableModel::Follow() {
    if (generation_ != feed_.Generation()) return Rebuild();
    rows_.Update(Log(), *this);
}

void FindingTableModel::SetFilter(int severity, int check) {
    rows_.SetFilter(severity, check);
    Rebuild();
}

const Finding* FindingTableModel::FindingAt(int row) const {
    const uint64_t number = row < 0 ? 0 : rows_.NumberAt(static_cast<size_t>(row));
    const FindingLog& log = Log();
    if (number < log.FirstNumber() || number >= log.NextNumber()) return nullptr;
    return &log.At(number - log.FirstNumber());
}

int FindingTableModel::RowOf(uint64_t number) const {
    const size_t row = rows_.RowOf(Log(), number);
    return row == FindingTable::kNoRow ? -1 : static_cast<int>(row);
}

int FindingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.Rows());
}

int FindingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FindingTable::kColumns;
}

QVariant FindingTableModel::data(const QModelIndex& index, int role) const {
    const Finding* finding = FindingAt(index.row());
    if (!finding) return {};
    switch (role) {
    case Qt::DisplayRole: return QtText::FromCp932(FindingTable::Field(*finding, index.column()));
    case Qt::ToolTipRole:
        // The code's name where the code alone says little; the whole text where it is cut.
        if (index.column() == FindingTable::kCheck) return QtText::FromCp932(CheckKind::Name(finding->check));
        if (index.column() == FindingTable::kText) return QtText::FromCp932(finding->text);
        return {};
    case Qt::BackgroundRole:
        // Pale enough that the list's own colours elsewhere stay what draws the eye.
        if (finding->severity == Severity::kError) return QBrush(QColor(0xFC, 0xE4, 0xE4));
        if (finding->severity == Severity::kWarning) return QBrush(QColor(0xFF, 0xF4, 0xD6));
        return {};
    default: return {};
    }
}

QVariant FindingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QtText::FromCp932(FindingTable::ColumnName(section));
    // A column clicked for the first time sorts upwards.
    if (orientation == Qt::Horizontal && role == Qt::InitialSortOrderRole) return Qt::AscendingOrder;
    return QAbstractTableModel::headerData(section, orientation, role);
}

// The view keeps the current finding through the reset (TFindingsWindow).
void FindingTableModel::sort(int column, Qt::SortOrder order) {
    rows_.SetSort(column, order == Qt::AscendingOrder);
    Rebuild();
}

void FindingTableModel::BeginInsert(size_t row, size_t count) {
    beginInsertRows({}, static_cast<int>(row), static_cast<int>(row + count - 1));
}

void FindingTableModel::BeginRemove(size_t row, size_t count) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row + count - 1));
}
