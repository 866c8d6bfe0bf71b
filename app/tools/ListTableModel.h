#pragma once

#include <QAbstractTableModel>

#include "document/ListDocument.h"

// A list document's records as table rows. The model follows the document's
// own account of each change, consecutive rows as one range, so a large
// insert or delete is a few signals; the cells are the subclass's, asked for
// only when the view paints them.
class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ListTableModel(divelog::ListDocument& list, QObject* parent = nullptr);
    ~ListTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    // Every cell again: the settings behind the texts or colours changed.
    void repaintAll();

protected:
    divelog::ListDocument& list() const { return list_; }
    // Whether the model may be asked about a row: the view and the document
    // agree about it.
    bool holds(const QModelIndex& index) const;

private:
    void follow(const divelog::ListChange& change);

    divelog::ListDocument& list_;
    int rows_ = 0;
};
