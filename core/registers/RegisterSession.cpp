#include "registers/RegisterSession.h"

#include <algorithm>

#include "localisation/Localisation.h"
#include "registers/RegisterSpec.h"
#include "settings/PickLists.h"

namespace divelog {

RegisterSession::RegisterSession(RegisterDocument& document, PickLists& pickLists,
                                 const Localisation& texts)
    : doc_(document), pickLists_(pickLists), texts_(texts), form_(document.spec()) {
    clearForm();
    doc_.addObserver(this, [this](const RegisterChange& change) { onChange(change); });
}

RegisterSession::~RegisterSession() { doc_.removeObserver(this); }

std::optional<std::size_t> RegisterSession::singleSelection() const {
    if (selected_.size() != 1) return std::nullopt;
    return doc_.rowOf(selected_.front());
}

std::optional<std::size_t> RegisterSession::boundRow() const {
    return bound_ ? doc_.rowOf(*bound_) : std::nullopt;
}

void RegisterSession::onChange(const RegisterChange& change) {
    using Kind = RegisterChange::Kind;
    switch (change.kind) {
        case Kind::Removed:
            std::erase_if(selected_, [&](RecordId id) { return change.concerns(id); });
            // The form keeps what it shows; a removed record can no longer take it.
            if (bound_ && change.concerns(*bound_)) bound_.reset();
            break;
        case Kind::Changed:
            if (bound_ && change.concerns(*bound_) && !form_.modified())
                form_.load(doc_.record(*boundRow()));
            break;
        case Kind::Reset:
            selected_.clear();
            if (bound_ && !doc_.rowOf(*bound_)) bound_.reset();
            break;
        case Kind::Inserted:
        case Kind::Moved: break;
    }
}

void RegisterSession::clearForm() {
    form_.blank({doc_.recordCount(), dateNow(), texts_});
    bound_.reset();
}

void RegisterSession::loadRow(std::size_t row) {
    form_.load(doc_.record(row));
    bound_ = doc_.idAt(row);
}

void RegisterSession::selectRows(const std::vector<std::size_t>& rows) {
    selected_.clear();
    for (std::size_t r : rows) selected_.push_back(doc_.idAt(r));
}

void RegisterSession::documentLoaded() {
    selected_.clear();
    clearForm();
    const std::size_t n = doc_.recordCount();
    if (n == 0) return;
    const std::size_t row = spec().selectsLastAtLoad() ? n - 1 : 0;
    selectRows({row});
    loadRow(row);
}

void RegisterSession::select(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= doc_.recordCount(); });
    if (rows.size() == 1 && doc_.idAt(rows.front()) != bound_ && !hasUnstoredRecord()) {
        storePendingEdits();
        loadRow(rows.front());
    }
    selectRows(rows);
}

void RegisterSession::storePendingEdits() {
    if (!bound_ || !form_.modified() || !doc_.rowOf(*bound_)) return;
    doc_.update(*bound_, form_.record());
    form_.resetModified();
}

void RegisterSession::blankFields() {
    storePendingEdits();
    clearForm();
    if (!spec().blankKeepsSelection()) selected_.clear();
}

void RegisterSession::discardUnstoredRecord() { clearForm(); }

void RegisterSession::add() {
    doc_.add(form_.record());
    selected_.clear();
    clearForm();
}

void RegisterSession::insert() {
    auto row = singleSelection();
    if (!row) return;
    auto id = doc_.insert(*row, form_.record());
    if (!id) return;
    bound_ = id;
    selected_ = {*id};
    form_.load(doc_.record(*doc_.rowOf(*id)));
}

void RegisterSession::update() { storePendingEdits(); }

bool RegisterSession::deleteSelected() {
    const std::vector<std::size_t> rows = selection();
    if (rows.empty()) return false;
    const bool showsDeleted =
        bound_ && std::find(selected_.begin(), selected_.end(), *bound_) != selected_.end();
    if (bound_ && !showsDeleted) storePendingEdits();
    doc_.erase(rows);
    selected_.clear();
    // The form would otherwise show a card that is gone.
    if (showsDeleted) clearForm();
    return true;
}

void RegisterSession::step(bool forward) {
    auto row = singleSelection();
    if (!row) row = boundRow();
    if (!row || hasUnstoredRecord()) return;
    storePendingEdits();
    if (!forward && *row == 0) return;
    const std::size_t next = forward ? *row + 1 : *row - 1;
    if (next >= doc_.recordCount()) return;
    selectRows({next});
    loadRow(next);
}

void RegisterSession::previous() { step(false); }
void RegisterSession::next() { step(true); }

void RegisterSession::editWindow(std::optional<std::size_t> row) {
    if (!row) row = singleSelection();
    if (!row || *row >= doc_.recordCount()) return;
    if (doc_.idAt(*row) != bound_ && !hasUnstoredRecord()) {
        storePendingEdits();
        loadRow(*row);
    }
    selectRows({*row});
}

bool RegisterSession::sortByColumn(std::string_view field) {
    const bool ascending = sortMemory_.click(std::string(field));
    if (auto index = spec().schema().indexOf(field)) doc_.sortBy(*index, ascending);
    return ascending;
}

bool RegisterSession::comboNeedsQuestion(std::string_view field, const std::string& typed) const {
    const FormControl* c = spec().control(field);
    if (!c || c->kind != ControlKind::Combo || c->pickList.empty()) return false;
    return pickLists_.shouldOfferToAdd(std::string(c->pickList), typed);
}

void RegisterSession::comboEdited(std::string_view field, const std::string& typed,
                                  bool addToList) {
    const FormControl* c = spec().control(field);
    if (c && c->kind == ControlKind::Combo && !c->pickList.empty() &&
        comboNeedsQuestion(field, typed))
        pickLists_.answerOfferToAdd(std::string(c->pickList), typed, addToList);
    if (spec().combosStoreRecord()) storePendingEdits();
}

FormState RegisterSession::formState() const { return spec().formState(form_, dateNow(), texts_); }

std::string RegisterSession::countText() const {
    const std::size_t n = doc_.recordCount();
    const std::string_view key = n == 1 ? spec().oneKey() : spec().manyKey();
    const std::string_view table = texts_.has(spec().table(), key) ? spec().table() : "Main";
    if (n == 1) return texts_.text(table, key, "\r\rerror ! ");
    return texts_.format(table, key, "\r\rerror ! ", {static_cast<std::int64_t>(n)});
}

bool RegisterSession::canGoPrevious() const {
    auto row = singleSelection();
    return row && *row >= 1;
}

bool RegisterSession::canGoNext() const {
    auto row = singleSelection();
    return row && *row + 1 < doc_.recordCount();
}

bool RegisterSession::isItemEnabled(std::string_view id) const {
    const RegisterNames& n = spec().names();
    const bool any = doc_.recordCount() > 0;
    if (id == n.updateItem) return any && bound_.has_value();
    if (id == "imprimer" || id == "synthese" || id == n.insertItem || id == n.deleteItem)
        return any;
    return true;
}

bool RegisterSession::canUndo() const {
    return doc_.history().canUndo() || (bound_ && form_.modified());
}
bool RegisterSession::canRedo() const { return doc_.history().canRedo(); }

std::string RegisterSession::undoName() const {
    if (bound_ && form_.modified()) return texts_.text("Main", "Update Card", "Update Card");
    const UndoCommand* c = doc_.history().nextUndo();
    return c ? c->name(texts_) : std::string();
}

std::string RegisterSession::redoName() const {
    const UndoCommand* c = doc_.history().nextRedo();
    return c ? c->name(texts_) : std::string();
}

void RegisterSession::undo() {
    storePendingEdits();
    doc_.history().undo();
}

void RegisterSession::redo() { doc_.history().redo(); }

}  // namespace divelog
