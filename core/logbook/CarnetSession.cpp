#include "logbook/CarnetSession.h"

#include <algorithm>
#include <cctype>

namespace divelog {

CarnetSession::CarnetSession(Carnet& carnet, AppContext& context)
    : carnet_(carnet), context_(context), table_(context.localisation()) {
    form_.clear(ClearContext::from(context_.settings(), context_.localisation(), dateNow()));
}

std::optional<std::size_t> CarnetSession::singleSelection() const {
    if (selection_.size() != 1) return std::nullopt;
    return selection_.front();
}

std::optional<std::size_t> CarnetSession::rowOf(const Plongee* dive) const {
    if (!dive) return std::nullopt;
    const auto& dives = carnet_.dives();
    for (std::size_t i = 0; i < dives.size(); ++i)
        if (dives[i].get() == dive) return i;
    return std::nullopt;
}

bool CarnetSession::boundIsSelected() const {
    auto row = singleSelection();
    return row && bound_ && *row < carnet_.recordCount() && carnet_.dives()[*row].get() == bound_;
}

void CarnetSession::loadRow(std::size_t row) {
    const Plongee& dive = *carnet_.dives().at(row);
    form_.load(dive);
    bound_ = &dive;
}

const FormReadouts& CarnetSession::refresh() {
    ++refreshCount_;
    readouts_ = form_.refresh(RefreshContext{context_.settings(), context_.localisation(),
                                             carnet_.recordCount(), singleSelection()});
    return readouts_;
}

void CarnetSession::select(std::vector<std::size_t> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t r) { return r >= carnet_.recordCount(); });
    selection_ = std::move(rows);
    if (selection_.size() == 1) {
        loadRow(selection_.front());
        refresh();
    }
}

void CarnetSession::documentLoaded() {
    selection_.clear();
    bound_ = nullptr;
    refresh();
}

void CarnetSession::blankFields() {
    form_.clear(ClearContext::from(context_.settings(), context_.localisation(), dateNow()));
    bound_ = nullptr;
}

void CarnetSession::newDive() {
    blankFields();
    form_.setDiveNumber(carnet_.nextDiveNumber());
    form_.resetModified();
    refresh();
}

CarnetSession::Alerts CarnetSession::addDive() {
    StoreResult r = form_.store(context_.settings());
    carnet_.addDive(std::make_unique<Plongee>(std::move(r.dive)));
    selection_.clear();
    blankFields();
    form_.setDiveNumber(carnet_.nextDiveNumber());
    form_.resetModified();
    refresh();
    return r.alerts;
}

CarnetSession::Alerts CarnetSession::storeInto(std::size_t row) {
    StoreResult r = form_.store(context_.settings());
    auto dive = std::make_unique<Plongee>(std::move(r.dive));
    bound_ = dive.get();
    carnet_.updateDive(row, std::move(dive));
    form_.resetModified();
    return r.alerts;
}

CarnetSession::Alerts CarnetSession::insertDive() {
    auto row = singleSelection();
    if (!row) return {};
    StoreResult r = form_.store(context_.settings());
    auto dive = std::make_unique<Plongee>(std::move(r.dive));
    bound_ = dive.get();
    carnet_.insertDive(*row, std::move(dive));
    form_.resetModified();
    refresh();
    return r.alerts;
}

CarnetSession::Alerts CarnetSession::updateDive() {
    auto row = singleSelection();
    if (!row) return {};
    Alerts alerts = storeInto(*row);
    refresh();
    return alerts;
}

bool CarnetSession::deleteSelected() {
    if (selection_.empty()) return false;
    carnet_.deleteDives(selection_);
    selection_.clear();
    bound_ = nullptr;
    refresh();
    return true;
}

CarnetSession::Alerts CarnetSession::step(bool forward) {
    auto row = singleSelection();
    if (!row) return {};
    Alerts alerts;
    if (boundIsSelected() && form_.modified()) alerts = storeInto(*row);
    auto next = forward ? carnet_.nextIndex(*row) : carnet_.previousIndex(*row);
    if (next) {
        selection_ = {*next};
        loadRow(*next);
    }
    refresh();
    return alerts;
}

CarnetSession::Alerts CarnetSession::previousDive() { return step(false); }
CarnetSession::Alerts CarnetSession::nextDive() { return step(true); }

void CarnetSession::editWindow() {
    if (auto row = singleSelection()) {
        loadRow(*row);
        refresh();
    }
}

CarnetSession::Alerts CarnetSession::closeEditWindow() {
    auto row = singleSelection();
    if (!row || !boundIsSelected() || !form_.modified()) return {};
    Alerts alerts = storeInto(*row);
    refresh();
    return alerts;
}

void CarnetSession::sortByColumn(std::string_view column) {
    bool ascending = table_.directionForClick(column);
    // Sorting reorders without marking the document changed.
    Carnet::DiveList dives = carnet_.takeDives();
    DiveTable::sortDives(dives, column, ascending);
    carnet_.replaceDives(std::move(dives));
    selection_.clear();
    bound_ = nullptr;
    refresh();
}

void CarnetSession::renumber(std::int32_t firstNumber) {
    const std::size_t count = carnet_.recordCount();
    for (std::size_t i = 0; i < count; ++i)
        carnet_.dive(i).setNoPlongee(firstNumber + static_cast<std::int32_t>(i));
    if (count) carnet_.markChanged();
    if (auto row = rowOf(bound_)) {
        bool modified = form_.modified();
        form_.setDiveNumber(carnet_.dive(*row).noPlongee());
        if (!modified) form_.resetModified();
    }
    refresh();
}

SearchResult CarnetSession::find(std::string_view field, std::string_view text) {
    auto lower = [](std::string_view s) {
        std::string out(s);
        for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    };
    SearchResult result;
    const std::string needle = lower(text);
    const auto& dives = carnet_.dives();
    for (std::size_t i = 0; i < dives.size(); ++i)
        if (lower(dives[i]->text(field)).find(needle) != std::string::npos) result.rows.push_back(i);
    // Many rows are selected in one step; the form is left as it is.
    selection_ = result.rows;
    const Localisation& l = context_.localisation();
    result.countText = result.rows.size() == 1
                           ? l.text("Carnet", "One dive found")
                           : l.format("Carnet", "Found dives", "error !",
                                      {static_cast<std::int64_t>(result.rows.size())});
    return result;
}

bool CarnetSession::editCell(std::size_t row, std::string_view column, const std::string& text) {
    if (row >= carnet_.recordCount()) return false;
    Plongee& dive = carnet_.dive(row);
    if (!DiveTable::editInPlace(dive, column, text)) return false;
    carnet_.markChanged();
    if (&dive == bound_ && !form_.modified()) {
        form_.load(dive);
        refresh();
    }
    return true;
}

}  // namespace divelog
