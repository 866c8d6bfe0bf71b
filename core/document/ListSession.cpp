#include "document/ListSession.h"

#include <algorithm>

#include "localisation/Localisation.h"

namespace divelog {

ListSession::ListSession(ListDocument& list, const Localisation& texts)
    : list_(list), texts_(texts) {
    list_.addObserver(this, [this](const ListChange& change) { onChange(change); });
}

ListSession::~ListSession() { list_.removeObserver(this); }

std::optional<std::size_t> ListSession::singleSelection() const {
    if (selected_.size() != 1) return std::nullopt;
    return list_.rowOf(selected_.front());
}

std::optional<std::size_t> ListSession::boundRow() const {
    return bound_ ? list_.rowOf(*bound_) : std::nullopt;
}

bool ListSession::wouldShowAnother(const std::vector<std::size_t>& rows) const {
    if (isChanging() || rows.size() != 1) return false;
    return rows.front() < list_.recordCount() && list_.idAt(rows.front()) != bound_;
}

bool ListSession::wouldDropUnstored(const std::vector<std::size_t>& rows) const {
    return hasUnstoredRecord() && wouldShowAnother(rows);
}

void ListSession::onChange(const ListChange& change) {
    using Kind = ListChange::Kind;
    auto concerns = [&](RecordId id) { return change.concerns(id); };
    switch (change.kind) {
        case Kind::Removed:
            std::erase_if(selected_, concerns);
            if (insertBefore_ && concerns(*insertBefore_)) insertBefore_.reset();
            // The form keeps what it shows; a removed record can no longer take it.
            if (bound_ && concerns(*bound_)) bound_.reset();
            break;
        case Kind::Changed:
            if (!bound_ || !concerns(*bound_)) break;
            if (change.field)
                showChangedField(*boundRow(), *change.field);
            else if (!formModified())
                showRecord(*boundRow());
            break;
        case Kind::Reset:
            selected_.clear();
            insertBefore_.reset();
            if (bound_ && !list_.rowOf(*bound_)) bound_.reset();
            break;
        case Kind::Inserted:
        case Kind::Moved: break;
    }
    listChanged(change);
}

void ListSession::showChangedField(std::size_t row, std::size_t) {
    if (!formModified()) showRecord(row);
}

void ListSession::deselectForBlank() {
    if (blankKeepsSelection()) return;
    if (selected_.size() == 1) insertBefore_ = selected_.front();
    selected_.clear();
}

std::optional<std::size_t> ListSession::insertRow() const {
    if (auto row = singleSelection()) return row;
    if (selected_.empty() && insertBefore_) return list_.rowOf(*insertBefore_);
    return std::nullopt;
}

void ListSession::selectRows(const std::vector<std::size_t>& rows) {
    insertBefore_.reset();
    selected_.clear();
    for (std::size_t r : rows) selected_.push_back(list_.idAt(r));
}

void ListSession::bind(std::size_t row) {
    showRecord(row);
    bound_ = list_.idAt(row);
}

void ListSession::blank(Blank why) {
    blankForm(why);
    bound_.reset();
}

bool ListSession::refuses(Alerts& alerts) {
    auto why = storeRefusal();
    if (!why) return false;
    alerts.push_back(std::move(*why));
    refused_ = true;
    return true;
}

ListSession::Alerts ListSession::select(std::vector<std::size_t> rows) {
    if (isChanging()) return {};
    begin();
    Changing changing(*this);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= list_.recordCount(); });
    Alerts alerts;
    // A new record typed in the form stays until the user says what to do with it.
    if (rows.size() == 1 && list_.idAt(rows.front()) != bound_ && !hasUnstoredRecord()) {
        alerts = storeEdits({});
        if (refused_) return alerts;
        bind(rows.front());
    }
    selectRows(rows);
    refresh();
    return alerts;
}

void ListSession::documentLoaded() {
    begin();
    Changing changing(*this);
    selected_.clear();
    insertBefore_.reset();
    blank(Blank::Loaded);
    if (auto row = rowShownAtLoad(); row && *row < list_.recordCount()) {
        selectRows({*row});
        bind(*row);
    }
    refresh();
}

ListSession::Alerts ListSession::storePendingEdits() {
    begin();
    return storeEdits({});
}

ListSession::Alerts ListSession::storePendingEdits(std::string_view nameKey) {
    begin();
    return storeEdits(nameKey);
}

ListSession::Alerts ListSession::storeEdits(std::string_view nameKey) {
    Alerts alerts;
    if (!bound_ || !formModified() || !list_.rowOf(*bound_)) return alerts;
    if (refuses(alerts)) return alerts;
    Changing changing(*this);
    storeInto(*bound_, nameKey, alerts);
    formStored();
    return alerts;
}

ListSession::Alerts ListSession::newRecord() {
    begin();
    if (hasUnstoredRecord()) return {};
    Changing changing(*this);
    Alerts alerts = storeEdits({});
    if (refused_) return alerts;
    blank(Blank::New);
    deselectForBlank();
    refresh();
    return alerts;
}

ListSession::Alerts ListSession::blankFields() {
    begin();
    Changing changing(*this);
    Alerts alerts = storeEdits({});
    if (refused_) return alerts;
    blank(Blank::Erase);
    deselectForBlank();
    refresh();
    return alerts;
}

void ListSession::discardUnstoredRecord() {
    begin();
    Changing changing(*this);
    blank(Blank::Discard);
    refresh();
}

ListSession::Alerts ListSession::add() {
    begin();
    Alerts alerts;
    if (refuses(alerts)) return alerts;
    Changing changing(*this);
    storeAsNew(std::nullopt, alerts);
    selected_.clear();
    insertBefore_.reset();
    blank(Blank::New);
    refresh();
    return alerts;
}

ListSession::Alerts ListSession::insert() {
    begin();
    auto row = insertRow();
    if (!row) return {};
    Alerts alerts;
    if (refuses(alerts)) return alerts;
    Changing changing(*this);
    const auto id = storeAsNew(*row, alerts);
    if (auto at = id ? list_.rowOf(*id) : std::nullopt) {
        bind(*at);
        selected_ = {*id};
        insertBefore_.reset();
    }
    refresh();
    return alerts;
}

ListSession::Alerts ListSession::update() {
    begin();
    Alerts alerts;
    if (!bound_ || !list_.rowOf(*bound_) || refuses(alerts)) return alerts;
    Changing changing(*this);
    storeInto(*bound_, {}, alerts);
    formStored();
    refresh();
    return alerts;
}

bool ListSession::deleteSelected() {
    begin();
    const std::vector<std::size_t> rows = selection();
    if (rows.empty()) return false;
    Changing changing(*this);
    const bool showsDeleted =
        bound_ && std::find(selected_.begin(), selected_.end(), *bound_) != selected_.end();
    list_.erase(rows);
    selected_.clear();
    // The form would otherwise show a record that is gone.
    if (showsDeleted) blank(Blank::New);
    refresh();
    return true;
}

ListSession::Alerts ListSession::step(bool forward) {
    auto row = singleSelection();
    if (!row) row = boundRow();
    if (!row || hasUnstoredRecord()) return {};
    Changing changing(*this);
    Alerts alerts = storeEdits({});
    if (refused_) return alerts;
    if (auto next = forward ? list_.nextRow(*row) : list_.previousRow(*row)) {
        selectRows({*next});
        bind(*next);
    }
    refresh();
    return alerts;
}

ListSession::Alerts ListSession::previous() {
    begin();
    return step(false);
}

ListSession::Alerts ListSession::next() {
    begin();
    return step(true);
}

ListSession::Alerts ListSession::editWindow(std::optional<std::size_t> row) {
    begin();
    if (!row) row = singleSelection();
    Changing changing(*this);
    Alerts alerts;
    if (row && *row < list_.recordCount()) {
        if (list_.idAt(*row) != bound_ && !hasUnstoredRecord()) {
            alerts = storeEdits({});
            if (refused_) return alerts;
            bind(*row);
        }
        selectRows({*row});
    } else if (!bound_ && !formModified()) {
        // Nothing to show: the window opens on a new record.
        blank(Blank::New);
    }
    refresh();
    return alerts;
}

ListSession::Alerts ListSession::closeEditWindow() {
    begin();
    Changing changing(*this);
    Alerts alerts = storeEdits({});
    refresh();
    return alerts;
}

bool ListSession::canUndo() const {
    return list_.history().canUndo() || (bound_ && formModified());
}

bool ListSession::canRedo() const { return list_.history().canRedo(); }

std::string ListSession::undoName() const {
    // Pending edits are stored first and so are what an undo takes back.
    if (bound_ && formModified()) {
        const std::string_view key = list_.names().update;
        return texts_.text("Main", key, key);
    }
    const UndoCommand* c = list_.history().nextUndo();
    return c ? c->name(texts_) : std::string();
}

std::string ListSession::redoName() const {
    const UndoCommand* c = list_.history().nextRedo();
    return c ? c->name(texts_) : std::string();
}

ListSession::Alerts ListSession::undo() {
    begin();
    Changing changing(*this);
    Alerts alerts = storeEdits({});
    if (refused_) return alerts;
    list_.history().undo();
    refresh();
    return alerts;
}

ListSession::Alerts ListSession::redo() {
    begin();
    Changing changing(*this);
    list_.history().redo();
    refresh();
    return {};
}

}  // namespace divelog
