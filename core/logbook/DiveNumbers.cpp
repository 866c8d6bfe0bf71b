#include "logbook/DiveNumbers.h"

#include <cmath>

#include "dive/Units.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "util/Numbers.h"

namespace divelog {

namespace {

using F = Plongee::Field;

// A number field's row: the key of its name in messages, its rule, and its
// range under "us units" where that differs (feet, degrees Fahrenheit).
struct Row {
    F field;
    std::string_view label;
    NumberRule metric;
    std::optional<std::pair<double, double>> us = std::nullopt;
};

// Whole numbers from 0; decimals from 0; a depth in metres or feet.
constexpr NumberRule whole(double max, int digits) { return {false, false, false, digits, 0, max}; }
constexpr NumberRule decimal(double max, int digits) {
    return {true, false, false, digits, 0, max};
}
constexpr double kDeepest = 400;  // metres: beyond any dive a logbook records
constexpr std::pair<double, double> kDeepestFeet{0, 1312};

// clang-format off
const Row kRows[] = {
    {F::noPlongee, "Field dive number", whole(999999, 6)},
    {F::coeff, "Field tidal coefficient", {false, false, true, 3, 20, 120}},
    {F::tempEau, "Field water temperature", {false, true, true, 3, -5, 40}, std::pair{23.0, 104.0}},
    {F::tempAir, "Field air temperature", {false, true, true, 3, -50, 60}, std::pair{-58.0, 140.0}},
    {F::profondeur, "Field maximum depth", decimal(kDeepest, 4), kDeepestFeet},
    {F::temps, "Field dive time", whole(1440, 4)},
    {F::altitude, "Field altitude", whole(4000, 5), std::pair{0.0, 13123.0}},
    {F::flow, "Field gas flow", decimal(100, 3)},
    {F::lestage, "Field weight", decimal(100, 3), std::pair{0.0, 220.0}},
    {F::volumeBloc, "Field cylinder volume", whole(100, 3)},
    {F::volumeBloc_2, "Field cylinder 2 volume", whole(100, 3)},
    {F::pressionBloc, "Field working pressure", whole(450, 3)},
    {F::pressionBloc_2, "Field cylinder 2 working pressure", whole(450, 3)},
    {F::pressionDepart, "Field start pressure", whole(450, 3)},
    {F::pressionDepart_2, "Field cylinder 2 start pressure", whole(450, 3)},
    {F::pressionFin, "Field end pressure", whole(450, 3)},
    {F::pressionFin_2, "Field cylinder 2 end pressure", whole(450, 3)},
    {F::o2Mix, "Field oxygen", whole(100, 3)},
    {F::o2Mix_2, "Field cylinder 2 oxygen", whole(100, 3)},
    {F::heMix, "Field helium", whole(86, 3)},
    {F::heMix_2, "Field cylinder 2 helium", whole(86, 3)},
    {F::volPony1, "Field stage 1 volume", whole(100, 3)},
    {F::volPony2, "Field stage 2 volume", whole(100, 3)},
    {F::volPony3, "Field stage 3 volume", whole(100, 3)},
    {F::pressDepartPony1, "Field stage 1 start pressure", whole(450, 3)},
    {F::pressDepartPony2, "Field stage 2 start pressure", whole(450, 3)},
    {F::pressDepartPony3, "Field stage 3 start pressure", whole(450, 3)},
    {F::pressFinPony1, "Field stage 1 end pressure", whole(450, 3)},
    {F::pressFinPony2, "Field stage 2 end pressure", whole(450, 3)},
    {F::pressFinPony3, "Field stage 3 end pressure", whole(450, 3)},
    {F::volBailout1, "Field bail-out 1 volume", whole(100, 3)},
    {F::volBailout2, "Field bail-out 2 volume", whole(100, 3)},
    {F::pressDepartBailout1, "Field bail-out 1 start pressure", whole(450, 3)},
    {F::pressDepartBailout2, "Field bail-out 2 start pressure", whole(450, 3)},
    {F::pressFinBailout1, "Field bail-out 1 end pressure", whole(450, 3)},
    {F::pressFinBailout2, "Field bail-out 2 end pressure", whole(450, 3)},
    {F::O2Bailout1, "Field bail-out 1 oxygen", whole(100, 3)},
    {F::O2Bailout2, "Field bail-out 2 oxygen", whole(100, 3)},
    {F::HeBailout1, "Field bail-out 1 helium", whole(100, 3)},
    {F::HeBailout2, "Field bail-out 2 helium", whole(100, 3)},
};
// clang-format on

const Row* rowOf(F field) {
    for (const Row& r : kRows)
        if (r.field == field) return &r;
    // The five stops share their rows.
    auto in = [field](const auto& family) {
        for (F f : family)
            if (f == field) return true;
        return false;
    };
    static const Row stopDepth{F::decoDepth_Level_1, "Field stop depth", decimal(kDeepest, 3),
                               kDeepestFeet};
    static const Row stopTime{
        F::decoTime_Level_1, "Field stop time", {false, false, true, 3, 0, 999}};
    static const Row stopO2{
        F::decoO2_Level_1, "Field stop oxygen", {false, false, true, 3, 0, 100}};
    static const Row stopHe{F::decoHe_Level_1, "Field stop helium", whole(100, 3)};
    if (in(Plongee::kStopDepth)) return &stopDepth;
    if (in(Plongee::kStopTime)) return &stopTime;
    if (in(Plongee::kStopO2)) return &stopO2;
    if (in(Plongee::kStopHe)) return &stopHe;
    return nullptr;
}

// The other gas of a mix: oxygen and helium share the whole of it.
std::optional<F> partnerOf(F field) {
    const std::pair<F, F> pairs[] = {{F::o2Mix, F::heMix},
                                     {F::o2Mix_2, F::heMix_2},
                                     {F::O2Bailout1, F::HeBailout1},
                                     {F::O2Bailout2, F::HeBailout2}};
    for (auto [o2, he] : pairs) {
        if (field == o2) return he;
        if (field == he) return o2;
    }
    for (std::size_t k = 0; k < 5; ++k) {
        if (field == Plongee::kStopO2[k]) return Plongee::kStopHe[k];
        if (field == Plongee::kStopHe[k]) return Plongee::kStopO2[k];
    }
    return std::nullopt;
}

std::string rangeMessage(const Row& row, const NumberRule& rule, const Localisation& texts) {
    const std::string label = texts.text("Carnet", row.label, row.label);
    return texts.format("Carnet", rule.decimals ? "Number range decimal" : "Number range whole",
                        "%@: %@ to %@", {label, decimalText(rule.min), decimalText(rule.max)});
}

}  // namespace

std::optional<NumberRule> DiveNumbers::rule(F field, bool usUnits) {
    const Row* row = rowOf(field);
    if (!row) return std::nullopt;
    NumberRule r = row->metric;
    if (usUnits && row->us) std::tie(r.min, r.max) = *row->us;
    return r;
}

std::optional<NumberRule> DiveNumbers::rule(std::string_view control, bool usUnits) {
    if (control == "n2Mix" || control == "n2Mix_2")
        return NumberRule{false, true, false, 3, -100, 100};
    const auto field = Plongee::fieldNamed(control);
    return field ? rule(*field, usUnits) : std::nullopt;
}

DiveNumbers::Check DiveNumbers::check(const DiveForm& form, F field, std::string_view text,
                                      bool usUnits, const Localisation& texts) {
    Check out;
    const Row* row = rowOf(field);
    const auto rule = DiveNumbers::rule(field, usUnits);
    if (!row || !rule || text.empty()) return out;
    out.verdict = checkNumberText(*rule, text);
    if (out.verdict != Verdict::Acceptable) {
        out.message = rangeMessage(*row, *rule, texts);
        return out;
    }
    const auto value = readDecimal(text);
    if (!value) return out;  // "-": not given
    // Oxygen and helium of one mix make at most the whole of it.
    if (const auto other = partnerOf(field)) {
        const auto partner = readDecimal(form.text(*other));
        if (partner && *partner + *value > 100) {
            out.verdict = Verdict::Invalid;
            out.message = texts.text("Carnet", "Mix over 100",
                                     "Oxygen and helium make at most 100 % of a mix");
        }
    }
    return out;
}

std::optional<DiveNumbers::Refusal> DiveNumbers::refusal(const DiveForm& form, bool usUnits,
                                                         const Localisation& texts) {
    for (std::size_t i = 0; i < Plongee::fields().size(); ++i) {
        const auto field = static_cast<F>(i);
        if (!rowOf(field) ||
            DiveForm::kindOf(Plongee::nameOf(field)) != DiveForm::ControlKind::Text)
            continue;
        const Check c = check(form, field, form.text(field), usUnits, texts);
        if (c.verdict != Verdict::Acceptable) return Refusal{field, c.message};
    }
    return std::nullopt;
}

}  // namespace divelog
