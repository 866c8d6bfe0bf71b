#include "registers/InvConso.h"

#include <array>

#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using P = Consommables;
using C = ControlKind;

const RegisterNames kNames{"newPart",
                           "addPart",
                           "insertPart",
                           "updatePart",
                           "deletePart",
                           "ajouterCons",
                           "insererCons",
                           "validerCons",
                           "supprimerCons",
                           "consommablesTableViewWindowToolbar",
                           "consommablesEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"reference", "Reference", 120},
    {"marque", "Trade mark", 130},
    {"utilisation", "Use", 160},
    {"stock", "Quantity", 70},
    {"reserve", "Reserve", 85},
    {"rangement", "Location", 120},
    {"dateInventaire", "Count date", 90},
    {"notes", "Remarks", 160},
});

// Views: 1 the part and its stock, 2 its count and remarks.
const auto kControls = std::to_array<FormControl>({
    {"reference", C::Text, 1, "Reference"},
    {"marque", C::Text, 1, "Trade mark"},
    {"utilisation", C::Text, 1, "Use"},
    {"stock", C::Number, 1, "Quantity"},
    {"reserve", C::Number, 1, "Reserve"},
    {"rangement", C::Text, 1, "Location"},
    {"noInventaire", C::Switch, 2, "No count"},
    {"dateInventaire", C::DateNow, 2, "Count date"},
    {"notes", C::Notes, 2, "Remarks"},
});

}  // namespace

const InvConso& InvConso::instance() {
    static const InvConso spec;
    return spec;
}

const RegisterNames& InvConso::names() const { return kNames; }
std::span<const ColumnSpec> InvConso::columns() const { return kColumns; }

std::span<const std::string_view> InvConso::viewTitles() const {
    static constexpr std::string_view titles[] = {"View part", "View count"};
    return titles;
}
std::span<const FormControl> InvConso::controls() const { return kControls; }

void InvConso::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("stock", std::string());
    form.assign("reserve", std::string());
    form.assign("noInventaire", std::int32_t{1});
    form.assign("dateInventaire", std::optional<Date>(context.now));
}

FormState InvConso::formState(const RegisterForm& form, Date /*now*/,
                              const Localisation& /*texts*/) const {
    FormState state;
    if (form.integer("noInventaire") == 1) state.hidden.insert("dateInventaire");
    return state;
}

std::string InvConso::cellText(const Record& r, std::size_t field,
                               const Localisation& texts) const {
    if (field == P::dateInventaire && r.integer(P::noInventaire) == 1) return std::string();
    return RegisterSpec::cellText(r, field, texts);
}

CellStyle InvConso::cellStyle(const Record& r, std::size_t field, Date /*now*/) const {
    CellStyle style;
    const float stock = r.real(P::stock), reserve = r.real(P::reserve);
    if (field == P::reference) {
        if (reserve > stock)
            style.text = colours::kRed;
        else if (reserve == stock)
            style.text = colours::kOrange;
    } else if (field == P::stock && reserve > stock) {
        style.text = colours::kRed;
    }
    return style;
}

void InvConso::writeCard(const Record& r, RegisterCardWriter& card) const {
    auto text = [&](std::string_view key, std::size_t field) { card.field(key, r.textOr(field)); };
    text("Reference", P::reference);
    text("Trade mark", P::marque);
    text("Use", P::utilisation);
    card.field("Quantity", decimalText(r.real(P::stock)));
    text("Location", P::rangement);
    text("Remarks", P::notes);
}

}  // namespace divelog
