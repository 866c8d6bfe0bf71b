#include "logbook/CarnetSession.h"

#include <algorithm>

#include "util/TextFold.h"

namespace divelog {

namespace {
using F = Plongee::Field;
}  // namespace

const std::vector<SearchScope>& CarnetSession::searchScopes() {
    static const std::vector<SearchScope> scopes = {
        {F::bateau, "findInBateaux", "Find in boats"},
        {F::epaves, "findInEpaves", "Find in wrecks"},
        {F::notes, "findInNotes", "Find in notes"},
        {F::ordinateur, "findInOrdinateurs", "Find in computers"},
        {F::partenaires, "findInPartenaires", "Find in buddies"},
        {F::lieu, "findInLieux", "Find in locations"},
        {F::site, "findInSites", "Find in sites"},
    };
    return scopes;
}

CarnetSession::CarnetSession(Carnet& carnet, AppContext& context)
    : carnet_(carnet), context_(context), table_(context.localisation()) {
    clearForm();
    carnet_.addObserver(this, [this](const CarnetChange& change) { onChange(change); });
}

CarnetSession::~CarnetSession() { carnet_.removeObserver(this); }

std::optional<std::size_t> CarnetSession::singleSelection() const {
    if (selected_.size() != 1) return std::nullopt;
    return carnet_.rowOf(selected_.front());
}

std::optional<std::size_t> CarnetSession::boundRow() const {
    return bound_ ? carnet_.rowOf(*bound_) : std::nullopt;
}

void CarnetSession::onChange(const CarnetChange& change) {
    using Kind = CarnetChange::Kind;
    auto concerns = [&](DiveId id) { return change.concerns(id); };
    switch (change.kind) {
        case Kind::Removed:
            std::erase_if(selected_, concerns);
            // The form keeps what it shows; a removed dive can no longer take it.
            if (bound_ && concerns(*bound_)) bound_.reset();
            break;
        case Kind::Changed:
            if (!bound_ || !concerns(*bound_)) break;
            if (change.field) {
                // One field changed under the form: show it, keep the user's other edits.
                const std::string_view name = Plongee::nameOf(*change.field);
                if (DiveForm::kindOf(name) == DiveForm::ControlKind::Text)
                    form_.showStoredValue(*change.field, carnet_.dive(*boundRow()).text(*change.field));
            } else if (!form_.modified()) {
                form_.load(carnet_.dive(*boundRow()));
            }
            break;
        case Kind::Reset:
            selected_.clear();
            if (bound_ && !carnet_.rowOf(*bound_)) bound_.reset();
            break;
        case Kind::Inserted:
        case Kind::Moved: break;
    }
}

void CarnetSession::loadRow(std::size_t row) {
    form_.load(carnet_.dive(row));
    bound_ = carnet_.idAt(row);
}

void CarnetSession::clearForm() {
    form_.clear(ClearContext::from(context_.settings(), context_.localisation(), dateNow()));
    bound_.reset();
}

const FormReadouts& CarnetSession::refresh() {
    ++refreshCount_;
    readouts_ = form_.refresh(RefreshContext{context_.settings(), context_.localisation(),
                                             carnet_.recordCount(), singleSelection()});
    return readouts_;
}

void CarnetSession::selectRows(const std::vector<std::size_t>& rows) {
    selected_.clear();
    for (std::size_t r : rows) selected_.push_back(carnet_.idAt(r));
}

CarnetSession::Alerts CarnetSession::select(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= carnet_.recordCount(); });
    // A new dive typed in the form stays until the user says what to do with it.
    if (rows.size() == 1 && carnet_.idAt(rows.front()) != bound_ && !hasUnstoredDive()) {
        Alerts alerts = storePendingEdits();
        loadRow(rows.front());
        selectRows(rows);
        refresh();
        return alerts;
    }
    selectRows(rows);
    return {};
}

void CarnetSession::documentLoaded() {
    selected_.clear();
    clearForm();
    form_.setDiveNumber(carnet_.nextDiveNumber());
    form_.resetModified();
    refresh();
}

CarnetSession::Alerts CarnetSession::storeInto(DiveId id, std::string_view nameKey) {
    StoreResult r = form_.store(context_.settings());
    carnet_.updateDive(id, std::make_unique<Plongee>(std::move(r.dive)), nameKey);
    form_.resetModified();
    return r.alerts;
}

CarnetSession::Alerts CarnetSession::storePendingEdits() {
    if (!bound_ || !form_.modified() || !carnet_.rowOf(*bound_)) return {};
    return storeInto(*bound_);
}

void CarnetSession::blankFields() { clearForm(); }

CarnetSession::Alerts CarnetSession::newDive() {
    if (hasUnstoredDive()) return {};
    Alerts alerts = storePendingEdits();
    clearForm();
    const Date now = dateNow();
    form_.setDiveNumber(carnet_.nextDiveNumber());
    form_.setDate(F::heure, now);
    form_.resetModified();
    refresh();
    return alerts;
}

void CarnetSession::discardUnstoredDive() {
    clearForm();
    form_.setDiveNumber(carnet_.nextDiveNumber());
    form_.resetModified();
    refresh();
}

CarnetSession::Alerts CarnetSession::addDive() {
    StoreResult r = form_.store(context_.settings());
    carnet_.addDive(std::make_unique<Plongee>(std::move(r.dive)));
    selected_.clear();
    clearForm();
    form_.setDiveNumber(carnet_.nextDiveNumber());
    form_.setDate(F::heure, dateNow());
    form_.resetModified();
    refresh();
    return r.alerts;
}

CarnetSession::Alerts CarnetSession::insertDive() {
    auto row = singleSelection();
    if (!row) return {};
    StoreResult r = form_.store(context_.settings());
    auto id = carnet_.insertDive(*row, std::make_unique<Plongee>(std::move(r.dive)));
    bound_ = id;
    selected_ = {*id};
    form_.resetModified();
    refresh();
    return r.alerts;
}

CarnetSession::Alerts CarnetSession::updateDive() {
    if (!bound_ || !carnet_.rowOf(*bound_)) return {};
    Alerts alerts = storeInto(*bound_);
    refresh();
    return alerts;
}

bool CarnetSession::deleteSelected() {
    const std::vector<std::size_t> rows = selection();
    if (rows.empty()) return false;
    carnet_.deleteDives(rows);
    selected_.clear();
    refresh();
    return true;
}

CarnetSession::Alerts CarnetSession::step(bool forward) {
    auto row = singleSelection();
    if (!row) row = boundRow();
    if (!row || hasUnstoredDive()) return {};
    Alerts alerts = storePendingEdits();
    auto next = forward ? carnet_.nextIndex(*row) : carnet_.previousIndex(*row);
    if (next) {
        selectRows({*next});
        loadRow(*next);
    }
    refresh();
    return alerts;
}

CarnetSession::Alerts CarnetSession::previousDive() { return step(false); }
CarnetSession::Alerts CarnetSession::nextDive() { return step(true); }

CarnetSession::Alerts CarnetSession::editWindow(std::optional<std::size_t> row) {
    if (!row) row = singleSelection();
    Alerts alerts;
    if (row && *row < carnet_.recordCount()) {
        if (carnet_.idAt(*row) != bound_ && !hasUnstoredDive()) {
            alerts = storePendingEdits();
            loadRow(*row);
        }
        selectRows({*row});
    } else if (!bound_ && !form_.modified()) {
        // Nothing to show: the window opens on a new dive, numbered as one.
        clearForm();
        form_.setDiveNumber(carnet_.nextDiveNumber());
        form_.setDate(F::heure, dateNow());
        form_.resetModified();
    }
    refresh();
    return alerts;
}

CarnetSession::Alerts CarnetSession::closeEditWindow() {
    Alerts alerts = storePendingEdits();
    refresh();
    return alerts;
}

CarnetSession::ProfileApplied CarnetSession::applyProfile(const ProfileDataSheet& sheet) {
    ProfileApplied result;
    ProfileSeries series = form_.profile();
    result.sheet = sheet.apply(series);
    if (!result.sheet.ok) return result;
    form_.setProfile(std::move(series));
    if (bound_ && carnet_.rowOf(*bound_) && form_.modified())
        result.alerts = storeInto(*bound_, "Apply Profile");
    refresh();
    return result;
}

std::vector<DiveId> CarnetSession::importDives(Carnet::DiveList dives) {
    std::vector<DiveId> ids = carnet_.appendDives(std::move(dives));
    refresh();
    return ids;
}

void CarnetSession::sortByColumn(Field column) {
    carnet_.sortDives(column, table_.directionForClick(column));
    refresh();
}

void CarnetSession::renumber(std::int32_t firstNumber) {
    carnet_.renumber(firstNumber);
    refresh();
}

SearchResult CarnetSession::find(Field field, std::string_view text) {
    SearchResult result;
    const std::string needle = foldForSearch(text);
    if (!needle.empty()) {
        const auto& dives = carnet_.dives();
        for (std::size_t i = 0; i < dives.size(); ++i)
            if (containsFolded(dives[i]->text(field), needle)) result.rows.push_back(i);
    }
    if (result.rows.size() == 1) {
        // One hit is shown as a click on it would.
        result.alerts = select(result.rows);
    } else {
        // Many rows are selected in one step; the form is left as it is.
        selectRows(result.rows);
    }
    const Localisation& l = context_.localisation();
    result.countText = result.rows.size() == 1
                           ? l.text("Carnet", "One dive found")
                           : l.format("Carnet", "Found dives", "error !",
                                      {static_cast<std::int64_t>(result.rows.size())});
    return result;
}

bool CarnetSession::editCell(std::size_t row, Field column, const std::string& text) {
    if (!DiveTable::isEditableInPlace(column)) return false;
    if (!carnet_.setField(row, column, text)) return false;
    refresh();
    return true;
}

bool CarnetSession::canUndo() const { return carnet_.history().canUndo() || (bound_ && form_.modified()); }
bool CarnetSession::canRedo() const { return carnet_.history().canRedo(); }

std::string CarnetSession::undoName() const {
    const Localisation& texts = context_.localisation();
    // Pending edits are stored first and so are what an undo takes back.
    if (bound_ && form_.modified()) return texts.text("Main", "Update Dive", "Update Dive");
    const UndoCommand* c = carnet_.history().nextUndo();
    return c ? c->name(texts) : std::string();
}

std::string CarnetSession::redoName() const {
    const UndoCommand* c = carnet_.history().nextRedo();
    return c ? c->name(context_.localisation()) : std::string();
}

CarnetSession::Alerts CarnetSession::undo() {
    Alerts alerts = storePendingEdits();
    carnet_.history().undo();
    refresh();
    return alerts;
}

CarnetSession::Alerts CarnetSession::redo() {
    carnet_.history().redo();
    refresh();
    return {};
}

}  // namespace divelog
