// The dive card's gas and equipment sections.

#include "dive/DiveCodes.h"
#include "dive/MixGas.h"
#include "logbook/DiveCard.h"
#include "logbook/DiveCardWriter.h"
#include "profile/CylinderUse.h"
#include "profile/ProfileModel.h"
#include "util/Numbers.h"

namespace divelog {

void DiveCard::Writer::gas() {
    header("Card Gas");
    const std::int32_t apparatus = d_.rebreather();
    const bool closed = DiveCodes::isClosedCircuit(apparatus);
    line("Card Scaphander");
    value(title(F::rebreather, apparatus));

    line(closed ? "Card Oxygen" : "Card Tank_1");
    cylinder(d_.alliageBloc(), d_.volumeBloc(), d_.pressionBloc(), d_.pressionDepart(),
             d_.pressionFin(), DiveCodes::gasLabel(d_.gaz(), d_.o2Mix(), d_.heMix(), t_));
    if (apparatus == 1) {
        line("Card Flow");
        value(format("%@ L/min.", {decimalText(d_.flow())}));
    }
    if (d_.volumeBloc_2() != 0) {
        line(closed ? "Card Diluent" : "Card Tank_2");
        cylinder(d_.alliageBloc_2(), d_.volumeBloc_2(), d_.pressionBloc_2(), d_.pressionDepart_2(),
                 d_.pressionFin_2(), MixGas::label(d_.o2Mix_2(), d_.heMix_2(), t_));
    }
    stagesAndBailout();
    // Counted sample by sample, so only a dive with a profile has it.
    if (const auto dose = oxygenOverProfile(d_, us_)) {
        line("Card Oxygen over profile");
        value(t_.format(kTable, "Card Oxygen over profile value", "CNS %.1f %%, OTU %.0f",
                        {dose->cnsPercent, dose->otu}));
    }
}

void DiveCard::Writer::cylinder(std::int32_t material, std::int32_t volume,
                                std::int32_t workingPressure, std::int32_t start, std::int32_t end,
                                const std::string& gasName) {
    out_.append(t_.format(kTable, "Card Cylinder", "\nerror !", {title(F::alliageBloc, material)}));
    value(integerText(volume));
    label("Card At");
    value(integerText(workingPressure));
    label("Card Tank pressure");
    const CylinderUse use = CylinderUse::of(volume, start, end);
    line("Card Start pressure");
    value(format("%@ bar.", {std::int64_t{start}}));
    line("Card End pressure");
    value(format("%@ bar.", {std::int64_t{end}}));
    line("Card Used pressure");
    value(format("%@ bar.", {std::int64_t{start} - end}));
    line("Card Available gas");
    value(format("%d litres", {use.available}));
    line("Card Breathed gas");
    value(format("%d litres", {use.used}));
    line("Card Used gas");
    value(gasName);
}

void DiveCard::Writer::stagesAndBailout() {
    bool titled = false;
    for (std::size_t k = 0; k < 3; ++k) {
        const auto start = std::get<std::int32_t>(d_.value(Plongee::kStageStart[k]));
        if (start < 1) continue;
        if (!titled) line("Card Ponies");
        titled = true;
        const auto end = std::get<std::int32_t>(d_.value(Plongee::kStageEnd[k]));
        // Stage k carries the gas of stop k, named as the stop lines name it.
        const auto o2 = std::get<std::int32_t>(d_.value(Plongee::kStopO2[k]));
        const auto he = std::get<std::int32_t>(d_.value(Plongee::kStopHe[k]));
        std::string gas = MixGas::label(o2, he, t_);
        if (gas.empty())
            gas = t_.format(kTable, "Stage gas percent", "%d %% O₂", {std::int64_t{o2}});
        value(t_.format(
            kTable, "Card Pony line", "\n   - Deco %d : %@ (%d-%d bar)",
            {static_cast<std::int64_t>(k + 1), gas, std::int64_t{start}, std::int64_t{end}}));
    }
    titled = false;
    for (std::size_t k = 0; k < 2; ++k) {
        const auto start = std::get<std::int32_t>(d_.value(Plongee::kBailoutStart[k]));
        if (start < 1) continue;
        if (!titled) line("Card Bail-out");
        titled = true;
        value(t_.format(kTable, "Card Bail-out line",
                        "\n   - Bail-out %d : %d %% O₂ - %d %% He (%d-%d bar)",
                        {static_cast<std::int64_t>(k + 1),
                         std::int64_t{std::get<std::int32_t>(d_.value(Plongee::kBailoutO2[k]))},
                         std::int64_t{std::get<std::int32_t>(d_.value(Plongee::kBailoutHe[k]))},
                         std::int64_t{start},
                         std::int64_t{std::get<std::int32_t>(d_.value(Plongee::kBailoutEnd[k]))}}));
    }
}

void DiveCard::Writer::equipment() {
    header("Card Equipment");
    line("Card Configuration");
    value(title(F::configuration, d_.configuration()));
    line("Card Suit");
    value(title(F::combinaison, d_.combinaison()));
    for (F item : Plongee::kEquipment) {
        const std::string text = d_.text(item);
        if (!text.empty()) value(t_.format(kTable, "Card Item", "\n   - %@", {text}));
    }
    line("Card Weight");
    value(format("%@ kg", {decimalText(d_.lestage())}));

    header("Card Notes");
    // The notes start below their title.
    const std::string notes = d_.notes().value_or(std::string());
    if (!notes.empty()) {
        out_.append("\n");
        value(notes);
    }
}

}  // namespace divelog
