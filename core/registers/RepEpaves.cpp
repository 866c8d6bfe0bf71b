#include "registers/RepEpaves.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "localisation/Localisation.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using E = Epaves;
using C = ControlKind;

const RegisterNames kNames{"newWreck",
                           "addWreck",
                           "insertWreck",
                           "updateWreck",
                           "deleteWreck",
                           "ajouterEp",
                           "insererEp",
                           "validerEp",
                           "supprimerEp",
                           "wreckTableViewWindowToolbar",
                           "wreckEditWindowToolbar"};

const auto kColumns = std::to_array<ColumnSpec>({
    {"nom", "Wreck name", 160},
    {"type", "Wreck type", 100},
    {"pays", "Country", 90},
    {"lieu", "Location", 110},
    {"site", "Site", 110},
    {"longueur", "Wreck length", 90},
    {"pointHaut", "High depth", 120},
    {"pointBas", "Low depth", 110},
    {"propulsion", "Wreck propulsion", 90},
    {"interet", "Interest", 80},
    {"technicite", "Difficulty", 80},
    {"dateVisite", "First visit date", 90},
});

constexpr NumberTyping kLength{.decimals = true, .negative = true, .maxDigits = 4};
// "-" for a depth not given; a depth is never negative.
constexpr NumberTyping kDepth{.decimals = true, .dashForNone = true, .maxDigits = 4};

// Views: 1 the ship, 2 on the bottom, 3 history, 4 where and how, 5 land
// marks, photo and notes.
const auto kControls = std::to_array<FormControl>({
    {"nom", C::Text, 1, "Wreck name"},
    {"type", C::Combo, 1, "Wreck type", "type epave"},
    {"immatriculation", C::Text, 1, "Wreck registration"},
    {"nationalite", C::Text, 1, "Nationality"},
    // A blank card shows -1 for an unknown length, so a minus may be typed.
    typed({"longueur", C::Number, 1, "Wreck length"}, kLength),
    typed({"largeur", C::Number, 1, "Wreck wide"}, kLength),
    {"jauge", C::Number, 1, "Wreck tonnage"},
    {"materiau", C::Popup, 1, "Wreck material", {}, &Epaves::materials()},
    {"propulsion", C::Popup, 1, "Wreck propulsion", {}, &Epaves::propulsions()},
    {"typeMachine", C::Text, 1, "Wreck type machine"},
    {"puissance", C::Text, 1, "Wreck power"},
    typed({"pointHaut", C::Number, 2, "High depth"}, kDepth),
    typed({"pointBas", C::Number, 2, "Low depth"}, kDepth),
    {"natureFond", C::Text, 2, "Bottom type"},
    {"orientationSwitch", C::Switch, 2, "Orientation known"},
    {"orientation", C::Slider, 2, "Orientation", {}, nullptr, 359},
    {"inclinaison", C::Popup, 2, "Inclination", {}, &Epaves::inclinations()},
    {"nomsPrecedents", C::Text, 3, "Wreck previous names"},
    {"armateur", C::Text, 3, "Armateur"},
    {"dateConstruction", C::Text, 3, "Build date"},
    {"lieuConstruction", C::Text, 3, "Build location"},
    {"ports", C::Text, 3, "Harbours"},
    {"capitaine", C::Text, 3, "Captain"},
    {"equipage", C::Text, 3, "Crew"},
    {"chargement", C::Text, 3, "Cargo"},
    {"provenance", C::Text, 3, "From port"},
    {"destination", C::Text, 3, "To port"},
    {"dateNaufrage", C::Text, 3, "Ship wreck date"},
    {"causeNaufrage", C::Combo, 3, "Ship wreck cause", "cause naufrage"},
    {"miseAJour", C::Date, 3, "Updated on"},
    {"lieu", C::Text, 4, "Location"},
    {"site", C::Text, 4, "Site"},
    {"pays", C::Text, 4, "Country"},
    {"gps", C::Text, 4, "GPS"},
    {"gpsSystem", C::Popup, 4, "GPS system", {}, &Epaves::gpsSystems()},
    {"acces", C::Popup, 4, "Access", {}, &Epaves::access()},
    {"accesBord", C::Switch, 4, "Boat access"},
    {"localisation", C::Popup, 4, "Localisation", {}, &Epaves::access()},
    {"interet", C::Slider, 4, "Interest", {}, nullptr, 5, "interet"},
    {"technicite", C::Slider, 4, "Difficulty", {}, nullptr, 5, "technicite"},
    {"aVisiter", C::Switch, 4, "To visit"},
    {"dateVisite", C::Date, 4, "First visit date"},
    {"relevement1", C::Text, 5, "Land mark 1"},
    {"relevement2", C::Text, 5, "Land mark 2"},
    {"relevement3", C::Text, 5, "Land mark 3"},
    {"photo", C::Image, 5, "Photo"},
    {"notes", C::Notes, 5, "Remarks"},
});

bool isDepth(std::size_t field) { return field == E::pointHaut || field == E::pointBas; }

std::string metres(float value) { return decimalText(value) + " m"; }

std::string ratingReadout(std::int32_t value) { return value == 0 ? "?" : integerText(value); }

}  // namespace

const RepEpaves& RepEpaves::instance() {
    static const RepEpaves spec;
    return spec;
}

const RegisterNames& RepEpaves::names() const { return kNames; }
std::span<const ColumnSpec> RepEpaves::columns() const { return kColumns; }

std::span<const std::string_view> RepEpaves::viewTitles() const {
    static constexpr std::string_view titles[] = {"View ship", "View bottom", "View history",
                                                  "View location", "View land marks"};
    return titles;
}
std::span<const FormControl> RepEpaves::controls() const { return kControls; }

void RepEpaves::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("longueur", std::string("-1"));
    form.assign("largeur", std::string("-1"));
    form.assign("pointHaut", std::string("-"));
    form.assign("pointBas", std::string("-"));
    form.assign("dateConstruction", std::string("--/--/----"));
    form.assign("dateNaufrage", std::string("--/--/----"));
    form.assign("gps", context.texts.text("Carnet", "GPS template"));
    form.assign("miseAJour", std::optional<Date>(context.now));
    form.assign("dateVisite", std::optional<Date>(context.now));
}

std::string RepEpaves::formText(const Record& record, std::size_t field) const {
    if (isDepth(field) && record.real(field) == -1.0f) return "-";
    return RegisterSpec::formText(record, field);
}

void RepEpaves::readFormText(Record& record, std::size_t field, const std::string& text) const {
    if (isDepth(field)) {
        // "-", an empty field and any negative depth mean "not given".
        const float depth = text == "-" ? -1.0f : readFloat(text).value_or(-1.0f);
        record.setReal(field, depth < 0 ? -1.0f : depth);
        return;
    }
    RegisterSpec::readFormText(record, field, text);
}

FormState RepEpaves::formState(const RegisterForm& form, Date /*now*/,
                               const Localisation& /*texts*/) const {
    FormState state;
    if (form.integer("orientationSwitch") != 1) state.disabled.insert("orientation");
    if (form.integer("aVisiter") == 1) state.hidden.insert("dateVisite");
    state.readouts["interet"] = {ratingReadout(form.integer("interet")), std::nullopt};
    state.readouts["technicite"] = {ratingReadout(form.integer("technicite")), std::nullopt};
    return state;
}

std::string RepEpaves::cellText(const Record& r, std::size_t field,
                                const Localisation& texts) const {
    switch (field) {
        case E::propulsion: return codeLabel(Epaves::propulsions(), r.integer(field), texts);
        case E::longueur: {
            const float length = r.real(field);
            if (!(length >= 1.0f)) return "-";
            char buf[48];
            std::snprintf(buf, sizeof buf, "%.1f m", static_cast<double>(length));
            return buf;
        }
        case E::pointHaut: {
            const float v = r.real(field);
            if (v == -1.0f) return "-";
            return v >= 0 ? metres(v) : decimalText(v);
        }
        case E::pointBas: {
            const float v = r.real(field);
            if (v == -1.0f) return "-";
            return v > 0 ? metres(v) : decimalText(v);
        }
        case E::interet:
        case E::technicite: {
            const CodeLabel* label = Epaves::ratings().find(r.integer(field));
            return label ? labelText(*label, texts) : std::string();
        }
        default: return RegisterSpec::cellText(r, field, texts);
    }
}

CellStyle RepEpaves::cellStyle(const Record& r, std::size_t field, Date /*now*/) const {
    CellStyle style;
    switch (field) {
        case E::nom:
            if (r.integer(E::aVisiter) == 1) style.text = colours::kRed;
            break;
        case E::interet:
            if (r.integer(E::technicite) != 0) style.text = colours::kBrown;
            break;
        case E::technicite:
            switch (r.integer(E::technicite)) {
                case 1: style.text = colours::kGreen; break;
                case 2: style.text = colours::kBlue; break;
                case 3: style.text = colours::kRed; break;
                case 4: style.text = colours::kPurple; break;
                default: break;
            }
            break;
        default: break;
    }
    return style;
}

void RepEpaves::writeCard(const Record& r, RegisterCardWriter& card) const {
    const Localisation& texts = card.texts();
    auto text = [&](std::string_view key, std::size_t field) { card.field(key, r.textOr(field)); };
    auto number = [&](std::string_view key, std::size_t field) {
        const auto& type = r.schema().fields[field].type;
        card.field(key, type == FieldType::Float ? decimalText(r.real(field))
                                                 : integerText(r.integer(field)));
    };
    // Code 0 reads "N/A"; a code the table does not know shows nothing.
    auto coded = [&](std::string_view key, std::size_t field, const CodeList& codes) {
        const std::int32_t code = r.integer(field);
        const CodeLabel* label = codes.find(code);
        card.field(key, label ? labelText(*label, texts) : (code == 0 ? "N/A" : ""));
    };

    text("Wreck name", E::nom);
    card.heading("Characteristics");
    text("Wreck type", E::type);
    text("Wreck registration", E::immatriculation);
    number("Wreck length", E::longueur);
    number("Wreck wide", E::largeur);
    number("Wreck tonnage", E::jauge);
    coded("Wreck material", E::materiau, Epaves::materials());
    coded("Wreck propulsion", E::propulsion, Epaves::propulsions());
    text("Wreck type machine", E::typeMachine);
    text("Wreck power", E::puissance);
    // A depth not given reads "-", as in the table and the form, with no unit.
    auto depth = [&](std::string_view key, std::size_t field) {
        if (r.real(field) == -1.0f) return card.field(key, "-");
        number(key, field);
        card.label("Depth unit");
    };
    depth("High depth", E::pointHaut);
    depth("Low depth", E::pointBas);
    text("Bottom type", E::natureFond);
    if (r.integer(E::orientationSwitch) == 1) {
        number("Orientation", E::orientation);
        card.label("Degree");
    }
    coded("Inclination", E::inclinaison, Epaves::inclinations());

    card.heading("Historic");
    text("Wreck previous names", E::nomsPrecedents);
    text("Nationality", E::nationalite);
    text("Armateur", E::armateur);
    text("Build date", E::dateConstruction);
    text("Build location", E::lieuConstruction);
    text("Harbours", E::ports);
    text("Captain", E::capitaine);
    text("Crew", E::equipage);
    text("Cargo", E::chargement);
    text("From port", E::provenance);
    text("To port", E::destination);
    text("Ship wreck date", E::dateNaufrage);
    text("Ship wreck cause", E::causeNaufrage);
    card.field("Updated on", cardDate(r.date(E::miseAJour)));

    card.heading("Localisation title");
    text("Location", E::lieu);
    text("Site", E::site);
    text("Country", E::pays);
    text("GPS", E::gps);
    card.plain(" (");
    card.value(codeLabel(Epaves::gpsSystems(), r.integer(E::gpsSystem), texts));
    card.plain(")");

    coded("Access", E::acces, Epaves::access());
    coded("Localisation", E::localisation, Epaves::access());
    coded("Interest", E::interet, Epaves::ratings());
    coded("Difficulty", E::technicite, Epaves::ratings());

    card.heading("Land marks");
    text("Land mark 1", E::relevement1);
    text("Land mark 2", E::relevement2);
    text("Land mark 3", E::relevement3);
    card.field("First visit date", cardDate(r.date(E::dateVisite)));
    text("Remarks", E::notes);
}

}  // namespace divelog
