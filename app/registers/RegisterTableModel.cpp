#include "registers/RegisterTableModel.h"

#include <QBrush>
#include <QColor>

#include "localisation/UiText.h"
#include "registers/RegisterSpec.h"

namespace {

QColor toQColor(const divelog::Colour& c) {
    return QColor::fromRgbF(c.red, c.green, c.blue, c.alpha);
}

}  // namespace

RegisterTableModel::RegisterTableModel(divelog::RegisterDocument& document, const UiText& text,
                                       QObject* parent)
    : ListTableModel(document, parent), document_(document), text_(text) {}

int RegisterTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(document_.spec().columns().size());
}

std::string_view RegisterTableModel::field(int column) const {
    const auto columns = document_.spec().columns();
    if (column < 0 || column >= static_cast<int>(columns.size())) return {};
    return columns[static_cast<std::size_t>(column)].field;
}

int RegisterTableModel::columnOf(std::string_view f) const {
    const auto columns = document_.spec().columns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].field == f) return static_cast<int>(c);
    return -1;
}

QVariant RegisterTableModel::data(const QModelIndex& index, int role) const {
    if (!holds(index)) return {};
    const divelog::RegisterSpec& spec = document_.spec();
    const divelog::Record& record = document_.record(static_cast<std::size_t>(index.row()));
    const std::size_t f = spec.field(field(index.column()));
    switch (role) {
        case Qt::DisplayRole: {
            const std::string text = spec.cellText(record, f, text_.localisation());
            return text.empty() ? QVariant() : QString::fromStdString(text);
        }
        case Qt::ToolTipRole:
            if (record.schema().fields[f].type == divelog::FieldType::Text)
                return QString::fromStdString(record.textOr(f));
            return {};
        case Qt::BackgroundRole: {
            const auto style = spec.cellStyle(record, f, divelog::dateNow());
            if (!style.background) return {};
            return QBrush(toQColor(*style.background));
        }
        case Qt::ForegroundRole:
            return QBrush(toQColor(spec.cellStyle(record, f, divelog::dateNow()).text));
        default: return {};
    }
}

QVariant RegisterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const divelog::RegisterSpec& spec = document_.spec();
    const auto& column = spec.columns()[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return UiText::asTitle(text_.text(spec.table(), column.titleKey, column.field));
    return {};
}
