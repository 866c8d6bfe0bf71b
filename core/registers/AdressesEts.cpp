#include "registers/AdressesEts.h"

#include <array>

#include "localisation/Localisation.h"
#include "registers/OpeningHours.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"
#include "util/Splice.h"

namespace divelog {

namespace {

using E = Entreprises;
using C = ControlKind;

const RegisterNames kNames{"newFirm",
                           "addFirm",
                           "insertFirm",
                           "updateFirm",
                           "deleteFirm",
                           "ajouterEnt",
                           "insererEnt",
                           "validerEnt",
                           "supprimerEnt",
                           "firmTableViewWindowToolbar",
                           "firmEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"entreprise", "Name", 160},
    {"activite", "Activity", 110},
    {"ville", "Town", 110},
    {"pays", "Country", 90},
    {"telephone", "Phone", 110},
    {"email", "E-mail", 150},
    {"cotation", "Cotation", 90},
    {"miseAJour", "Update", 90},
});

// Views: 1 the firm and its address, 2 how to reach it, 3 opening hours.
const auto kBeforeHours = std::to_array<FormControl>({
    {"entreprise", C::Text, 1, "Name"},
    {"activite", C::Combo, 1, "Activity", "activite"},
    {"adresse", C::Text, 1, "Address"},
    {"codePostal", C::Text, 1, "Postal code"},
    {"ville", C::Text, 1, "Town"},
    {"pays", C::Text, 1, "Country"},
    {"telephone", C::Text, 2, "Phone"},
    {"fax", C::Text, 2, "Fax"},
    {"email", C::Text, 2, "E-mail"},
    {"url", C::Text, 2, "URL"},
    {"cotation", C::Slider, 2, "Cotation", {}, nullptr, 5, "cotation"},
    {"miseAJour", C::DateNow, 2, "Update"},
});
const auto kControls = spliced(kBeforeHours, OpeningHours::formControls(3),
                               std::to_array<FormControl>({{"remarques", C::Notes, 3, "Remarks"}}));

constexpr double kYear = 365.25 * 86400;

}  // namespace

const AdressesEts& AdressesEts::instance() {
    static const AdressesEts spec;
    return spec;
}

const RegisterNames& AdressesEts::names() const { return kNames; }
std::span<const ColumnSpec> AdressesEts::columns() const { return kColumns; }

std::span<const std::string_view> AdressesEts::viewTitles() const {
    static constexpr std::string_view titles[] = {"View firm", "View contacts", "View hours"};
    return titles;
}
std::span<const FormControl> AdressesEts::controls() const { return kControls; }

void AdressesEts::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("miseAJour", std::optional<Date>(context.now));
    const std::string closed = context.texts.text("Main", "Closed");
    const auto& hours = OpeningHours::kFields;
    const std::size_t sunday = (OpeningHours::kDays - 1) * OpeningHours::kPerDay;
    for (std::size_t i = 0; i < hours.size(); ++i)
        form.assign(hours[i], i < sunday ? std::string("-") : closed);
}

FormState AdressesEts::formState(const RegisterForm& form, Date /*now*/,
                                 const Localisation& /*texts*/) const {
    FormState state;
    const std::int32_t rating = form.integer("cotation");
    state.readouts["cotation"] = {rating == 0 ? "?" : integerText(rating), std::nullopt};
    return state;
}

std::string AdressesEts::cellText(const Record& r, std::size_t field,
                                  const Localisation& texts) const {
    if (field == E::cotation) {
        const std::int32_t code = r.integer(field);
        if (code >= 0 && code <= 5) return texts.text("Main", "Cotation " + integerText(code));
    }
    return RegisterSpec::cellText(r, field, texts);
}

CellStyle AdressesEts::cellStyle(const Record& r, std::size_t field, Date now) const {
    CellStyle style;
    if (field == E::cotation && r.integer(field) != 0) style.text = colours::kBrown;
    if (field == E::miseAJour && r.date(field)) {
        // An address not checked for a year may be out of date; after two, likely.
        const double age = now.seconds - r.date(field)->seconds;
        if (age > 2 * kYear)
            style.text = colours::kRed;
        else if (age >= kYear)
            style.text = colours::kOrange;
    }
    return style;
}

void AdressesEts::writeCard(const Record& r, RegisterCardWriter& card) const {
    auto text = [&](std::string_view key, std::size_t field) { card.field(key, r.textOr(field)); };
    text("Name", E::entreprise);
    card.field("Address", r.textOr(E::adresse) + " " + r.textOr(E::codePostal) + " " +
                              r.textOr(E::ville) + " " + r.textOr(E::pays));
    text("Phone", E::telephone);
    text("Fax", E::fax);
    text("E-mail", E::email);
    text("URL", E::url);
    text("Activity", E::activite);
    OpeningHours::writeCard(r, E::horaires, card);
    text("Remarks", E::remarques);
    card.field("Update", cardDate(r.date(E::miseAJour)));
}

}  // namespace divelog
