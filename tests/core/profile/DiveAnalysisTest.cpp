// What a dive's profile, cylinders and gases add up to, computed the same way
// for a stored dive as for the form that shows it.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "dive/Units.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "profile/CnsClock.h"
#include "profile/CylinderUse.h"
#include "profile/DiveAnalysis.h"
#include "profile/GasConsumption.h"
#include "profile/OxygenExposure.h"
#include "profile/ProfileSummary.h"
#include "settings/SettingsStore.h"

using namespace divelog;
using F = Plongee::Field;

TEST(ProfileSummary, CountsFollowTheDepthSamples) {
    ProfileSeries p;
    p.profilProfondeur = {0.0, 5.0, 12.0, 3.0};
    p.SURF_Flag = {0, 1, 0, 1};
    p.GAZ_Flag = {0, 1, 2, 0, 7};  // a fifth entry past the samples is not read
    p.SLOW_Flag = {1, 0, 1};
    ProfileSummary s = ProfileSummary::of(p);
    EXPECT_EQ(s.maxDepth, 12.0f);
    EXPECT_EQ(s.meanDepth, 5.0f);
    EXPECT_EQ(s.points, 4u);
    EXPECT_EQ(s.surfacings, 1) << "the flag on the last sample ends the dive";
    EXPECT_EQ(s.gasSwitches, 2);
    EXPECT_EQ(s.slowCount, 2);
    p.SURF_Flag = {1, 0, 0, 0};
    EXPECT_EQ(ProfileSummary::of(p).surfacings, 1);

    ProfileSeries placeholder;
    placeholder.fillPlaceholders();
    EXPECT_EQ(ProfileSummary::of(placeholder), ProfileSummary{});

    Plongee old;
    old.setProfilProfondeur(std::vector<double>(40, 3.0));
    ProfileSeries fromFile = ProfileSeries::of(old);
    EXPECT_EQ(fromFile.GAZ_Flag, std::vector<std::int32_t>(40, 0)) << "no gas series: no switch";
    EXPECT_EQ(fromFile.PRESS_Data, std::vector<double>{0.0});
}

TEST(CylinderUse, VolumesAndGauge) {
    CylinderUse c = CylinderUse::of(12, 200, 50);
    EXPECT_TRUE(c.present);
    EXPECT_EQ(c.available, 2400);
    EXPECT_EQ(c.used, 1800);
    EXPECT_EQ(c.gaugeTicks, 20);
    EXPECT_FALSE(CylinderUse::of(0, 200, 50).present);
    EXPECT_EQ(CylinderUse::of(2'000'000'000, 2'000'000'000, 0).available, 4'000'000'000'000'000'000)
        << "no overflow";
    EXPECT_EQ(CylinderUse::of(10, 50, 80).used, -300) << "shown as it is";
}

TEST(OxygenExposure, TheHighestPartialPressureBreathed) {
    OxygenInputs air;
    air.bottomO2Percent = 21;
    air.maxDepthMetres = 40;
    EXPECT_NEAR(*highestPpO2(air), 1.05, 1e-12);

    OxygenInputs deco = air;
    deco.stops[0] = {true, 100, 6};
    EXPECT_NEAR(*highestPpO2(deco), 1.6, 1e-12) << "oxygen at 6 m is 1.6 bar";
    deco.stops[0].made = false;
    EXPECT_NEAR(*highestPpO2(deco), 1.05, 1e-12) << "a stop not made counts for nothing";

    OxygenInputs ccr = air;
    ccr.apparatus = 2;
    ccr.setPointCode = 5;  // 1.6 bar
    EXPECT_NEAR(*highestPpO2(ccr), 1.6, 1e-12) << "the set point, not the oxygen cylinder";
    ccr.maxDepthMetres = 3;
    EXPECT_NEAR(*highestPpO2(ccr), 1.3, 1e-12) << "never above the ambient pressure";
    ccr.apparatus = 4;
    EXPECT_NEAR(*highestPpO2(ccr), 1.3, 1e-12);
    ccr.setPointCode = 0;
    EXPECT_FALSE(highestPpO2(ccr));
    ccr.apparatus = 1;  // semi-closed: the bottom gas
    EXPECT_NEAR(*highestPpO2(ccr), 0.21 * 1.3, 1e-12);

    EXPECT_NEAR(units::metresOfTypedDepth(100, true), 30.48, 1e-12);
    EXPECT_EQ(units::metresOfTypedDepth(100, false), 100);
}

// The form's read-outs and the stored dive's analysis agree, dive by dive.
TEST(DiveAnalysis, TheFormAndTheStoredDiveAgree) {
    InMemorySettingsStore settings;
    Localisation texts;
    std::mt19937 rng(11);
    for (bool us : {false, true}) {
        settings.setBool("us units", us);
        for (int n = 0; n < 200; ++n) {
            Plongee d = makeNewDive(NewDiveDefaults{n});
            d.setProfondeur(static_cast<float>(rng() % 700) / 10.0f);
            d.setRebreather(static_cast<std::int32_t>(rng() % 5));
            d.setPpO2(static_cast<std::int32_t>(rng() % 11));
            d.setGaz(rng() % 2 ? 1 : 0);
            d.setO2Mix(static_cast<std::int32_t>(rng() % 80) + 21);
            d.setPressionDepart(static_cast<std::int32_t>(rng() % 300));
            d.setPressionFin(static_cast<std::int32_t>(rng() % 300));
            d.setPressionDepart_2(static_cast<std::int32_t>(rng() % 300));
            d.setVolPony2(static_cast<std::int32_t>(rng() % 3) * 7);
            d.setPressDepartPony2(200);
            d.setPressFinPony2(static_cast<std::int32_t>(rng() % 200));
            d.setVolBailout1(static_cast<std::int32_t>(rng() % 2) * 11);
            d.setPressDepartBailout1(180);
            for (std::size_t k = 0; k < 5; ++k) {
                d.setValue(Plongee::kStopSwitch[k], static_cast<std::int32_t>(rng() % 2));
                d.setValue(Plongee::kStopO2[k], static_cast<std::int32_t>(rng() % 100) + 1);
                d.setValue(Plongee::kStopDepth[k], static_cast<float>(rng() % 300) / 10.0f);
            }
            if (rng() % 2) {
                std::vector<double> depth(rng() % 60 + 2);
                for (auto& x : depth) x = static_cast<double>(rng() % 500) / 10.0;
                d.setProfilProfondeur(std::move(depth));
            }

            DiveForm form;
            form.load(d);
            const FormReadouts r = form.refresh(RefreshContext{settings, texts, 1, 0});
            const ProfileSummary summary = ProfileSummary::of(ProfileSeries::of(d));
            const DiveGasUse gas = DiveGasUse::of(d);
            ASSERT_EQ(r.profile, summary);
            ASSERT_EQ(r.usedPressure, gas.usedPressure);
            for (std::size_t k = 0; k < 3; ++k) ASSERT_EQ(r.stages[k].use, gas.stages[k]);
            for (std::size_t k = 0; k < 2; ++k) ASSERT_EQ(r.bailouts[k].use, gas.bailouts[k]);
            const auto stored = highestPpO2(OxygenInputs::of(d, summary, us));
            ASSERT_EQ(r.oxygen.highestPpO2.has_value(), stored.has_value()) << n;
            if (stored) {
                ASSERT_NEAR(*r.oxygen.highestPpO2, *stored, 1e-6) << n;
            }
        }
    }
}

TEST(CnsClock, RatesByBandWithTheTableEdgesInSinglePrecision) {
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(0.62), 0.14);
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(double{0.62f}), 0.15) << "a float 0.62 is above 0.62";
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(double{1.10f}), 0.43) << "into the wide band";
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(double{1.14f}), 0.43) << "a float 1.14 is below 1.14";
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(double{1.58f}), 2.22);
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(double{1.60f}), 2.22);
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(0.70), 0.18);
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(1.57), 1.47);
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(-1), 0.14);
    EXPECT_DOUBLE_EQ(cnsRatePerMinute(std::nan("")), 2.22);

    // Air to 40 m for 40 minutes: 1.05 bar, 0.38 % a minute.
    EXPECT_NEAR(*diveCns(0.21 * 5, 40), 15.2, 1e-9);
    // Oxygen at 6 m counts at 1.6 bar: 2.22 % a minute.
    EXPECT_NEAR(*diveCns(1.6, 10), 22.2, 1e-9);
    // 32 % at 30 m: 1.28 bar in single precision is just below 1.28, 0.54 % a minute.
    EXPECT_NEAR(*diveCns(0.32 * 4, 50), 27.0, 1e-9);
    EXPECT_FALSE(diveCns(std::nullopt, 50));
}

TEST(GasConsumption, FiguresAndWhatCannotBeKnown) {
    ProfileSummary at15;
    at15.points = 100;
    at15.meanDepth = 15;
    GasConsumption c = GasConsumption::of(200, 50, 40, 12, at15);
    EXPECT_TRUE(c.readable);
    EXPECT_EQ(c.available, 2400);
    EXPECT_EQ(c.used, 1800);
    EXPECT_DOUBLE_EQ(*c.barPerMinute, 3.75);
    EXPECT_DOUBLE_EQ(*c.surfaceLitresPerMinute, 18.0);
    EXPECT_DOUBLE_EQ(*c.surfaceBarPerMinute, 1.5);
    EXPECT_DOUBLE_EQ(*GasConsumption::of(200, 50, 7, 12, at15).barPerMinute, 150.0 / 7)
        << "no whole-number division";

    Localisation texts;
    texts.loadTable("Carnet", R"(
"Gas status" = "%d %d %@ %@ %@ %@";
"Gas status US" = "US %d %d %@ %@ %@ %@";
"Gas status error" = "error";
"N/A" = "N/A";
)");
    EXPECT_EQ(c.text(texts, false), "2400 1800 3.75 18.0 1.50 15.0");
    EXPECT_EQ(c.text(texts, true), "US 2400 1800 3.75 18.0 1.50 15.0");

    GasConsumption noTime = GasConsumption::of(200, 50, 0, 12, at15);
    EXPECT_FALSE(noTime.readable);
    EXPECT_FALSE(noTime.barPerMinute);
    EXPECT_EQ(noTime.text(texts, false), "error");
    GasConsumption noVolume = GasConsumption::of(200, 50, 40, 0, at15);
    EXPECT_FALSE(noVolume.surfaceLitresPerMinute);
    EXPECT_EQ(noVolume.text(texts, false), "0 0 3.75 N/A 1.50 15.0");
    ProfileSummary placeholder;  // fewer than two samples: no depth to bring back from
    GasConsumption noProfile = GasConsumption::of(200, 50, 40, 12, placeholder);
    EXPECT_FALSE(noProfile.surfaceLitresPerMinute);
    EXPECT_FALSE(noProfile.surfaceBarPerMinute);
    EXPECT_TRUE(GasConsumption::of(200, 250, 40, 12, at15).used < 0) << "shown as it is";
}
