#include "logbook/CarnetSession.h"

#include <algorithm>

#include "logbook/DiveNumbers.h"
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
    : ListSession(carnet, context.localisation()),
      carnet_(carnet),
      context_(context),
      table_(context.localisation()) {
    form_.clear(ClearContext::from(context_.settings(), context_.localisation(), dateNow()));
}

void CarnetSession::blankForm(Blank why) {
    form_.clear(ClearContext::from(context_.settings(), context_.localisation(), dateNow()));
    // Erase leaves the number to the user; the other blanks propose the next one.
    proposedNumber_.reset();
    if (why != Blank::Erase) {
        proposedNumber_ = carnet_.nextDiveNumber();
        form_.setDiveNumber(*proposedNumber_);
    }
    if (why == Blank::New) form_.setDate(F::heure, dateNow());
    form_.resetModified();
}

std::optional<DiveId> CarnetSession::storeAsNew(std::optional<std::size_t> row, Alerts& alerts) {
    StoreResult r = form_.store(context_.settings());
    alerts = std::move(r.alerts);
    return row ? carnet_.insert(*row, std::move(r.dive)) : carnet_.add(std::move(r.dive));
}

void CarnetSession::storeInto(DiveId id, std::string_view nameKey, Alerts& alerts) {
    StoreResult r = form_.store(context_.settings());
    alerts = std::move(r.alerts);
    carnet_.update(id, std::move(r.dive), nameKey);
}

void CarnetSession::showChangedField(std::size_t row, std::size_t field) {
    // One field changed under the form: show it, keep the user's other edits.
    const auto f = static_cast<Field>(field);
    if (DiveForm::kindOf(Plongee::nameOf(f)) == DiveForm::ControlKind::Text)
        form_.showStoredValue(f, carnet_.dive(row).text(f));
}

std::optional<std::string> CarnetSession::storeRefusal() const {
    // A value outside its field's range is refused, never quietly corrected.
    auto refused = DiveNumbers::refusal(form_, context_.settings().boolForKey("us units"),
                                        context_.localisation());
    if (!refused) return std::nullopt;
    return std::move(refused->message);
}

std::optional<Plongee::Field> CarnetSession::refusedField() const {
    auto refused = DiveNumbers::refusal(form_, context_.settings().boolForKey("us units"),
                                        context_.localisation());
    if (!refused) return std::nullopt;
    return refused->field;
}

void CarnetSession::listChanged(const ListChange&) {
    if (boundRecord() || !proposedNumber_) return;
    if (form_.text(F::noPlongee) != integerText(*proposedNumber_)) {
        proposedNumber_.reset();  // the user numbered the dive
        return;
    }
    const std::int32_t next = carnet_.nextDiveNumber();
    if (next == *proposedNumber_) return;
    form_.showStoredValue(F::noPlongee, integerText(next));
    proposedNumber_ = next;
}

void CarnetSession::refresh() {
    ++refreshCount_;
    // A new dive typed in the form is not the selected row: previous and next
    // would find nothing to store it into.
    const auto shown = hasUnstoredRecord() ? std::nullopt : singleSelection();
    readouts_ =
        form_.refresh(RefreshContext{context_.settings(), context_.localisation(),
                                     carnet_.recordCount(), shown, carnet_.dives(), profileModel_});
}

void CarnetSession::wantProfileModel(bool wanted) {
    if (wanted == profileModel_) return;
    profileModel_ = wanted;
    if (wanted) refresh();
}

CarnetSession::ProfileApplied CarnetSession::applyProfile(const ProfileDataSheet& sheet) {
    ProfileApplied result;
    ProfileSeries series = form_.profile();
    result.sheet = sheet.apply(series);
    if (!result.sheet.ok) return result;
    Changing changing(*this);
    form_.setProfile(std::move(series));
    result.alerts = storePendingEdits("Apply Profile");
    refresh();
    return result;
}

std::vector<DiveId> CarnetSession::importDives(Carnet::DiveList dives) {
    Changing changing(*this);
    std::vector<DiveId> ids = carnet_.append(std::move(dives));
    refresh();
    return ids;
}

void CarnetSession::sortByColumn(Field column) {
    Changing changing(*this);
    carnet_.sortDives(column, table_.directionForClick(column));
    refresh();
}

void CarnetSession::renumber(std::int32_t firstNumber) {
    Changing changing(*this);
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
    Changing changing(*this);
    if (!carnet_.setField(row, column, text)) return false;
    refresh();
    return true;
}

}  // namespace divelog
