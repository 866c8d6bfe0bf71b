#include "logbook/DiveTableModel.h"

#include <QBrush>
#include <QColor>

#include "localisation/UiText.h"
#include "logbook/CarnetSession.h"
#include "logbook/LogbookIcons.h"

namespace {

QColor toQColor(const divelog::Colour& c) {
    return QColor::fromRgbF(c.red, c.green, c.blue, c.alpha);
}

}  // namespace

DiveTableModel::DiveTableModel(divelog::CarnetSession& session, const UiText& text, QObject* parent)
    : QAbstractTableModel(parent),
      session_(session),
      text_(text),
      rows_(static_cast<int>(session.carnet().recordCount())) {
    bold_.setBold(true);
}

std::string_view DiveTableModel::field(int column) {
    const auto& columns = divelog::DiveTable::columns();
    if (column < 0 || column >= static_cast<int>(columns.size())) return {};
    return columns[static_cast<std::size_t>(column)].field;
}

int DiveTableModel::columnOf(std::string_view name) {
    const auto& columns = divelog::DiveTable::columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].field == name) return static_cast<int>(c);
    return -1;
}

int DiveTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DiveTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(divelog::DiveTable::columns().size());
}

QVariant DiveTableModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (!index.isValid() || index.row() >= rows_ || row >= session_.carnet().recordCount())
        return {};
    const divelog::Plongee& dive = session_.carnet().dive(row);
    const std::string_view column = field(index.column());
    switch (role) {
        case Qt::DisplayRole: {
            auto value = session_.table().cellValue(dive, column, look_);
            return value.text.empty() ? QVariant() : QString::fromStdString(value.text);
        }
        case Qt::EditRole:
            return QString::fromStdString(dive.text(column));
        case Qt::DecorationRole: {
            auto value = session_.table().cellValue(dive, column, look_);
            if (value.image.empty()) return {};
            return LogbookIcons::icon(value.image);
        }
        case Qt::ToolTipRole:
            if (column == "epaves" || column == "lieu" || column == "site")
                return QString::fromStdString(dive.text(column));
            return {};
        case Qt::FontRole:
            if (session_.table().cellStyle(dive, column, look_).bold) return bold_;
            return {};
        case Qt::BackgroundRole: {
            auto style = session_.table().cellStyle(dive, column, look_);
            if (!style.background) return {};
            return QBrush(toQColor(*style.background));
        }
        case Qt::ForegroundRole:
            return QBrush(toQColor(session_.table().cellStyle(dive, column, look_).text));
        case Qt::TextAlignmentRole: {
            const bool centred = column == "noPlongee" || column == "heure" || column == "epaves" ||
                                 column == "inoubliable" || column == "rebreather";
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (centred ? Qt::AlignHCenter : Qt::AlignLeft));
        }
        default:
            return {};
    }
}

QVariant DiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const auto& column = divelog::DiveTable::columns()[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return text_.carnet(column.titleKey, column.titleKey);
    return {};
}

Qt::ItemFlags DiveTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && divelog::DiveTable::isEditableInPlace(field(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}

bool DiveTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const auto row = static_cast<std::size_t>(index.row());
    const std::string text = value.toString().toStdString();
    if (row < session_.carnet().recordCount() &&
        session_.carnet().dive(row).text(field(index.column())) == text)
        return false;  // an edit that changes nothing leaves the document unmarked
    if (!session_.editCell(row, field(index.column()), text)) return false;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    emit cellEdited(index.row());
    return true;
}

void DiveTableModel::readAppearance(const divelog::SettingsStore& store) {
    look_ = divelog::TableAppearance::read(store);
}

void DiveTableModel::sync() {
    const int count = static_cast<int>(session_.carnet().recordCount());
    if (count > rows_) {
        beginInsertRows({}, rows_, count - 1);
        rows_ = count;
        endInsertRows();
    } else if (count < rows_) {
        beginRemoveRows({}, count, rows_ - 1);
        rows_ = count;
        endRemoveRows();
    }
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}
