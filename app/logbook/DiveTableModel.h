#pragma once

#include <QFont>

#include "logbook/Carnet.h"
#include "logbook/TableAppearance.h"
#include "tools/ListTableModel.h"

namespace divelog {
class CarnetSession;
class SettingsStore;
}  // namespace divelog
class UiText;

// The dive list as table rows, one column per dive table column in its
// initial order (hidden ones are hidden by the view). Cells are asked of the
// table rules when the view paints them, so a logbook of thousands of dives
// costs nothing until a row is scrolled into view. The colouring settings
// are a snapshot, read again by readAppearance() when the preferences say so.
class DiveTableModel : public ListTableModel {
    Q_OBJECT
public:
    DiveTableModel(divelog::CarnetSession& session, const UiText& text, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Editing in place, through the session; only the plain text columns.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The dive field a column shows, and back (-1 for a field with no column).
    static divelog::Plongee::Field field(int column);
    static int columnOf(divelog::Plongee::Field field);

    void readAppearance(const divelog::SettingsStore& store);
    void setBoldFont(const QFont& font) { bold_ = font; }

signals:
    void cellEdited(int row);

private:
    divelog::CarnetSession& session_;
    const UiText& text_;
    divelog::TableAppearance look_;
    QFont bold_;
};
