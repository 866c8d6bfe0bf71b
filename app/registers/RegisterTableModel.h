#pragma once

#include "registers/RegisterDocument.h"
#include "tools/ListTableModel.h"

class UiText;

// A register's records as table rows, one column per column of the
// register's table. Texts and colours are asked of the register's rules when
// a cell is painted.
class RegisterTableModel : public ListTableModel {
    Q_OBJECT
public:
    RegisterTableModel(divelog::RegisterDocument& document, const UiText& text,
                       QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The field a column shows.
    std::string_view field(int column) const;
    int columnOf(std::string_view field) const;

private:
    divelog::RegisterDocument& document_;
    const UiText& text_;
};
