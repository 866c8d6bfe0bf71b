#include "registers/RegisterSession.h"

#include <algorithm>

#include "localisation/Localisation.h"
#include "registers/RegisterSpec.h"
#include "settings/PickLists.h"

namespace divelog {

RegisterSession::RegisterSession(RegisterDocument& document, PickLists& pickLists,
                                 const Localisation& texts)
    : ListSession(document, texts), doc_(document), pickLists_(pickLists), form_(document.spec()) {
    // The lists the combo boxes offer are read afresh (the firms' activities
    // among them), so the first entry added goes beside the stored ones.
    for (const FormControl& c : spec().controls())
        if (c.kind == ControlKind::Combo && !c.pickList.empty())
            pickLists_.reload(std::string(c.pickList));
    form_.blank({doc_.recordCount(), dateNow(), texts});
}

void RegisterSession::blankForm(Blank) { form_.blank({doc_.recordCount(), dateNow(), texts()}); }

std::optional<RecordId> RegisterSession::storeAsNew(std::optional<std::size_t> row, Alerts&) {
    return row ? doc_.insert(*row, form_.record()) : doc_.add(form_.record());
}

void RegisterSession::storeInto(RecordId id, std::string_view nameKey, Alerts&) {
    doc_.update(id, form_.record(), nameKey);
}

std::optional<std::size_t> RegisterSession::rowShownAtLoad() const {
    const std::size_t n = doc_.recordCount();
    if (n == 0) return std::nullopt;
    return spec().selectsLastAtLoad() ? n - 1 : 0;
}

bool RegisterSession::sortByColumn(std::string_view field) {
    const bool ascending = sortMemory_.click(std::string(field));
    Changing changing(*this);
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
}

FormState RegisterSession::formState() const { return spec().formState(form_, dateNow(), texts()); }

std::string RegisterSession::countText() const {
    const std::size_t n = doc_.recordCount();
    const std::string_view key = n == 1 ? spec().oneKey() : spec().manyKey();
    const std::string_view table = texts().has(spec().table(), key) ? spec().table() : "Main";
    if (n == 1) return texts().text(table, key, "\r\rerror ! ");
    return texts().format(table, key, "\r\rerror ! ", {static_cast<std::int64_t>(n)});
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
    if (id == n.updateItem) return any && canUpdate();
    if (id == n.insertItem) return any && canInsert();
    if (id == "imprimer" || id == "synthese" || id == n.deleteItem) return any;
    return true;
}

}  // namespace divelog
