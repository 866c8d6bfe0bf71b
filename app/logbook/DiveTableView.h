#pragma once

#include <QTableView>

// The dive table's view. A click on a selected cell opens its editor only
// after the double-click delay; by then the user may have moved on to the
// search field, and an editor opening there would take the keys typed into
// it. So a delayed edit starts only while the table still has the focus.
class DiveTableView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
};
