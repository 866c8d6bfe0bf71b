// The read-outs and enabling that follow what the form shows.

#include <algorithm>

#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "settings/SettingsStore.h"

namespace divelog {

namespace {
constexpr std::string_view kTable = "Carnet";
constexpr std::string_view kFallback = "error !";
// Keys that are also their own text where no translation is loaded.
constexpr std::string_view kStageTitle = "Pony %d : %d m - %d %% O₂";
constexpr std::string_view kVolumes = "Volume disponible : %d L\rVolume consommé : %d L";

}  // namespace

void DiveForm::balanceMix() {
    std::int64_t o2 = intValue("o2Mix"), he = intValue("heMix");
    switch (tag("gaz")) {
        case 1:  // nitrox
            put("heMix", std::string("0"));
            put("n2Mix", integerText(100 - o2));
            break;
        case 3:  // heliox
            put("n2Mix", std::string("0"));
            put("heMix", integerText(100 - o2));
            break;
        default: put("n2Mix", integerText(100 - o2 - he)); break;
    }
    // Cylinder 2 is never rebalanced; its nitrogen is only shown.
    put("n2Mix_2", integerText(100 - std::int64_t{intValue("o2Mix_2")} - intValue("heMix_2")));
}

void DiveForm::refreshCylinders(FormReadouts& r, const Localisation& loc) const {
    // Stage k carries the gas of stop k, needed as long as a later stop is made.
    for (int k = 1; k <= 3; ++k) {
        bool needed = false;
        for (int s = k; s <= 5; ++s)
            needed = needed || switchOn(numbered("deco_Level_", s) + "_sw");
        if (needed)
            r.stages[k - 1].title =
                loc.format(kTable, kStageTitle, kStageTitle,
                           {std::int64_t{k}, std::int64_t{intValue(numbered("decoDepth_Level_", k))},
                            std::int64_t{intValue(numbered("decoO2_Level_", k))}});
    }

    auto fill = [&](CylinderReadout& out, const std::string& vol, const std::string& start,
                    const std::string& end) {
        // 64 bits: volume times a pressure difference cannot overflow them.
        std::int64_t v = intValue(vol), p0 = intValue(start), p1 = intValue(end);
        if (v == 0) {
            out.text.clear();
            out.gauge = GaugeReadout{};
            return;
        }
        out.text = loc.format(kTable, kVolumes, kVolumes, {v * p0, v * (p0 - p1)});
        out.gauge = GaugeReadout{true, static_cast<std::int32_t>(p0), static_cast<std::int32_t>(p1),
                                 static_cast<std::int32_t>(std::max<std::int64_t>(p0 / 10, 0))};
    };
    for (int k = 1; k <= 3; ++k)
        fill(r.stages[k - 1], numbered("volPony", k), numbered("pressDepartPony", k),
             numbered("pressFinPony", k));
    for (int k = 1; k <= 2; ++k)
        fill(r.bailouts[k - 1], numbered("volBailout", k), numbered("pressDepartBailout", k),
             numbered("pressFinBailout", k));
}

void DiveForm::refreshProfileSummary(FormReadouts& r, const Localisation& loc) const {
    const auto& depths = profile_.profilProfondeur;
    const std::size_t n = depths.size();
    ProfileSummary& s = r.profile;
    s = ProfileSummary{};
    // Single precision, as the consumption and exposure figures expect.
    float sum = 0;
    for (double d : depths) {
        float f = narrowToFloat(d);
        if (f > s.maxDepth) s.maxDepth = f;
        sum += f;
    }
    s.meanDepth = n ? sum / static_cast<float>(n) : 0.0f;
    s.points = n >= 2 ? n : 0;

    // Flag series are indexed by depth sample; a longer one is read no further.
    auto counted = [n](const std::vector<std::int32_t>& flags) {
        return std::min(n, flags.size());
    };
    for (std::size_t i = 0; i < counted(profile_.SLOW_Flag); ++i)
        s.slowCount += profile_.SLOW_Flag[i];
    for (std::size_t i = 0; i < counted(profile_.CEIL_Flag); ++i)
        s.ceilCount += profile_.CEIL_Flag[i];
    std::size_t surf = counted(profile_.SURF_Flag);
    for (std::size_t i = 0; i < surf; ++i) s.surfacings += profile_.SURF_Flag[i];
    // A flag on the last sample ends the dive rather than interrupting it.
    if (s.surfacings > 0 && profile_.SURF_Flag[surf - 1] == 1) --s.surfacings;
    for (std::size_t i = 0; i < counted(profile_.GAZ_Flag); ++i)
        if (profile_.GAZ_Flag[i] != 0) ++s.gasSwitches;

    s.depthText = loc.format(kTable, "Max and average depth", kFallback,
                             {double{s.maxDepth}, double{s.meanDepth}});
    s.samplingText =
        loc.format(kTable, "Sampling rate", kFallback, {samplingRateTitle(tag("samplingRate"))});
    s.pointsText =
        loc.format(kTable, "Recorded points", kFallback, {static_cast<std::int64_t>(s.points)});
}

void DiveForm::refreshOxygenExposure(FormReadouts& r) const {
    // The exposure takes the worst partial pressure breathed: the bottom gas at
    // the deepest point, or a switched-on stop gas. Stop depths count in whole
    // tens of metres, as the CNS table this feeds was calibrated with.
    float fO2 = narrowToFloat(decimalValue("o2Mix") / 100.0);
    float depth = profile_.profilProfondeur.size() >= 2 ? r.profile.maxDepth
                                                        : narrowToFloat(decimalValue("profondeur"));
    float ppO2 = fO2 * (depth / 10.0f + 1.0f);
    for (int k = 1; k <= 5; ++k) {
        if (!switchOn(numbered("deco_Level_", k) + "_sw")) continue;
        float fk = narrowToFloat(decimalValue(numbered("decoO2_Level_", k)) / 100.0);
        std::int64_t bar = std::int64_t{intValue(numbered("decoDepth_Level_", k))} / 10 + 1;
        float ppk = static_cast<float>(bar) * fk;
        if (ppk > ppO2) ppO2 = ppk;
    }
    r.oxygen = OxygenExposure{};
    r.oxygen.highestPpO2 = ppO2;
    r.oxygen.diveTime = decimalValue("temps");
}

FormReadouts DiveForm::refresh(const RefreshContext& ctx) {
    const Localisation& loc = ctx.localisation;
    FormReadouts r = readouts_;

    r.diveCount = ctx.diveCount == 1 ? loc.text(kTable, "One dive")
                                     : loc.format(kTable, "Total dives", kFallback,
                                                  {static_cast<std::int64_t>(ctx.diveCount)});
    r.previousEnabled = ctx.selectedRow && *ctx.selectedRow >= 1;
    r.nextEnabled = ctx.selectedRow && *ctx.selectedRow + 1 < ctx.diveCount;

    const std::int32_t apparatus = tag("rebreather");
    if (apparatus == 2 || apparatus == 3) {
        r.cylinder1Title = "OXYGÈNE :";
        r.cylinder2Title = "DILUANT :";
        r.setPointTitle = "Setpoint :";
        put("o2Mix", std::string("100"));
    } else if (apparatus == 0 || apparatus == 1) {
        r.cylinder1Title = "Bloc principal :";
        r.cylinder2Title = "Bloc secondaire :";
        r.setPointTitle = loc.text(kTable, "PpO2");
    }

    auto heliumGas = [](std::int32_t gas) { return gas == 2 || gas == 4 || gas == 5; };
    r.flowEnabled = apparatus == 1;
    r.heliumEnabled = heliumGas(tag("gaz"));
    r.oxygenEnabled = tag("gaz") != 0;
    r.helium2Enabled = heliumGas(tag("gaz_2"));
    r.oxygen2Enabled = tag("gaz_2") != 0;

    r.planningDetailsEnabled = tag("deco") == 3;
    r.stageButtonEnabled = false;
    for (int k = 1; k <= 5; ++k)
        r.stageButtonEnabled = r.stageButtonEnabled || switchOn(numbered("deco_Level_", k) + "_sw");
    r.bailoutButtonEnabled = apparatus >= 1 && apparatus <= 3;

    refreshCylinders(r, loc);

    // Used pressures, then the profile summary, then what depends on both:
    // oxygen exposure and consumption.
    const char* starts[] = {"pressionDepart", "pressionDepart_2"};
    const char* ends[] = {"pressionFin", "pressionFin_2"};
    for (int c = 0; c < 2; ++c) {
        r.usedPressure[c] = std::int64_t{intValue(starts[c])} - intValue(ends[c]);
        r.usedPressureText[c] =
            loc.format(kTable, "Delta pressure", kFallback, {r.usedPressure[c]});
    }

    balanceMix();
    refreshProfileSummary(r, loc);
    refreshOxygenExposure(r);

    const std::int64_t o2 = intValue("o2Mix"), he = intValue("heMix");
    switch (tag("gaz")) {
        case 0: r.gasSummary = loc.text(kTable, "Air"); break;
        case 1: r.gasSummary = loc.format(kTable, "Nitrox %d", kFallback, {o2}); break;
        case 2: r.gasSummary = loc.format(kTable, "Trimix %d/%d", kFallback, {o2, he}); break;
        case 3:
        case 4:
        case 5: r.gasSummary = loc.format(kTable, "Heliox %d", kFallback, {o2}); break;
        default: r.gasSummary.clear(); break;
    }

    // Consumption is computed here once it exists (r.consumption); the
    // statistics cover the whole logbook and are the caller's next step.

    const std::int64_t number = intValue("noPlongee");
    r.windowTitle = loc.format(kTable, "Dive number title", kFallback, {number});
    r.profileTitle = loc.format(kTable, "Dive number profile title", kFallback, {number});
    r.profileLocation = text("lieu") + " - " + text("site") + " ";

    const bool us = ctx.settings.boolForKey("us units");
    r.temperatureUnit = loc.text(kTable, us ? "Degree Farenheit" : "Degree Celsius");
    r.depthUnit = us ? "ft" : "m";
    r.difficulty = loc.text(kTable, difficultyKey(tag("difficulte")));

    readouts_ = r;
    return r;
}

}  // namespace divelog
