#include "registers/PreviBudget.h"

#include <array>
#include <cmath>
#include <iostream>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using B = Budget;
using C = ControlKind;

const RegisterNames kNames{"newPrestation",
                           "addPrestation",
                           "insertPrestation",
                           "updatePrestation",
                           "deletePrestation",
                           "ajouterBud",
                           "insererBud",
                           "validerBud",
                           "supprimerBud",
                           "budgetTableViewWindowToolbar",
                           "budgetEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"prestation", "Prestation", 160},
    {"entreprise", "Entreprise", 140},
    {"prixUnitaire_0", "Price per unit", 100},
    {"quantite_0", "Quantity", 70},
    {"qualitePrix", "Cotation", 90},
    {"delai", "Delay", 90},
    {"miseAJour", "Update", 90},
});

// Views: 1 the service, its price and supplements; 2 the card tariff; 3 the
// firm, ratings and remarks. The sixth line has no control: the form keeps
// what the record holds.
const auto kControls = std::to_array<FormControl>({
    {"prestation", C::Combo, 1, "Prestation", "prestations", nullptr, 0, "total"},
    {"prixUnitaire_0", C::Number, 1, "Price per unit"},
    joined({"quantite_0", C::Number, 1, "Quantity"}),
    {"supplement_1", C::Text, 1, "Supplement 1"},
    joined({"prixUnitaire_1", C::Number, 1, "Price"}),
    joined({"quantite_1", C::Number, 1, "Quantity"}),
    {"supplement_2", C::Text, 1, "Supplement 2"},
    joined({"prixUnitaire_2", C::Number, 1, "Price"}),
    joined({"quantite_2", C::Number, 1, "Quantity"}),
    {"supplement_3", C::Text, 1, "Supplement 3"},
    joined({"prixUnitaire_3", C::Number, 1, "Price"}),
    joined({"quantite_3", C::Number, 1, "Quantity"}),
    {"supplement_4", C::Text, 1, "Supplement 4"},
    joined({"prixUnitaire_4", C::Number, 1, "Price"}),
    joined({"quantite_4", C::Number, 1, "Quantity"}),
    {"prixDegressif", C::Switch, 2, "Degressive price"},
    {"unitesCarte_1", C::Number, 2, "Card 1"},
    joined({"prixCarte_1", C::Number, 2, "Price", {}, nullptr, 0, "perUnit_1"}),
    {"unitesCarte_2", C::Number, 2, "Card 2"},
    joined({"prixCarte_2", C::Number, 2, "Price", {}, nullptr, 0, "perUnit_2"}),
    {"unitesCarte_3", C::Number, 2, "Card 3"},
    joined({"prixCarte_3", C::Number, 2, "Price", {}, nullptr, 0, "perUnit_3"}),
    {"unitesCarte_4", C::Number, 2, "Card 4"},
    joined({"prixCarte_4", C::Number, 2, "Price", {}, nullptr, 0, "perUnit_4"}),
    {"entreprise", C::Text, 3, "Entreprise"},
    {"qualitePrix", C::Slider, 3, "Cotation", {}, nullptr, 5, "qualitePrix"},
    {"delai", C::Slider, 3, "Delay", {}, nullptr, 5, "delai"},
    {"prevDepense", C::Switch, 3, "Planned expense"},
    {"miseAJour", C::DateNow, 3, "Update"},
    {"notes", C::Notes, 3, "Remarks"},
});

constexpr std::array<std::string_view, B::kCards> kCardUnits = {"unitesCarte_1", "unitesCarte_2",
                                                                "unitesCarte_3", "unitesCarte_4"};
constexpr std::array<std::string_view, B::kCards> kCardPrices = {"prixCarte_1", "prixCarte_2",
                                                                 "prixCarte_3", "prixCarte_4"};
constexpr std::array<std::string_view, B::kCards> kPerUnitKeys = {"perUnit_1", "perUnit_2",
                                                                  "perUnit_3", "perUnit_4"};

float formPrice(const RegisterForm& form, std::string_view field) {
    return readFloat(form.text(field)).value_or(0.0f);
}
std::int32_t formCount(const RegisterForm& form, std::string_view field) {
    return readInteger(form.text(field)).value_or(0);
}

// A price as the form shows it, cents and all ("2.5" for 2.50, never "2").
std::string price(float v) { return decimalText(v); }

}  // namespace

const PreviBudget& PreviBudget::instance() {
    static const PreviBudget spec;
    return spec;
}

const RegisterNames& PreviBudget::names() const { return kNames; }
std::span<const ColumnSpec> PreviBudget::columns() const { return kColumns; }

std::span<const std::string_view> PreviBudget::viewTitles() const {
    static constexpr std::string_view titles[] = {"View service", "View cards", "View firm"};
    return titles;
}
std::span<const FormControl> PreviBudget::controls() const { return kControls; }

double PreviBudget::total(const RegisterForm& form) {
    static constexpr std::array<std::string_view, B::kTotalledLines> quantities = {
        "quantite_0", "quantite_1", "quantite_2", "quantite_3", "quantite_4"};
    static constexpr std::array<std::string_view, B::kTotalledLines> prices = {
        "prixUnitaire_0", "prixUnitaire_1", "prixUnitaire_2", "prixUnitaire_3", "prixUnitaire_4"};
    double sum = 0;
    for (int i = 0; i < B::kTotalledLines; ++i)
        sum += static_cast<double>(formCount(form, quantities[i])) *
               static_cast<double>(formPrice(form, prices[i]));
    return sum;
}

std::optional<double> PreviBudget::pricePerUnit(const RegisterForm& form, int card) {
    if (card < 1 || card > B::kCards) return std::nullopt;
    const std::size_t i = static_cast<std::size_t>(card - 1);
    const std::int32_t units = formCount(form, kCardUnits[i]);
    if (units < 1) return std::nullopt;
    return static_cast<double>(formPrice(form, kCardPrices[i])) / units;
}

void PreviBudget::blank(RegisterForm& form, const BlankContext& /*context*/) const {
    for (const FormControl& c : kControls)
        if (c.kind == C::Number) form.assign(c.field, std::string("0"));
}

FormState PreviBudget::formState(const RegisterForm& form, Date /*now*/,
                                 const Localisation& texts) const {
    FormState state;
    state.readouts["total"] = {texts.format("Budget", "Total", "%.2f", {total(form)}),
                               std::nullopt};
    const bool cards = form.integer("prixDegressif") == 1;
    for (int card = 1; card <= B::kCards; ++card) {
        const std::size_t i = static_cast<std::size_t>(card - 1);
        const auto perUnit = pricePerUnit(form, card);
        state.readouts[std::string(kPerUnitKeys[i])] = {
            perUnit ? texts.format("Budget", "Discount price", "%.2f", {*perUnit}) : std::string(),
            std::nullopt};
        if (!cards) {
            state.disabled.insert(std::string(kCardUnits[i]));
            state.disabled.insert(std::string(kCardPrices[i]));
        }
    }
    state.readouts["qualitePrix"] = {
        codeLabel(Budget::priceRatings(), form.integer("qualitePrix"), texts), std::nullopt};
    state.readouts["delai"] = {codeLabel(Budget::delayRatings(), form.integer("delai"), texts),
                               std::nullopt};
    return state;
}

std::string PreviBudget::readoutSample(std::string_view readout, const Localisation& texts) const {
    // Six-figure totals and four-figure prices per unit.
    if (readout == "total") return texts.format("Budget", "Total", "%.2f", {999999.99});
    if (readout.starts_with("perUnit_"))
        return texts.format("Budget", "Discount price", "%.2f", {9999.99});
    return {};
}

std::optional<std::vector<Record>> PreviBudget::importOlder(std::span<const std::uint8_t> /*bytes*/,
                                                            std::string& error) const {
    // No importer of the budgets written before the record archive exists yet.
    std::clog << "Format non reconnu" << std::endl;
    error = "The file is neither a budget nor a budget of an older format this version reads.";
    return std::nullopt;
}

std::string PreviBudget::cellText(const Record& r, std::size_t field,
                                  const Localisation& texts) const {
    if (field == B::qualitePrix || field == B::delai) {
        const std::int32_t code = r.integer(field);
        if (code < 1 || code > 5) return std::string();
        return texts.text("Main", "Cotation " + integerText(code));
    }
    return RegisterSpec::cellText(r, field, texts);
}

CellStyle PreviBudget::cellStyle(const Record& r, std::size_t field, Date /*now*/) const {
    CellStyle style;
    if (r.integer(B::prevDepense) == 1) style.text = colours::kRed;
    if ((field == B::qualitePrix || field == B::delai) && r.integer(field) != 0)
        style.text = colours::kBrown;
    return style;
}

void PreviBudget::writeCard(const Record& r, RegisterCardWriter& card) const {
    const Localisation& texts = card.texts();
    card.field("Prestation", r.textOr(B::prestation));
    card.field("Price per unit", price(r.real(B::prixUnitaire_0)));
    card.field("Quantity", integerText(r.integer(B::quantite_0)));
    for (std::size_t k = 1; k <= 4; ++k) {
        card.field("Supplement", r.textOr(B::supplement_1 + k - 1));
        card.value(" " + price(r.real(B::prixUnitaire_0 + k)));
        card.field("Quantity", integerText(r.integer(B::quantite_0 + k)));
    }
    for (std::size_t k = 0; k < B::kCards; ++k) {
        card.field("Card", integerText(r.integer(B::unitesCarte_1 + k)));
        card.field("Units at", price(r.real(B::prixCarte_1 + k)));
        card.label("Money");
    }
    card.field("Entreprise", r.textOr(B::entreprise));
    card.field("Cotation", codeLabel(Budget::priceRatings(), r.integer(B::qualitePrix), texts));
    card.field("Delay", codeLabel(Budget::delayRatings(), r.integer(B::delai), texts));
    card.field("Remarks", r.textOr(B::notes));
}

}  // namespace divelog
