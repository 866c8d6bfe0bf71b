#include "logbook/DiveTableModel.h"

#include "localisation/UiText.h"
#include "logbook/Carnet.h"

DiveTableModel::DiveTableModel(const divelog::Carnet& carnet, const UiText& text, QObject* parent)
    : QAbstractTableModel(parent),
      carnet_(carnet),
      text_(text),
      rows_(static_cast<int>(carnet.recordCount())) {}

int DiveTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DiveTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString DiveTableModel::cellText(int row, int column) const {
    const divelog::Plongee& dive = carnet_.dive(static_cast<std::size_t>(row));
    auto q = [](const std::string& s) { return QString::fromStdString(s); };
    switch (column) {
        case Number: return QString::number(dive.noPlongee());
        case Date: return q(dive.text("date"));
        case Time: return dive.heure() ? q(divelog::formatTime(*dive.heure())) : QString();
        case Location: return q(dive.text("lieu"));
        case Site: return q(dive.text("site"));
        case MaxDepth: return q(dive.text("profondeur"));
        case DiveTime: return q(dive.text("temps"));
    }
    return {};
}

QVariant DiveTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ ||
        static_cast<std::size_t>(index.row()) >= carnet_.recordCount())
        return {};
    if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const bool numeric = index.column() == Number || index.column() == MaxDepth ||
                             index.column() == DiveTime;
        return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant DiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    switch (section) {
        case Number: return text_.carnet("Column number");
        case Date: return text_.carnet("Column date");
        case Time: return text_.carnet("Column time");
        case Location: return text_.carnet("Column location");
        case Site: return text_.carnet("Column site");
        case MaxDepth: return text_.carnet("Column depth");
        case DiveTime: return text_.carnet("Column dive time");
    }
    return {};
}

void DiveTableModel::diveAppended() {
    const int count = static_cast<int>(carnet_.recordCount());
    if (count <= rows_) {
        reload();
        return;
    }
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
}

void DiveTableModel::reload() {
    beginResetModel();
    rows_ = static_cast<int>(carnet_.recordCount());
    endResetModel();
}
