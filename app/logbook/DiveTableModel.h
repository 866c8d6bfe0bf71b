#pragma once

#include <QAbstractTableModel>
#include <QFont>

#include "logbook/TableAppearance.h"

namespace divelog {
class CarnetSession;
class SettingsStore;
}  // namespace divelog
class UiText;

// The dive list as table rows, one column per column of the dive table rules
// in their initial order (hidden ones are hidden by the view). Cells are asked
// of the rules when the view paints them, so a logbook of thousands of dives
// costs nothing until a row is scrolled into view. The colouring settings are
// a snapshot, read again by readAppearance() when the preferences say so.
class DiveTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DiveTableModel(divelog::CarnetSession& session, const UiText& text, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Editing in place, through the session; only the plain text columns.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The dive field a column shows, and back (-1 for an unknown field).
    static std::string_view field(int column);
    static int columnOf(std::string_view field);

    void readAppearance(const divelog::SettingsStore& store);
    void setBoldFont(const QFont& font) { bold_ = font; }
    // Follows the list after a command: rows added or removed at the end,
    // then every visible cell repainted. Cheaper than a reset and it keeps
    // the scroll position.
    void sync();

signals:
    void cellEdited(int row);

private:
    divelog::CarnetSession& session_;
    const UiText& text_;
    divelog::TableAppearance look_;
    QFont bold_;
    int rows_ = 0;
};
