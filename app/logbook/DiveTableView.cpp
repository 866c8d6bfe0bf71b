#include "logbook/DiveTableView.h"

bool DiveTableView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // The delayed edit arrives with every trigger allowed and no event.
    if (!event && trigger == AllEditTriggers && !hasFocus()) return false;
    return QTableView::edit(index, trigger, event);
}
