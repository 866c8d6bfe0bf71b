#include "logbook/DiveTableModel.h"

#include <QBrush>
#include <QColor>

#include "dive/DiveColumns.h"
#include "localisation/UiText.h"
#include "logbook/CarnetSession.h"
#include "logbook/LogbookIcons.h"

namespace {

using F = divelog::Plongee::Field;

QColor toQColor(const divelog::Colour& c) {
    return QColor::fromRgbF(c.red, c.green, c.blue, c.alpha);
}

}  // namespace

DiveTableModel::DiveTableModel(divelog::CarnetSession& session, const UiText& text, QObject* parent)
    : ListTableModel(session.carnet(), parent), session_(session), text_(text) {
    bold_.setBold(true);
}

divelog::Plongee::Field DiveTableModel::field(int column) {
    const auto columns = divelog::DiveColumns::all();
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return divelog::Plongee::Field::noPlongee;
    return columns[static_cast<std::size_t>(column)].field;
}

int DiveTableModel::columnOf(divelog::Plongee::Field f) {
    const auto columns = divelog::DiveColumns::all();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].field == f) return static_cast<int>(c);
    return -1;
}

int DiveTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(divelog::DiveColumns::all().size());
}

QVariant DiveTableModel::data(const QModelIndex& index, int role) const {
    if (!holds(index)) return {};
    const divelog::Plongee& dive = session_.carnet().dive(static_cast<std::size_t>(index.row()));
    const divelog::Plongee::Field column = field(index.column());
    switch (role) {
        case Qt::DisplayRole: {
            auto value = session_.table().cellValue(dive, column, look_);
            return value.text.empty() ? QVariant() : QString::fromStdString(value.text);
        }
        case Qt::EditRole: return QString::fromStdString(dive.text(column));
        case Qt::DecorationRole: {
            auto value = session_.table().cellValue(dive, column, look_);
            if (value.image.empty()) return {};
            return LogbookIcons::icon(value.image);
        }
        case Qt::ToolTipRole:
            if (column == F::epaves || column == F::lieu || column == F::site)
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
            const bool centred = column == F::noPlongee || column == F::heure ||
                                 column == F::epaves || column == F::inoubliable ||
                                 column == F::rebreather;
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (centred ? Qt::AlignHCenter : Qt::AlignLeft));
        }
        default: return {};
    }
}

QVariant DiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const auto& column = divelog::DiveColumns::all()[static_cast<std::size_t>(section)];
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
    // An edit that changes nothing leaves the document unmarked.
    if (!session_.editCell(static_cast<std::size_t>(index.row()), field(index.column()),
                           value.toString().toStdString()))
        return false;
    emit cellEdited(index.row());
    return true;
}

void DiveTableModel::readAppearance(const divelog::SettingsStore& store) {
    look_ = divelog::TableAppearance::read(store);
}
