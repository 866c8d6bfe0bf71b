#pragma once

#include <QAbstractTableModel>

namespace divelog {
class Carnet;
}
class UiText;

// The dive list as table rows, in list order. Cells are computed when the
// view asks for them, so a logbook of thousands of dives costs nothing until
// a row is scrolled into view. The model never changes the logbook: the
// window makes the change on the Carnet and then tells the model.
class DiveTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Date, Time, Location, Site, MaxDepth, DiveTime, ColumnCount };

    DiveTableModel(const divelog::Carnet& carnet, const UiText& text, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // A dive was appended to the logbook.
    void diveAppended();
    // The list changed in a way rows cannot follow (delete, revert).
    void reload();

private:
    QString cellText(int row, int column) const;

    const divelog::Carnet& carnet_;
    const UiText& text_;
    int rows_ = 0;
};
