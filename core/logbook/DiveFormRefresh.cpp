// The read-outs and enabling that follow what the form shows. The figures
// come from the same analysis a stored dive gets, fed with the form's fields.

#include <algorithm>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "dive/MixGas.h"
#include "dive/Units.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "profile/DiveAnalysis.h"
#include "profile/OxygenExposure.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {
using F = Plongee::Field;

constexpr std::string_view kTable = "Carnet";
constexpr std::string_view kFallback = "error !";
// Keys that are also their own text where no translation is loaded.
constexpr std::string_view kStageTitle = "Stage title metres";
constexpr std::string_view kStageTitleFeet = "Stage title feet";
constexpr std::string_view kVolumes = "Volume disponible : %d L\rVolume consommé : %d L";

}  // namespace

void DiveForm::balanceMix() {
    std::int64_t o2 = intValue(F::o2Mix), he = intValue(F::heMix);
    switch (tag(F::gaz)) {
        case gas::kNitrox:
            put(F::heMix, std::string("0"));
            putNitrogen(1, 100 - o2);
            break;
        case gas::kHeliox:
            putNitrogen(1, 0);
            put(F::heMix, integerText(100 - o2));
            break;
        default: putNitrogen(1, 100 - o2 - he); break;
    }
    // Cylinder 2 is never rebalanced; its nitrogen is only shown.
    putNitrogen(2, 100 - std::int64_t{intValue(F::o2Mix_2)} - intValue(F::heMix_2));
}

void DiveForm::refreshCylinders(FormReadouts& r, const Localisation& loc, bool usUnits) const {
    // Stage k carries the gas of stop k, needed as long as a later stop is made;
    // its gas is named as the card names it.
    for (std::size_t k = 0; k < 3; ++k) {
        bool needed = false;
        for (std::size_t s = k; s < 5; ++s) needed = needed || switchOn(Plongee::kStopSwitch[s]);
        if (!needed) continue;
        const std::int64_t o2 = intValue(Plongee::kStopO2[k]), he = intValue(Plongee::kStopHe[k]);
        std::string gas = MixGas::label(o2, he, loc);
        if (gas.empty()) gas = loc.format(kTable, "Stage gas percent", "%d %% O₂", {o2});
        r.stages[k].title = loc.format(kTable, usUnits ? kStageTitleFeet : kStageTitle,
                                       usUnits ? "Stage %d: %d ft - %@" : "Stage %d: %d m - %@",
                                       {static_cast<std::int64_t>(k + 1),
                                        std::int64_t{intValue(Plongee::kStopDepth[k])}, gas});
    }
    auto fill = [&](CylinderReadout& out, F volume, F start, F end) {
        out.use = CylinderUse::of(intValue(volume), intValue(start), intValue(end));
        out.text = out.use.present
                       ? loc.format(kTable, kVolumes, kVolumes, {out.use.available, out.use.used})
                       : std::string();
    };
    for (std::size_t k = 0; k < 3; ++k)
        fill(r.stages[k], Plongee::kStageVolume[k], Plongee::kStageStart[k], Plongee::kStageEnd[k]);
    for (std::size_t k = 0; k < 2; ++k)
        fill(r.bailouts[k], Plongee::kBailoutVolume[k], Plongee::kBailoutStart[k],
             Plongee::kBailoutEnd[k]);
}

void DiveForm::refreshOxygenExposure(FormReadouts& r, bool usUnits) const {
    OxygenInputs in;
    in.bottomO2Percent = decimalValue(F::o2Mix);
    in.maxDepthMetres = r.profile.points >= 2
                            ? double{r.profile.maxDepth}
                            : units::metresOfTypedDepth(decimalValue(F::profondeur), usUnits);
    in.apparatus = tag(F::rebreather);
    in.setPointCode = tag(F::ppO2);
    for (std::size_t k = 0; k < 5; ++k)
        in.stops[k] = {switchOn(Plongee::kStopSwitch[k]), decimalValue(Plongee::kStopO2[k]),
                       units::metresOfTypedDepth(decimalValue(Plongee::kStopDepth[k]), usUnits)};
    r.oxygen = OxygenExposure{};
    r.oxygen.highestPpO2 = highestPpO2(in);
    r.oxygen.diveTime = decimalValue(F::temps);
    r.oxygen.cnsPercent = diveCns(r.oxygen.highestPpO2, r.oxygen.diveTime);
}

void DiveForm::refreshProfileModel(FormReadouts& r, const RefreshContext& ctx, bool usUnits) {
    DiveGases::Typed typed;
    typed.gas = tag(F::gaz);
    typed.gas2 = tag(F::gaz_2);
    typed.apparatus = tag(F::rebreather);
    typed.setPointCode = tag(F::ppO2);
    typed.o2 = decimalValue(F::o2Mix);
    typed.he = decimalValue(F::heMix);
    typed.o2Cylinder2 = decimalValue(F::o2Mix_2);
    typed.heCylinder2 = decimalValue(F::heMix_2);
    for (std::size_t k = 0; k < 5; ++k) {
        typed.stopO2[k] = decimalValue(Plongee::kStopO2[k]);
        typed.stopHe[k] = decimalValue(Plongee::kStopHe[k]);
    }
    ModelInputs in;
    in.gases = DiveGases::of(typed);
    in.surfaceBar =
        surfacePressureAt(units::metresOfTypedDepth(decimalValue(F::altitude), usUnits));
    in.samplingSeconds = DiveCodes::samplingSeconds(tag(F::samplingRate)).value_or(10);
    in.gf = GradientFactors::read(ctx.settings);

    // A dive not yet stored comes after every stored one of its day and minute.
    const DiveStart start{date(F::date), date(F::heure), text(F::surface),
                          ctx.selectedRow.value_or(ctx.logbook.size())};
    r.tissueStart = TissueStart::of(start, in.surfaceBar, ctx.logbook, ctx.selectedRow, usUnits);
    in.start = r.tissueStart.tissues;
    r.model = model_.get(profile_, in);
    r.modelText = ProfileModelText::of(*r.model, r.tissueStart, ctx.localisation);
}

ProfileChartData DiveForm::profileChartData() const {
    ProfileChartData d;
    d.series = profile_;
    d.fracO2 = intValue(F::o2Mix);
    d.setPointCode = tag(F::ppO2);
    for (std::size_t k = 0; k < 5; ++k) d.decoO2[k] = intValue(Plongee::kStopO2[k]);
    d.pressDepart = intValue(F::pressionDepart);
    d.pressFin = intValue(F::pressionFin);
    d.samplingCode = tag(F::samplingRate);
    d.model = readouts_.model;
    return d;
}

FormReadouts DiveForm::refresh(const RefreshContext& ctx) {
    const Localisation& loc = ctx.localisation;
    const bool us = ctx.settings.boolForKey("us units");
    FormReadouts r = readouts_;

    r.diveCount = ctx.diveCount == 1 ? loc.text(kTable, "One dive")
                                     : loc.format(kTable, "Total dives", kFallback,
                                                  {static_cast<std::int64_t>(ctx.diveCount)});
    r.previousEnabled = ctx.selectedRow && *ctx.selectedRow >= 1;
    r.nextEnabled = ctx.selectedRow && *ctx.selectedRow + 1 < ctx.diveCount;

    const std::int32_t apparatus = tag(F::rebreather);
    if (apparatus == 2 || apparatus == 3) {
        r.cylinder1Title = "OXYGÈNE :";
        r.cylinder2Title = "DILUANT :";
        r.setPointTitle = "Setpoint :";
        put(F::o2Mix, std::string("100"));
    } else if (apparatus == 0 || apparatus == 1) {
        r.cylinder1Title = "Bloc principal :";
        r.cylinder2Title = "Bloc secondaire :";
        r.setPointTitle = loc.text(kTable, "PpO2");
    }

    r.setPointEnabled = DiveCodes::isClosedCircuit(apparatus);

    // Heliox's helium is what its oxygen leaves: nothing to type.
    auto heliumGas = [](std::int32_t code) {
        return gas::breathesHelium(code) && code != gas::kHeliox;
    };
    r.flowEnabled = apparatus == 1;
    r.heliumEnabled = heliumGas(tag(F::gaz));
    r.oxygenEnabled = tag(F::gaz) != gas::kAir;
    r.helium2Enabled = heliumGas(tag(F::gaz_2));
    r.oxygen2Enabled = tag(F::gaz_2) != gas::kAir;

    r.planningDetailsEnabled = tag(F::deco) == 3;
    r.stageButtonEnabled = false;
    for (F sw : Plongee::kStopSwitch) r.stageButtonEnabled = r.stageButtonEnabled || switchOn(sw);
    r.bailoutButtonEnabled = apparatus >= 1 && apparatus <= 3;

    refreshCylinders(r, loc, us);

    // Used pressures, then the profile summary, then what depends on both:
    // oxygen exposure and consumption.
    const F starts[] = {F::pressionDepart, F::pressionDepart_2};
    const F ends[] = {F::pressionFin, F::pressionFin_2};
    for (std::size_t c = 0; c < 2; ++c) {
        r.usedPressure[c] = std::int64_t{intValue(starts[c])} - intValue(ends[c]);
        r.usedPressureText[c] =
            loc.format(kTable, "Delta pressure", kFallback, {r.usedPressure[c]});
    }

    balanceMix();
    r.profile = ProfileSummary::of(profile_);
    r.profileText = ProfileSummaryText::of(r.profile, tag(F::samplingRate), loc);
    refreshOxygenExposure(r, us);
    r.oxygen.text = r.oxygen.cnsPercent ? loc.format(kTable, "CNS", "N/A",
                                                     {*r.oxygen.highestPpO2, *r.oxygen.cnsPercent})
                                        : loc.text(kTable, "CNS N/A", "N/A");
    if (ctx.profileModel) {
        refreshProfileModel(r, ctx, us);
    } else {
        r.model.reset();
        r.modelText = {};
        r.tissueStart = {};
    }

    r.gasSummary = DiveCodes::gasLabel(tag(F::gaz), intValue(F::o2Mix), intValue(F::heMix), loc);

    r.gas = GasConsumption::of(intValue(F::pressionDepart), intValue(F::pressionFin),
                               intValue(F::temps), intValue(F::volumeBloc), r.profile);
    r.consumption = r.gas.text(loc, us);
    // The statistics cover the whole logbook and are the caller's next step.

    const std::int64_t number = intValue(F::noPlongee);
    // A form whose number was erased is a dive to come, not dive 0.
    r.windowTitle = text(F::noPlongee).empty()
                        ? loc.text(kTable, "New dive", "New dive")
                        : loc.format(kTable, "Dive number title", kFallback, {number});
    r.profileTitle = loc.format(kTable, "Dive number profile title", kFallback, {number});
    r.profileLocation = text(F::lieu) + " - " + text(F::site) + " ";

    r.temperatureUnit = loc.text(kTable, us ? "Degree Farenheit" : "Degree Celsius");
    r.depthUnit = us ? "ft" : "m";
    r.difficulty = DiveCodes::title(F::difficulte, std::clamp(tag(F::difficulte), 0, 5), loc);

    readouts_ = r;
    return r;
}

}  // namespace divelog
