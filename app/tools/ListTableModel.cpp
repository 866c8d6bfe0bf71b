#include "tools/ListTableModel.h"

ListTableModel::ListTableModel(divelog::ListDocument& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), rows_(static_cast<int>(list.recordCount())) {
    list_.addObserver(this, [this](const divelog::ListChange& c) { follow(c); });
}

ListTableModel::~ListTableModel() { list_.removeObserver(this); }

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

bool ListTableModel::holds(const QModelIndex& index) const {
    return index.isValid() && index.row() < rows_ &&
           static_cast<std::size_t>(index.row()) < list_.recordCount();
}

void ListTableModel::repaintAll() {
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

void ListTableModel::follow(const divelog::ListChange& change) {
    using Kind = divelog::ListChange::Kind;
    const auto runs = divelog::rowRuns(change.rows);
    switch (change.kind) {
        case Kind::Inserted:
            // Rows are where the records now are: ascending, each run lands in place.
            for (auto [first, last] : runs) {
                beginInsertRows({}, static_cast<int>(first), static_cast<int>(last));
                rows_ += static_cast<int>(last - first + 1);
                endInsertRows();
            }
            break;
        case Kind::Removed:
            // Rows are where the records were: the last run first keeps the others valid.
            for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
                beginRemoveRows({}, static_cast<int>(it->first), static_cast<int>(it->second));
                rows_ -= static_cast<int>(it->second - it->first + 1);
                endRemoveRows();
            }
            break;
        case Kind::Changed:
            if (change.allRows) {
                repaintAll();
                break;
            }
            for (auto [first, last] : runs)
                emit dataChanged(index(static_cast<int>(first), 0),
                                 index(static_cast<int>(last), columnCount() - 1));
            break;
        case Kind::Moved: {
            emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
            const QModelIndexList before = persistentIndexList();
            QModelIndexList after;
            after.reserve(before.size());
            for (const QModelIndex& i : before) {
                const auto old = static_cast<std::size_t>(i.row());
                after << (old < change.newRowOf.size()
                              ? index(static_cast<int>(change.newRowOf[old]), i.column())
                              : QModelIndex());
            }
            changePersistentIndexList(before, after);
            emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
            break;
        }
        case Kind::Reset:
            beginResetModel();
            rows_ = static_cast<int>(list_.recordCount());
            endResetModel();
            break;
    }
}
