#include "registers/InvMateriel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using M = Materiel;
using C = ControlKind;

const RegisterNames kNames{"newMatos",
                           "addMatos",
                           "insertMatos",
                           "updateMatos",
                           "deleteMatos",
                           "ajouterMat",
                           "insererMat",
                           "validerMat",
                           "supprimerMat",
                           "equipTableViewWindowToolbar",
                           "equipEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"matosNo", "Card No", 50},
    {"typeMatos", "Equipment type", 110},
    {"marqueMatos", "Trade mark", 100},
    {"serieMatos", "Serial No", 90},
    {"dateAchatMatos", "Purchase date", 80},
    {"lieuAchatMatos", "Purchase location", 100},
    {"quantiteMatos", "Quantity", 50},
    {"prixMatos", "Price", 60},
    {"factureMatos", "Facture", 50},
    {"lastRevision", "Last inspection", 90},
    {"nextRevision", "Next inspection", 90},
    {"equipState", "Equipment state", 90},
});

// Views: 1 the item and its purchase, 2 inspections and cylinder, 3 remarks.
const auto kControls = std::to_array<FormControl>({
    {"matosNo", C::Text, 1, "Card No"},
    {"typeMatos", C::Combo, 1, "Equipment type", "type materiel"},
    {"marqueMatos", C::Combo, 1, "Trade mark", "fabricants"},
    {"serieMatos", C::Text, 1, "Serial No"},
    {"dateAchatMatos", C::Text, 1, "Purchase date"},
    {"lieuAchatMatos", C::Combo, 1, "Purchase location", "magasins"},
    {"quantiteMatos", C::Number, 1, "Quantity"},
    {"prixMatos", C::Text, 1, "Price"},
    {"factureMatos", C::Switch, 1, "Facture"},
    {"equipState", C::Popup, 1, "Equipment state", {}, &Materiel::states()},
    {"noInspection", C::Switch, 2, "No inspection"},
    {"lastRevision", C::Date, 2, "Last inspection"},
    {"nextRevision", C::Date, 2, "Next inspection", {}, nullptr, 0, "gauge"},
    {"bloc", C::Switch, 2, "Cylinder"},
    {"capaciteBloc", C::Number, 2, "Capacity"},
    {"pressionService", C::Number, 2, "Service pressure"},
    {"pressionEpreuve", C::Number, 2, "Test pressure"},
    {"firstRequalification", C::Text, 2, "First test pressure"},
    {"nextRequalification", C::Date, 2, "Next test pressure"},
    {"tiv", C::Switch, 2, "TIV"},
    {"noTIV", C::Text, 2, "TIV No"},
    {"nomTIV", C::Text, 2, "TIV technician"},
    {"notesMatos", C::Notes, 3, "Remarks"},
});

constexpr Colour kGaugeGreen{0, 0.9f, 0, 1};
constexpr Colour kGaugeRed{1, 0, 0, 0.8f};

double recordShare(const Record& r, Date now) {
    return Materiel::elapsedShare(r.date(M::lastRevision), r.date(M::nextRevision), now);
}

}  // namespace

const InvMateriel& InvMateriel::instance() {
    static const InvMateriel spec;
    return spec;
}

const RegisterNames& InvMateriel::names() const { return kNames; }
std::span<const ColumnSpec> InvMateriel::columns() const { return kColumns; }

std::span<const std::string_view> InvMateriel::viewTitles() const {
    static constexpr std::string_view titles[] = {"View item", "View inspections", "View remarks"};
    return titles;
}
std::span<const FormControl> InvMateriel::controls() const { return kControls; }

void InvMateriel::blank(RegisterForm& form, const BlankContext& context) const {
    const std::optional<Date> none = Materiel::noDate();
    form.assign("matosNo", integerText(static_cast<std::int64_t>(context.count) + 1));
    form.assign("dateAchatMatos", std::string("--/--/----"));
    form.assign("quantiteMatos", std::string("1"));
    form.assign("lastRevision", none);
    form.assign("nextRevision", none);
    form.assign("noInspection", std::int32_t{1});
}

void InvMateriel::applyRules(RegisterForm& form, Date /*now*/) const {
    if (form.integer("noInspection") != 1) return;
    const std::optional<Date> none = Materiel::noDate();
    form.assign("bloc", std::int32_t{0});
    form.assign("tiv", std::int32_t{0});
    form.assign("lastRevision", none);
    form.assign("nextRevision", none);
    form.assign("nextRequalification", none);
}

FormState InvMateriel::formState(const RegisterForm& form, Date now,
                                 const Localisation& texts) const {
    FormState state;
    const bool noInspection = form.integer("noInspection") == 1;
    const bool cylinder = form.integer("bloc") == 1;
    const bool visual = form.integer("tiv") == 1;
    if (noInspection) {
        for (auto f : {"bloc", "tiv", "lastRevision", "nextRevision"}) state.hidden.insert(f);
    } else if (!cylinder) {
        state.hidden.insert("tiv");
    }
    if (!cylinder)
        for (auto f : {"firstRequalification", "nextRequalification", "capaciteBloc",
                       "pressionService", "pressionEpreuve"})
            state.hidden.insert(f);
    if (!cylinder || !visual) {
        state.hidden.insert("noTIV");
        state.hidden.insert("nomTIV");
    }

    // Without both inspection dates there is no share to show, rather than a
    // share of a span from or to 1900.
    const bool dated = !Materiel::isNoDate(form.date("lastRevision")) &&
                       !Materiel::isNoDate(form.date("nextRevision"));
    if (!noInspection && !dated) {
        state.gauge = 0;
        state.readouts["gauge"] = {"", std::nullopt};
        state.readouts["status"] = {"", std::nullopt};
        return state;
    }
    // An inspection still to come has nothing elapsed yet, not a negative share.
    const double share =
        noInspection ? 0
                     : std::max(0.0, Materiel::elapsedShare(form.date("lastRevision"),
                                                            form.date("nextRevision"), now));
    state.gauge = share;
    char percent[48];
    std::snprintf(percent, sizeof percent, "%.0f %%", share);
    state.readouts["gauge"] = {percent, std::nullopt};
    if (share >= 100)
        state.readouts["status"] = {texts.text("Materiel", "Out of date"), colours::kRed};
    else
        state.readouts["status"] = {texts.text("Materiel", "Elapsed time"), std::nullopt};
    return state;
}

std::string InvMateriel::cellText(const Record& r, std::size_t field,
                                  const Localisation& texts) const {
    switch (field) {
        case M::nextRevision:
            if (r.integer(M::noInspection) == 1) return "-";
            [[fallthrough]];
        case M::lastRevision:
        case M::nextRequalification:
            // The date that stands for "no date" shows as none, in any time zone.
            if (Materiel::isNoDate(r.date(field))) return std::string();
            break;
        case M::factureMatos:
            return r.integer(field) == 1 ? texts.text("Main", "Check") : std::string();
        case M::equipState: return codeLabel(Materiel::states(), r.integer(field), texts);
        default: break;
    }
    return RegisterSpec::cellText(r, field, texts);
}

CellStyle InvMateriel::cellStyle(const Record& r, std::size_t field, Date now) const {
    CellStyle style;
    switch (field) {
        case M::nextRevision: {
            if (r.integer(M::noInspection) == 1 || Materiel::isNoDate(r.date(M::nextRevision)))
                break;
            const double share = recordShare(r, now);
            style.background =
                share < 70 ? kGaugeGreen : (share < 90 ? colours::kOrange : kGaugeRed);
            break;
        }
        case M::matosNo: style.text = colours::kBrown; break;
        case M::factureMatos: style.text = colours::kRed; break;
        case M::equipState:
            switch (r.integer(field)) {
                case 0: style.text = colours::kGreen; break;
                case 1:
                case 6: style.text = colours::kOrange; break;
                case 2:
                case 5: style.text = colours::kRed; break;
                case 3:
                case 4: style.text = colours::kBlue; break;
                default: break;
            }
            break;
        default: break;
    }
    return style;
}

void InvMateriel::writeCard(const Record& r, RegisterCardWriter& card) const {
    const Localisation& texts = card.texts();
    auto text = [&](std::string_view key, std::size_t field) { card.field(key, r.textOr(field)); };
    auto whole = [&](std::string_view key, std::size_t field) {
        const bool real = r.schema().fields[field].type == FieldType::Float;
        // A float beyond int range would be undefined to convert; its text is shown instead.
        const double v = real ? std::trunc(static_cast<double>(r.real(field))) : r.integer(field);
        card.field(key, std::abs(v) < 2147483648.0 ? integerText(static_cast<std::int64_t>(v))
                                                   : decimalText(v));
    };

    text("Card No", M::matosNo);
    text("Equipment type", M::typeMatos);
    text("Trade mark", M::marqueMatos);
    text("Serial No", M::serieMatos);
    text("Purchase date", M::dateAchatMatos);
    text("Purchase location", M::lieuAchatMatos);
    whole("Quantity", M::quantiteMatos);
    text("Price", M::prixMatos);
    card.field("Facture", texts.text("Main", r.integer(M::factureMatos) == 1 ? "Yes" : "No"));
    if (r.integer(M::noInspection) != 1) {
        card.field("Last inspection", cardDate(r.date(M::lastRevision)));
        card.field("Next inspection", cardDate(r.date(M::nextRevision)));
    }
    if (r.integer(M::bloc) == 1) {
        card.label("Cylinder heading");
        // Litres as the form shows them: an 11.1 l cylinder is no 11 l one.
        card.field("Capacity", decimalText(r.real(M::capaciteBloc)));
        whole("Service pressure", M::pressionService);
        whole("Test pressure", M::pressionEpreuve);
        text("First test pressure", M::firstRequalification);
        card.field("Next test pressure", cardDate(r.date(M::nextRequalification)));
    }
    if (r.integer(M::tiv) == 1) {
        text("TIV technician", M::nomTIV);
        text("TIV No", M::noTIV);
    }
    card.field("Equipment state", codeLabel(Materiel::states(), r.integer(M::equipState), texts));
    text("Remarks", M::notesMatos);
}

}  // namespace divelog
