#include "registers/MaintComp.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "localisation/Localisation.h"
#include "registers/ClockDuration.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using K = Compresseur;
using C = ControlKind;

const RegisterNames kNames{"newService",
                           "addService",
                           "insertService",
                           "updateService",
                           "deleteService",
                           "ajouterComp",
                           "insererComp",
                           "validerComp",
                           "supprimerComp",
                           "serviceTableViewWindowToolbar",
                           "serviceEditWindowToolbar",
                           RegisterNames::SaveInEdit::Both};

const auto kColumns = std::to_array<ColumnSpec>({
    {"date", "Date", 80},
    {"temps", "Time", 90},
    {"cumulTemps", "Sum time", 85},
    {"vidange", "Column vidange", 45},
    {"filtreAir", "Column filtreAir", 75},
    {"cartouche", "Column cartouche", 75},
    {"charbon", "Column charbon", 70},
    {"alumine", "Column alumine", 65},
    {"tamis", "Column tamis", 50},
    {"depoussierage", "Column depoussierage", 70},
    {"controles", "Column controles", 60},
    {"soupapes", "Column soupapes", 70},
    {"anHuile", "Column anHuile", 80},
    {"anCO2", "Column anCO2", 80},
    {"anCO", "Column anCO", 80},
    {"anH2O", "Column anH2O", 80},
});

// "-" for an analysis not made; a measure is never negative.
constexpr NumberTyping kAnalysis{.decimals = true, .dashForNone = true, .maxDigits = 6};

// Views: 1 the compressor and the service, 2 operations, 3 analyses and remarks.
const auto kControls = std::to_array<FormControl>({
    {"marque", C::Text, 1, "Trade mark"},
    {"modele", C::Text, 1, "Model"},
    {"cumulTemps", C::Text, 1, "Sum time"},
    {"date", C::Date, 1, "Date"},
    {"temps", C::Duration, 1, "Time"},
    {"vidange", C::Switch, 2, "Oil change"},
    {"typeHuile", C::Popup, 2, "Oil type", {}, &Compresseur::oilTypes()},
    {"filtreAir", C::Switch, 2, "Air filter"},
    {"operationFiltre", C::Popup, 2, "Filter operation", {}, &Compresseur::filterOperations()},
    {"cartouche", C::Switch, 2, "Cartridge changed"},
    {"charbon", C::Switch, 2, "Charcoal changed"},
    {"alumine", C::Switch, 2, "Alumina changed"},
    {"tamis", C::Switch, 2, "Sieve changed"},
    {"depoussierage", C::Switch, 2, "Dust cleaning"},
    {"controles", C::Switch, 2, "Checks done"},
    {"soupapes", C::Switch, 2, "Safety valves"},
    {"intSoupape", C::Popup, 2, "Valve operation", {}, &Compresseur::valveOperations()},
    typed({"anHuile", C::Number, 3, "Oil analysis"}, kAnalysis),
    typed({"anCO2", C::Number, 3, "Analyse CO2"}, kAnalysis),
    {"anCO2Unit", C::Popup, 3, "CO2 unit", {}, &Compresseur::units()},
    typed({"anCO", C::Number, 3, "Analyse CO"}, kAnalysis),
    {"anCOUnit", C::Popup, 3, "CO unit", {}, &Compresseur::units()},
    typed({"anH2O", C::Number, 3, "Water analysis"}, kAnalysis),
    {"notes", C::Notes, 3, "Remarks"},
});

constexpr std::array<std::size_t, 7> kChecked = {
    K::vidange, K::cartouche, K::charbon, K::alumine, K::tamis, K::depoussierage, K::controles};

bool isChecked(std::size_t field) {
    return std::find(kChecked.begin(), kChecked.end(), field) != kChecked.end();
}

bool isAnalysis(std::size_t field) {
    return field == K::anHuile || field == K::anCO2 || field == K::anCO || field == K::anH2O;
}

// Only an analysis of 0 or more was measured; older files may hold any negative.
bool measured(float value) { return value >= 0; }

bool inPpm(const Record& r, std::size_t field) {
    return r.integer(field == K::anCO2 ? K::anCO2Unit : K::anCOUnit) == 1;
}

}  // namespace

const MaintComp& MaintComp::instance() {
    static const MaintComp spec;
    return spec;
}

const RegisterNames& MaintComp::names() const { return kNames; }
std::span<const ColumnSpec> MaintComp::columns() const { return kColumns; }

std::span<const std::string_view> MaintComp::viewTitles() const {
    static constexpr std::string_view titles[] = {"View service", "View operations",
                                                  "View analyses"};
    return titles;
}
std::span<const FormControl> MaintComp::controls() const { return kControls; }

void MaintComp::blank(RegisterForm& form, const BlankContext& context) const {
    form.assign("date", std::optional<Date>(context.now));
    // A running time not given yet is no time at all.
    form.assign("temps", std::optional<Date>(ClockDuration{}.date()));
    for (auto f : {"anHuile", "anCO2", "anCO", "anH2O"}) form.assign(f, std::string("-"));
}

std::string MaintComp::formText(const Record& record, std::size_t field) const {
    if (isAnalysis(field) && !measured(record.real(field))) return "-";
    return RegisterSpec::formText(record, field);
}

void MaintComp::readFormText(Record& record, std::size_t field, const std::string& text) const {
    if (isAnalysis(field)) {
        // "-", an empty or unreadable text and any negative value mean "not
        // measured": none may show on the card as a measure.
        const std::optional<float> v = text == "-" ? std::nullopt : readFloat(text);
        record.setReal(field, v && measured(*v) ? *v : Compresseur::kNotMeasured);
        return;
    }
    RegisterSpec::readFormText(record, field, text);
}

FormState MaintComp::formState(const RegisterForm& form, Date /*now*/,
                               const Localisation& /*texts*/) const {
    FormState state;
    if (form.integer("vidange") != 1) state.disabled.insert("typeHuile");
    if (form.integer("filtreAir") != 1) state.disabled.insert("operationFiltre");
    if (form.integer("soupapes") != 1) state.disabled.insert("intSoupape");
    if (form.integer("cartouche") == 1)
        for (auto f : {"charbon", "alumine", "tamis"}) state.disabled.insert(f);
    return state;
}

std::string MaintComp::cellText(const Record& r, std::size_t field,
                                const Localisation& texts) const {
    if (isChecked(field)) return r.integer(field) == 1 ? texts.text("Main", "Check") : "";
    if (isAnalysis(field)) {
        const float v = r.real(field);
        if (!measured(v)) return "-";
        const char* format = "%@ ml/m³";
        if (field == K::anHuile) format = "%@ mg/m³";
        if ((field == K::anCO2 || field == K::anCO) && inPpm(r, field)) format = "%@ ppm";
        return formatText(format, {decimalText(v)});
    }
    switch (field) {
        case K::filtreAir:
            if (r.integer(field) != 1) return "";
            return texts.text("Compresseur", r.integer(K::operationFiltre) == 1
                                                 ? "TableView replacement"
                                                 : "TableView cleaning");
        case K::soupapes:
            if (r.integer(field) != 1) return "";
            return texts.text("Compresseur", r.integer(K::intSoupape) == 1
                                                 ? "TableView retarage"
                                                 : "TableView verification");
        case K::temps: return durationText(r.date(field));
        default: return RegisterSpec::cellText(r, field, texts);
    }
}

CellStyle MaintComp::cellStyle(const Record& /*r*/, std::size_t field, Date /*now*/) const {
    CellStyle style;
    if (isChecked(field)) style.text = colours::kGreen;
    return style;
}

void MaintComp::writeCardHead(const RegisterDocument& document, RegisterCardWriter& card) const {
    // The compressor is the one of the first service.
    if (document.recordCount() > 0) {
        const Record& first = document.record(0);
        card.field("Trade mark", first.textOr(K::marque));
        card.field("Model", first.textOr(K::modele));
    }
    card.plain("\r\r------------------------------\r");
}

void MaintComp::writeCard(const Record& r, RegisterCardWriter& card) const {
    auto on = [&](std::size_t field) { return r.integer(field) == 1; };
    card.field("Service", integerText(static_cast<std::int64_t>(card.row()) + 1) + "\r");
    card.field("Date", cardDate(r.date(K::date)));
    std::string time;
    if (r.date(K::temps)) {
        const ClockDuration d = ClockDuration::of(*r.date(K::temps));
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02d h %02d min.", d.hours, d.minutes);
        time = buf;
    }
    card.field("Time", time);
    card.field("Sum time", r.textOr(K::cumulTemps));

    card.heading("Operations");
    if (on(K::vidange)) card.label(on(K::typeHuile) ? "Vidange synthesis" : "Vidange mineral");
    if (on(K::filtreAir))
        card.label(on(K::operationFiltre) ? "Filter replacement" : "Filter cleaning");
    if (on(K::cartouche)) {
        card.label("Cardridge");
    } else {
        if (on(K::charbon)) card.label("Charcoal");
        if (on(K::alumine)) card.label("Alumin");
        if (on(K::tamis)) card.label("Molecular mesh");
    }
    if (on(K::depoussierage)) card.label("Cleaning");
    if (on(K::controles)) card.label("Controls");
    if (on(K::soupapes)) {
        card.label("Valves");
        card.label(on(K::intSoupape) ? "Retarage" : "Verification");
    }

    card.heading("Analyzes");
    auto analysis = [&](std::string_view key, std::size_t field) {
        const float v = r.real(field);
        if (!measured(v)) return;
        card.field(key, decimalText(v) + " ");
        if ((field == K::anCO2 || field == K::anCO) && inPpm(r, field))
            card.plain("ppm");
        else
            card.label(field == K::anHuile ? "mg/m3" : "ml/m3");
    };
    analysis("Analyse huile", K::anHuile);
    analysis("Analyse CO2", K::anCO2);
    analysis("Analyse CO", K::anCO);
    analysis("Analyse H2O", K::anH2O);
    card.field("Remarks", r.textOr(K::notes));
}

}  // namespace divelog
