#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

#include "UserPrompts.h"

namespace divelog {
class ListSession;
}
class QTableView;

// Keeps a list window's table and its session's selection together, the
// same way for the logbook and every register: the user's selection goes to
// the session (after asking about a new record typed in the form that it
// would drop), the session's selection comes back to the view after each
// command, and what the view reports while the session itself changes the
// list (rows inserted under a selection) is not taken for the user's.
class ListTableBinding : public QObject {
    Q_OBJECT
public:
    using Alerts = std::vector<std::string>;
    // How the window asks about the unstored record (dive or card).
    using Ask = std::function<UserPrompts::NewDiveChoice(QWidget* parent)>;

    ListTableBinding(QTableView* table, divelog::ListSession& session, Ask ask, QWidget* window);
    ~ListTableBinding() override;

    // The set-up every list table shares: whole rows, several at once,
    // alternating rows, fixed row heights (sizing to contents would visit
    // every record), no row header, clickable column titles.
    static void configure(QTableView* table);

    // Told after the session took a selection the user made, with what it said.
    void setOnSelected(std::function<void(const Alerts&)> onSelected);
    // Told after the user's answer added the unstored record.
    void setOnStored(std::function<void(const Alerts&)> onStored);
    // The window in front, for the question: the edit window while it shows.
    void setQuestionParent(std::function<QWidget*()> parent);
    // Asked before a click shows another record, for what the window holds of
    // the one shown (samples typed and not applied); false keeps the selection.
    void setLeaveGuard(std::function<bool()> guard);

    // Asks about a new record typed in the form and stored nowhere, before an
    // action would drop it; adds or discards it as told. False: cancelled.
    bool settleUnstored();
    // The session's selection in the view, in one call whatever its size.
    void showSelection();
    // Stops following the view (the session is about to go).
    void detach();

private:
    void onSelectionChanged();
    std::vector<std::size_t> selectedRows() const;

    QTableView* table_;
    divelog::ListSession& session_;
    Ask ask_;
    QWidget* window_;
    std::function<void(const Alerts&)> onSelected_, onStored_;
    std::function<QWidget*()> questionParent_;
    std::function<bool()> leaveGuard_;
    bool showing_ = false;
};
