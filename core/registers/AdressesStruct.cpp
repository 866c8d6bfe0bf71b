#include "registers/AdressesStruct.h"

#include <array>

#include "localisation/Localisation.h"
#include "registers/Budget.h"
#include "registers/OpeningHours.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"
#include "util/Splice.h"

namespace divelog {

namespace {

using S = Structures;
using C = ControlKind;

const RegisterNames kNames{"newStructure",
                           "addStructure",
                           "insertStructure",
                           "updateStructure",
                           "deleteStructure",
                           "ajouterSt",
                           "insererSt",
                           "validerSt",
                           "supprimerSt",
                           "structTableViewWindowToolbar",
                           "structEditWindowToolbar",
                           RegisterNames::SaveInEdit::DefaultOnly};

const auto kColumns = std::to_array<ColumnSpec>({
    {"nom", "Name", 160},
    {"type", "Type", 90},
    {"affiliation", "Affiliation", 100},
    {"ville", "Town", 110},
    {"pays", "Country", 90},
    {"telephone", "Phone", 110},
    {"cotation", "Cotation", 90},
    {"nbPlongees", "Dives", 60},
    {"miseAJour", "Update", 90},
});

// Views: 1 the structure, 2 its address, 3 its prices, 4 opening hours.
const auto kBeforeHours = std::to_array<FormControl>({
    {"nom", C::Text, 1, "Name"},
    {"type", C::Popup, 1, "Type", {}, &Structures::kinds()},
    {"affiliation", C::Text, 1, "Affiliation"},
    {"gerant", C::Text, 1, "Gerant"},
    {"cotation", C::Slider, 1, "Cotation", {}, nullptr, 5, "cotation"},
    {"miseAJour", C::DateNow, 1, "Update"},
    {"nbPlongees", C::Number, 1, "NBDives"},
    {"adresse", C::Text, 2, "Address"},
    {"codePostal", C::Number, 2, "Postal code", {}, nullptr, 0, "codePostal"},
    {"ville", C::Text, 2, "Town"},
    {"pays", C::Text, 2, "Country"},
    {"telephone", C::Text, 2, "Phone"},
    {"portable", C::Text, 2, "Mobile"},
    {"fax", C::Text, 2, "Fax"},
    {"url", C::Text, 2, "URL"},
    {"email", C::Text, 2, "E-mail"},
    {"bapteme", C::Number, 3, "Bapteme"},
    {"plongee_1", C::Text, 3, "Formula 1"},
    joined({"prix_1", C::Number, 3, "Price"}),
    {"plongee_2", C::Text, 3, "Formula 2"},
    joined({"prix_2", C::Number, 3, "Price"}),
    {"plongee_3", C::Text, 3, "Formula 3"},
    joined({"prix_3", C::Number, 3, "Price"}),
    {"plongee_4", C::Text, 3, "Formula 4"},
    joined({"prix_4", C::Number, 3, "Price"}),
    {"plongee_5", C::Text, 3, "Formula 5"},
    joined({"prix_5", C::Number, 3, "Price"}),
    {"formation_1", C::Text, 3, "Course 1"},
    joined({"prixForm_1", C::Number, 3, "Price"}),
    {"formation_2", C::Text, 3, "Course 2"},
    joined({"prixForm_2", C::Number, 3, "Price"}),
    {"formation_3", C::Text, 3, "Course 3"},
    joined({"prixForm_3", C::Number, 3, "Price"}),
    {"formation_4", C::Text, 3, "Course 4"},
    joined({"prixForm_4", C::Number, 3, "Price"}),
    {"formation_5", C::Text, 3, "Course 5"},
    joined({"prixForm_5", C::Number, 3, "Price"}),
    {"formation_6", C::Text, 3, "Course 6"},
    joined({"prixForm_6", C::Number, 3, "Price"}),
});
const auto kControls = spliced(kBeforeHours, OpeningHours::formControls(4),
                               std::to_array<FormControl>({{"remarques", C::Notes, 4, "Remarks"}}));

std::string euros(std::string_view name, float price) {
    return formatText("%@ : %.2f €\r", {std::string(name), static_cast<double>(price)});
}

}  // namespace

const AdressesStruct& AdressesStruct::instance() {
    static const AdressesStruct spec;
    return spec;
}

const RegisterNames& AdressesStruct::names() const { return kNames; }
std::span<const ColumnSpec> AdressesStruct::columns() const { return kColumns; }

std::span<const std::string_view> AdressesStruct::viewTitles() const {
    static constexpr std::string_view titles[] = {"View structure", "View address", "View prices",
                                                  "View hours"};
    return titles;
}
std::span<const FormControl> AdressesStruct::controls() const { return kControls; }

void AdressesStruct::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("type", std::int32_t{1});  // the pop-up's second item
    for (const FormControl& c : kControls)
        if (c.kind == C::Number) form.assign(c.field, std::string());
    form.assign("miseAJour", std::optional<Date>(context.now));
    for (std::string_view hour : OpeningHours::kFields) form.assign(hour, std::string("-"));
}

FormState AdressesStruct::formState(const RegisterForm& form, Date /*now*/,
                                    const Localisation& texts) const {
    FormState state;
    state.readouts["cotation"] = {
        codeLabel(Budget::priceRatings(), form.integer("cotation"), texts), std::nullopt};
    // The file keeps the postal code as an integer: say so when that changes
    // what was typed ("01000" or "SW1A 1AA").
    const std::string typed = form.text("codePostal");
    const std::string kept = integerText(readInteger(typed).value_or(0));
    if (!typed.empty() && typed != kept)
        state.readouts["codePostal"] = {
            texts.format("Structures", "Postal code kept", "%@", {kept}), colours::kOrange};
    return state;
}

std::string AdressesStruct::cellText(const Record& r, std::size_t field,
                                     const Localisation& texts) const {
    const std::int32_t code = r.integer(field);
    if (field == S::cotation && code >= 0 && code <= 5)
        return texts.text("Main", "Cotation " + integerText(code));
    if (field == S::type) return codeLabel(Structures::kinds(), code, texts);
    return RegisterSpec::cellText(r, field, texts);
}

CellStyle AdressesStruct::cellStyle(const Record& r, std::size_t field, Date /*now*/) const {
    CellStyle style;
    if (field == S::cotation && r.integer(field) != 0) style.text = colours::kBrown;
    return style;
}

void AdressesStruct::writeCard(const Record& r, RegisterCardWriter& card) const {
    const Localisation& texts = card.texts();
    auto text = [&](std::string_view key, std::size_t field) { card.field(key, r.textOr(field)); };
    text("Name", S::nom);
    card.field("Type", codeLabel(Structures::kinds(), r.integer(S::type), texts));
    text("Affiliation", S::affiliation);
    text("Gerant", S::gerant);
    card.field("Address", r.textOr(S::adresse) + " " + integerText(r.integer(S::codePostal)) + " " +
                              r.textOr(S::ville) + " " + r.textOr(S::pays));
    text("Phone", S::telephone);
    text("Mobile", S::portable);
    text("Fax", S::fax);
    text("E-mail", S::email);
    text("URL", S::url);
    card.field("Cotation", integerText(r.integer(S::cotation)));
    card.field("Update", cardDate(r.date(S::miseAJour)));
    card.heading("Prices");
    card.value(texts.format("Structures", "Bapteme : %.2f €\r", "Bapteme : %.2f €\r",
                            {static_cast<double>(r.real(S::bapteme))}));
    for (std::size_t i = 0; i < S::kFormulas; ++i)
        card.value(euros(r.textOr(S::plongee_1 + i), r.real(S::prix_1 + i)));
    for (std::size_t i = 0; i < S::kCourses; ++i)
        card.value(euros(r.textOr(S::formation_1 + i), r.real(S::prixForm_1 + i)));
    OpeningHours::writeCard(r, S::horaires, card);
    card.field("NBDives", integerText(r.integer(S::nbPlongees)));
    text("Remarks", S::remarques);
}

}  // namespace divelog
