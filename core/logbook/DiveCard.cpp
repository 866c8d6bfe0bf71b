// The dive card: what the diver reads of one dive, or of all of them.

#include "logbook/DiveCard.h"

#include <algorithm>
#include <cstdio>

#include "dive/DiveCodes.h"
#include "dive/MixGas.h"
#include "dive/Units.h"
#include "logbook/Carnet.h"
#include "logbook/DiveCardWriter.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

std::string twoDigits(int a, int b, char separator) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%c%02d", a, separator, b);
    return buf;
}

std::string dayText(const Plongee::When& date) {
    if (!date) return {};
    const DateParts p = localParts(*date);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", p.day, p.month, p.year);
    return buf;
}

std::string clockText(Date date) {
    const DateParts p = localParts(date);
    return twoDigits(p.hour, p.minute, ':');
}

const std::string& bulletLine() {
    static const std::string line = [] {
        std::string s = "\n\n";
        for (std::size_t i = 0; i < DiveCard::kSeparatorBullets; ++i) s += "\u2022";
        return s + "\n\n";
    }();
    return line;
}

}  // namespace

void DiveCard::append(const Plongee& dive, StyledText& out) const {
    Writer w(texts_, usUnits_, dive, out);
    w.general();
    w.conditions();
    w.parameters();
    w.gas();
    w.equipment();
}

StyledText DiveCard::build(const Carnet& carnet, Scope scope,
                           std::optional<std::size_t> selectedRow) const {
    StyledText out;
    if (scope == Scope::AllDives) {
        appendRows(carnet, 0, carnet.recordCount(), out);
    } else if (selectedRow && *selectedRow < carnet.recordCount()) {
        append(carnet.dive(*selectedRow), out);
    }
    return out;
}

void DiveCard::appendRows(const Carnet& carnet, std::size_t first, std::size_t last,
                          StyledText& out) const {
    last = std::min(last, carnet.recordCount());
    for (std::size_t i = first; i < last; ++i) {
        if (i > 0) out.append(bulletLine());
        append(carnet.dive(i), out);
    }
}

std::string DiveCard::Writer::title(F field, std::int32_t code) const {
    return DiveCodes::title(field, code, t_);
}

std::string DiveCard::Writer::length(float typed) const {
    // As the form shows it: 34.3, never the 34.2999992 a double makes of it.
    return format(us_ ? "%@ ft" : "%@ m", {decimalText(typed)});
}

void DiveCard::Writer::general() {
    label("Card Dive number");
    value(integerText(d_.noPlongee()));
    header("Card General");

    // The day is a value within its label, wherever the translation puts it.
    const std::string date = t_.text(kTable, "Card Date", "\nerror !");
    const std::size_t at = date.find("%@");
    if (at == std::string::npos) {
        out_.append(date);
    } else {
        out_.append(std::string_view(date).substr(0, at));
        value(formatText(std::string_view(date).substr(at), {dayText(d_.date())}));
    }

    line("Card Location");
    value(d_.lieu());
    line("Card Site");
    value(d_.site());
    optionalLine("Card Pays", d_.pays());
    // The form proposes a template position; only one the diver typed is told.
    const std::string gps = d_.gps().value_or(std::string());
    if (!gps.empty() && gps != t_.text(kTable, "GPS template", "error !")) {
        out_.append(
            t_.format(kTable, "Card GPS", "\nerror !", {title(F::gpsSystem, d_.gpsSystem())}));
        value(gps);
    }

    line("Card Tide coefficient");
    value(d_.coeff() > 0 ? integerText(d_.coeff()) : std::string("-"));
    const CodeMeaning* tide = DiveCodes::meaning(F::pmBm, d_.pmBm());
    if (tide && !tide->notGiven) value(format(" (%@)", {title(F::pmBm, d_.pmBm())}));

    optionalLine("Card Wrecks", d_.epaves());
    optionalLine("Card Buddies", d_.partenaires());
    optionalLine("Card Structure", d_.structure());
    optionalLine("Card Boat", d_.bateau());
}

void DiveCard::Writer::conditions() {
    header("Card Conditions");
    line("Card Weather");
    value(title(F::meteo, d_.meteo()));

    line("Card Wind");
    const std::int32_t force = d_.ventForce(), direction = d_.ventSecteur();
    if (force == 1) {
        value(title(F::ventForce, force));
    } else if (force >= 2 || direction != 0) {
        // A direction without a force is still worth telling.
        label("Card Wind sector");
        value(title(F::ventSecteur, direction));
        if (force >= 2) {
            label("Card Wind force");
            value(integerText(force - 1));
        }
    } else {
        value(title(F::ventSecteur, 0));
    }

    line("Card Current");
    value(title(F::courant, d_.courant()));
    line("Card Visibility");
    value(title(F::visibilite, d_.visibilite()));
    const char* degrees = us_ ? "%@ °F" : "%@ °C";
    if (d_.tempEau() != units::kNoTemperature) {
        line("Card Water temperature");
        value(format(degrees, {std::int64_t{d_.tempEau()}}));
    }
    if (d_.tempAir() != units::kNoTemperature) {
        line("Card Air temperature");
        value(format(degrees, {std::int64_t{d_.tempAir()}}));
    }
    // The legacy dive type 2 has no name and no line.
    if (const std::string type = title(F::typePlongee, d_.typePlongee()); !type.empty()) {
        line("Card Dive type");
        value(type);
    }
    if (d_.nocturne() == 1) value(t_.text(kTable, "Card Night", "error !"));

    line("Card Difficulty level");
    // One mark more than the level; a corrupt level draws at most six.
    const int marks = std::clamp(d_.difficulte(), 0, 5) + 1;
    const std::string mark = t_.text("Main", "Cotation 1", "error !");
    for (int i = 0; i < marks; ++i) value(mark);
}

void DiveCard::Writer::parameters() {
    header("Card Parameters");
    line("Card Depth");
    value(length(d_.profondeur()));
    line("Card Time");
    value(format("%@ min.", {std::int64_t{d_.temps()}}));
    line("Card Surface");
    value(d_.surface());
    if (d_.heure()) {
        line("Card Start time");
        value(clockText(*d_.heure()));
        line("Card End time");
        value(clockText(Date{d_.heure()->seconds + 60.0 * d_.temps()}));
    }
    line("Card Altitude");
    value(length(d_.altitude()));
    decompression();
}

void DiveCard::Writer::decompression() {
    line("Card Decompression");
    const std::int32_t method = d_.deco();
    value(title(F::deco, method));
    if (method == 0 && !d_.ordinateur().value_or(std::string()).empty()) {
        label("Card Computer");
        value(d_.ordinateur());
    } else if (method == 3) {
        line("Card Deco soft name");
        value(d_.decoSoftName());
        line("Card Deco algorythm type");
        value(d_.decoAlgoType());
        line("Card Deco conservatism");
        value(d_.decoConservatism());
        line("Card Detail runtime");
        value(d_.runtime());
    }
    for (std::size_t k = 0; k < 5; ++k) {
        const auto time = std::get<std::int32_t>(d_.value(Plongee::kStopTime[k]));
        if (time <= 0) continue;
        const auto depth = std::get<float>(d_.value(Plongee::kStopDepth[k]));
        const auto o2 = std::get<std::int32_t>(d_.value(Plongee::kStopO2[k]));
        const auto he = std::get<std::int32_t>(d_.value(Plongee::kStopHe[k]));
        const std::string gas = MixGas::label(o2, he, t_);
        value(t_.format(kTable, us_ ? "Card stop feet" : "Card stop metres",
                        us_ ? "\n   - %.1f ft : %d min. - %@" : "\n   - %.1f m : %d min. - %@",
                        {static_cast<double>(depth), std::int64_t{time},
                         gas.empty() ? std::string() : format("(%@)", {gas})}));
    }
}

}  // namespace divelog
