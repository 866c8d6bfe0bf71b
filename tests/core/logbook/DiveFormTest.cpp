// The dive edit form as data: store corrections, load display rules, clear
// values, refresh read-outs, pick-list questions and change tracking.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveFormCombos.h"
#include "logbook/DiveNumbers.h"
#include "settings/PickLists.h"
#include "settings/SettingsStore.h"

using namespace divelog;
using F = Plongee::Field;

namespace {

const char* kCarnet = R"(
"One dive" = "One dive";
"Total dives" = "%d dives";
"PpO2" = "PpO2 :";
"Air" = "Air";
"Nitrox %d" = "EAN %d";
"Trimix %d/%d" = "Tx %d/%d";
"Max and average depth" = "%.1f / %.1f";
"Sampling rate" = "every %@";
"Recorded points" = "%d points";
"Dive number title" = "Dive #%d";
"Degree Celsius" = "C";
"Degree Farenheit" = "F";
"Hard" = "Hard!";
"GPS template" = "N 00 E 00";
"Delta pressure" = "%d bar";
)";

std::string stop(const char* family, int k) { return family + std::to_string(k); }

// Every field set, each rule field inside its range, floats with fractions.
Plongee filledDive() {
    Plongee d;
    int i = 0;
    for (const auto& f : Plongee::fields()) {
        ++i;
        switch (f.kind) {
            case Plongee::Kind::INT: d.setValue(f.name, std::int32_t{10 + i}); break;
            case Plongee::Kind::FLOAT: d.setValue(f.name, static_cast<float>(i) + 0.3f); break;
            case Plongee::Kind::STRING: d.setValue(f.name, std::string(f.name) + " x"); break;
            case Plongee::Kind::DATE: d.setValue(f.name, Date{7.0e8 + i + 0.25}); break;
            case Plongee::Kind::INTS:
                d.setValue(f.name, std::vector<std::int32_t>{0, 1, 0, 2});
                break;
            case Plongee::Kind::REALS:
                d.setValue(f.name, std::vector<double>{0, 12.34, 31.5, 4.2});
                break;
        }
    }
    d.setCoeff(95);
    d.setTempEau(-5);
    d.setTempAir(140);
    d.setDifficulte(4);
    d.setNocturne(1);
    d.setAltitude(4000);
    d.setProfondeur(31.5f);
    d.setFlow(0.1f);
    d.setLestage(4.5f);
    d.setDecoDepth_Level_1(4.5f);
    d.setDecoDepth_Level_5(1e-3f);
    for (int k = 1; k <= 5; ++k) d.setValue(stop("deco_Level_", k) + "_sw", std::int32_t{k % 2});
    d.setO2Mix(14);
    d.setHeMix(86);
    d.setO2Mix_2(50);
    d.setHeMix_2(0);
    d.setPressionDepart(210);
    d.setPressionFin(50);
    d.setPressionDepart_2(0);
    d.setPressionFin_2(0);
    d.setComputerMode(0);  // legacy fields the form never carries
    d.setEtranger(0);
    return d;
}

class DiveFormTest : public ::testing::Test {
protected:
    DiveFormTest() : pickLists(settings) { loc.loadTable("Carnet", kCarnet); }

    StoreResult storeWith(std::string_view control, const std::string& text) {
        form.setText(control, text);
        return form.store(settings);
    }
    FormReadouts refresh(std::size_t count = 3, std::optional<std::size_t> row = std::nullopt) {
        return form.refresh(RefreshContext{settings, loc, count, row});
    }

    InMemorySettingsStore settings;
    Localisation loc;
    PickLists pickLists;
    DiveForm form;
};

TEST_F(DiveFormTest, RangeRulesCorrectBothRecordAndField) {
    form.load(filledDive());
    form.setText("heMix", "0");
    struct Case {
        const char* control;
        const char* typed;
        std::int32_t stored;
        const char* shown;
    };
    const Case cases[] = {
        {"coeff", "19", 0, "-"},        {"coeff", "121", 0, "-"},
        {"coeff", "20", 20, "20"},      {"coeff", "120", 120, "120"},
        {"tempEau", "-6", -50, "-"},    {"tempEau", "101", -50, "-"},
        {"tempEau", "-5", -5, "-5"},    {"tempEau", "100", 100, "100"},
        {"tempAir", "140", 140, "140"}, {"tempAir", "141", -50, "-"},
        {"tempAir", "-", -50, "-"},     {"altitude", "4000", 4000, "4000"},
        {"altitude", "4001", 0, "0"},   {"altitude", "-1", 0, "0"},
        {"temps", "-1", 0, "0"},        {"decoTime_Level_2", "-2", 0, "0"},
        {"o2Mix", "0", 21, "21"},       {"o2Mix_2", "", 21, "21"},
    };
    for (const auto& c : cases) {
        StoreResult r = storeWith(c.control, c.typed);
        EXPECT_EQ(std::get<std::int32_t>(r.dive.value(c.control)), c.stored)
            << c.control << " " << c.typed;
        EXPECT_EQ(form.text(c.control), c.shown) << c.control << " " << c.typed;
        EXPECT_TRUE(r.alerts.empty()) << c.control << " " << c.typed;
    }
    StoreResult r = storeWith("profondeur", "-3.5");
    EXPECT_EQ(r.dive.profondeur(), 0.0f);
    EXPECT_EQ(form.text("profondeur"), "0");
    r = storeWith("lestage", "-1");
    EXPECT_EQ(r.dive.lestage(), 0.0f);
}

TEST_F(DiveFormTest, AltitudeLimitIsInFeetWithUsUnits) {
    settings.setBool("us units", true);
    EXPECT_EQ(storeWith("altitude", "13123").dive.altitude(), 13123);
    EXPECT_EQ(storeWith("altitude", "13124").dive.altitude(), 0);
    EXPECT_EQ(form.text("altitude"), "0");
}

TEST_F(DiveFormTest, GasAndPressureAlertsInOrderWithValuesAsTyped) {
    form.load(filledDive());
    EXPECT_TRUE(storeWith("heMix", "86").alerts.empty());
    form.setText("pressionDepart", "50");
    form.setText("pressionFin", "200");
    form.setText("heMix", "87");
    form.setText("heMix_2", "-1");
    StoreResult r = form.store(settings);
    EXPECT_EQ(r.alerts,
              (std::vector<std::string>{"Pressure in out", "Helium percent", "Helium percent"}));
    EXPECT_EQ(r.dive.pressionDepart(), 50);
    EXPECT_EQ(r.dive.pressionFin(), 200);
    EXPECT_EQ(r.dive.heMix(), 0);
    EXPECT_EQ(r.dive.heMix_2(), 0);
    EXPECT_EQ(form.text("heMix"), "0");

    form.setText("pressionFin", "10");
    form.setText("pressionDepart_2", "-5");  // a negative pressure is inconsistent too
    EXPECT_EQ(form.store(settings).alerts, std::vector<std::string>{"Pressure in out"});
}

TEST_F(DiveFormTest, OxygenIsAPercentageAndTheMixNeverExceedsAHundred) {
    form.load(filledDive());
    form.setText("pressionDepart_2", "0");
    // "Nitrox 150" with nitrogen at -50 % cannot be stored.
    StoreResult r = storeWith("o2Mix", "150");
    EXPECT_EQ(r.alerts, (std::vector<std::string>{"Oxygen percent", "Mix percent"}));
    EXPECT_EQ(r.dive.o2Mix(), 21);
    EXPECT_EQ(form.text("o2Mix"), "21");
    EXPECT_EQ(r.dive.heMix(), 79) << "the 86 % of helium no longer fits beside 21 % of oxygen";
    EXPECT_EQ(storeWith("o2Mix", "100").alerts, std::vector<std::string>{"Mix percent"});
    EXPECT_EQ(form.text("heMix"), "0");
    // Oxygen and helium over 100: helium takes what the oxygen leaves.
    form.setText("o2Mix", "30");
    r = storeWith("heMix", "80");
    EXPECT_EQ(r.alerts, std::vector<std::string>{"Mix percent"});
    EXPECT_EQ(r.dive.heMix(), 70);
    EXPECT_EQ(form.text("heMix"), "70");
    r = storeWith("o2Mix_2", "40");
    EXPECT_TRUE(r.alerts.empty());
    EXPECT_EQ(r.dive.o2Mix_2(), 40);

    // What each number field lets the user type.
    EXPECT_FALSE(DiveNumbers::rule("site", false));
    EXPECT_FALSE(DiveNumbers::rule("meteo", false));
    EXPECT_EQ(DiveNumbers::rule("profondeur", false)->decimals, true);
    EXPECT_EQ(DiveNumbers::rule("profondeur", false)->negative, false);
    EXPECT_EQ(DiveNumbers::rule("temps", false)->decimals, false);
    EXPECT_TRUE(DiveNumbers::rule("tempEau", false)->negative);
    EXPECT_TRUE(DiveNumbers::rule("tempAir", false)->dashForNone);
    EXPECT_TRUE(DiveNumbers::rule("coeff", false)->dashForNone);
    EXPECT_FALSE(DiveNumbers::rule("coeff", false)->negative);
    EXPECT_EQ(DiveNumbers::rule("o2Mix", false)->maxDigits, 3);
    EXPECT_TRUE(DiveNumbers::rule("decoO2_Level_4", false)->dashForNone);
    EXPECT_TRUE(DiveNumbers::rule("decoDepth_Level_4", false)->decimals);
    EXPECT_TRUE(DiveNumbers::rule("lestage", false)->decimals);
    for (const auto& c : DiveForm::controls()) {
        if (DiveNumbers::rule(c.name, false)) {
            EXPECT_EQ(c.kind, DiveForm::ControlKind::Text) << c.name;
        }
    }
}

TEST_F(DiveFormTest, BadNumberInputNeverCrashesAndStoresFiniteValues) {
    const char* bad[] = {
        "abc",          "",     "1e400",  "inf", "nan", "-nan", "0x1A", "99999999999",
        "-99999999999", "12 m", "1e-400", "+-3", "--",  ",",    "1e38"};
    for (const auto& c : DiveForm::controls()) {
        if (c.kind != DiveForm::ControlKind::Text) continue;
        for (const char* text : bad) {
            form.load(filledDive());
            StoreResult r = storeWith(c.name, text);
            for (const char* f : {"profondeur", "flow", "lestage", "decoDepth_Level_3"})
                EXPECT_TRUE(std::isfinite(std::get<float>(r.dive.value(f))))
                    << c.name << "=" << text;
        }
    }
    form.load(filledDive());
    EXPECT_EQ(storeWith("profondeur", "12,5").dive.profondeur(), 12.5f);
    EXPECT_EQ(storeWith("temps", " 12,7 ").dive.temps(), 12);
    EXPECT_EQ(storeWith("temps", "0x1A").dive.temps(), 0);
    EXPECT_EQ(storeWith("pressionBloc", "99999999999").dive.pressionBloc(), 0);
    EXPECT_EQ(storeWith("tempEau", "abc").dive.tempEau(), -50);
    EXPECT_EQ(storeWith("o2Mix", "nan").dive.o2Mix(), 21);
    EXPECT_EQ(storeWith("heMix", "99999999999").alerts, std::vector<std::string>{"Helium percent"});
    EXPECT_EQ(storeWith("profondeur", "1e39").dive.profondeur(), 0.0f) << "beyond float range";
}

TEST_F(DiveFormTest, LoadStoreRoundTripKeepsEveryField) {
    const Plongee dive = filledDive();
    form.load(dive);
    EXPECT_EQ(form.text("profondeur"), "31.5");
    EXPECT_EQ(form.text("decoDepth_Level_1"), "4.5");
    EXPECT_EQ(form.text("flow"), "0.1");
    StoreResult r = form.store(settings);
    EXPECT_TRUE(r.alerts.empty());
    EXPECT_EQ(r.dive, dive);
    for (const auto& f : Plongee::fields())
        EXPECT_EQ(r.dive.value(f.name), dive.value(f.name)) << f.name;
}

TEST_F(DiveFormTest, DecimalTextReadsBackToTheSameFloat) {
    for (std::uint32_t bits = 0x00800000u; bits < 0x7f000000u; bits += 0x00012345u) {
        float f = std::bit_cast<float>(bits);
        ASSERT_EQ(readFloat(decimalText(f)), f) << decimalText(f);
        ASSERT_EQ(readFloat(decimalText(-f)), -f);
    }
    EXPECT_EQ(readInteger("-0,9"), 0);
    EXPECT_EQ(readInteger("2147483647"), 2147483647);
    EXPECT_EQ(readInteger("2147483648"), std::nullopt);
    EXPECT_EQ(readInteger("-2147483648.5"), -2147483647 - 1);
}

TEST_F(DiveFormTest, LoadShowsNotGivenValuesAndFillsMissingProfile) {
    Plongee d;  // every number 0, every object absent
    d.setTempEau(-50);
    d.setTempAir(-50);
    d.setDecoO2_Level_2(4);
    d.setDecoO2_Level_3(5);
    d.setDecoDepth_Level_4(-2.0f);
    d.setDecoDepth_Level_5(NAN);
    d.setProfilProfondeur(std::vector<double>{0, 5, 12, 3});
    form.load(d);
    EXPECT_EQ(form.text("coeff"), "-");
    EXPECT_EQ(form.text("tempEau"), "-");
    EXPECT_EQ(form.text("tempAir"), "-");
    EXPECT_EQ(form.text("decoO2_Level_2"), "-");
    EXPECT_EQ(form.text("decoO2_Level_3"), "5");
    EXPECT_EQ(form.text("decoHe_Level_1"), "0");
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(form.text(stop("decoDepth_Level_", k)), std::to_string(3 * k));
    EXPECT_EQ(form.text("lieu"), "");
    EXPECT_EQ(form.profile().GAZ_Flag, std::vector<std::int32_t>(4, 0))
        << "one gas code per depth sample";
    EXPECT_EQ(form.profile().SLOW_Flag, std::vector<std::int32_t>{0});
    EXPECT_EQ(form.profile().PRESS_Data, std::vector<double>{0.0});

    // Stored back: placeholders become 0 and the stop depths the fixed ones.
    StoreResult r = form.store(settings);
    EXPECT_EQ(r.dive.coeff(), 0);
    EXPECT_EQ(r.dive.tempEau(), -50);
    EXPECT_EQ(r.dive.decoO2_Level_2(), 0);
    EXPECT_EQ(r.dive.decoDepth_Level_5(), 15.0f);
}

TEST_F(DiveFormTest, ClearThenStoreGivesTheNewDiveAndKeepsBailoutAndSampling) {
    Plongee shown = filledDive();
    form.load(shown);
    settings.setString("stop interval", "4,5");
    settings.setNumber("tank volume", 12);
    settings.setNumber("tank pressure", 232);
    settings.setString("country code", "FRA");
    settings.setString("ordinateur", "Model X");
    const Date now{8.0e8};
    form.clear(ClearContext::from(settings, loc, now));
    EXPECT_FALSE(form.modified());
    EXPECT_EQ(form.text("noPlongee"), "");
    EXPECT_EQ(form.text("gps"), "N 00 E 00");
    EXPECT_EQ(form.text("decoDepth_Level_3"), "13.5");
    EXPECT_EQ(form.text("n2Mix"), "79");
    EXPECT_EQ(form.tag("samplingRate"), shown.samplingRate());
    EXPECT_EQ(form.text("volBailout2"), std::to_string(shown.volBailout2()));
    form.setDiveNumber(42);

    NewDiveDefaults defaults;
    defaults.number = 42;
    defaults.now = now;
    defaults.countryCode = "FRA";
    defaults.gpsTemplate = "N 00 E 00";
    defaults.stopInterval = 4.5;
    defaults.tankVolume = 12;
    defaults.tankPressure = 232;
    defaults.ordinateur = "Model X";
    defaults.samplingRate = shown.samplingRate();
    defaults.previous = &shown;
    StoreResult r = form.store(settings);
    EXPECT_EQ(r.dive, makeNewDive(defaults));
    EXPECT_TRUE(r.alerts.empty());

    ClearContext noInterval;
    noInterval.stopInterval = 0;
    form.clear(noInterval);
    EXPECT_EQ(form.text("decoDepth_Level_5"), "15");
}

TEST_F(DiveFormTest, ModifiedTracksUserChangesOnly) {
    form.load(filledDive());
    EXPECT_FALSE(form.modified());
    form.setText("site", "site x");  // the value it already has
    form.setTag("rebreather", 2);
    EXPECT_TRUE(form.modified());
    form.load(filledDive());
    form.setText("coeff", "5");
    form.setTag("rebreather", 2);
    form.setTag("gaz", 1);
    form.resetModified();
    form.store(settings);  // coefficient back to "-"
    refresh();             // oxygen 100 and helium 0
    EXPECT_EQ(form.text("o2Mix"), "100");
    EXPECT_FALSE(form.modified()) << "corrections are not user changes";
    ProfileSeries p = form.profile();
    p.profilProfondeur.push_back(3);
    form.setProfile(p);
    EXPECT_TRUE(form.modified());
}

TEST_F(DiveFormTest, ByNameAccessCoversEveryStoredFieldAndRefusesOthers) {
    std::size_t stored = 0;
    for (const auto& c : DiveForm::controls()) {
        stored += c.field.has_value();
        EXPECT_EQ(Plongee::fieldNamed(c.name), c.field) << c.name;
    }
    EXPECT_EQ(stored, Plongee::fields().size() - 7 - 2)
        << "all but the profile and two legacy fields";
    EXPECT_EQ(DiveForm::kindOf("meteo"), DiveForm::ControlKind::Tag);
    EXPECT_EQ(DiveForm::kindOf("deco_Level_4_sw"), DiveForm::ControlKind::Switch);
    EXPECT_EQ(DiveForm::kindOf("heure"), DiveForm::ControlKind::Date);
    EXPECT_THROW(form.text("meteo"), std::out_of_range);
    EXPECT_THROW(form.setValue("coeff", std::int32_t{3}), std::out_of_range);
    EXPECT_THROW(form.tag("computerMode"), std::out_of_range);
    form.setTag("difficulte", 9);
    EXPECT_EQ(form.tag("difficulte"), 5) << "the slider stops at 5";
}

TEST_F(DiveFormTest, RefreshTitlesEnablingAndMixBalance) {
    form.load(filledDive());
    form.setTag("rebreather", 2);
    form.setText("o2Mix", "32");
    FormReadouts r = refresh(3, 2);
    EXPECT_EQ(form.text("o2Mix"), "100");
    EXPECT_EQ(r.cylinder1Title, "OXYGÈNE :");
    EXPECT_EQ(r.setPointTitle, "Setpoint :");
    EXPECT_TRUE(r.bailoutButtonEnabled);
    EXPECT_TRUE(r.previousEnabled);
    EXPECT_FALSE(r.nextEnabled) << "last row";
    EXPECT_EQ(r.diveCount, "3 dives");

    form.setTag("rebreather", 4);
    r = refresh(1, 0);
    EXPECT_EQ(r.cylinder1Title, "OXYGÈNE :") << "hCCR leaves the titles as they were";
    EXPECT_EQ(r.diveCount, "One dive");
    EXPECT_FALSE(r.previousEnabled);
    EXPECT_FALSE(r.bailoutButtonEnabled);
    form.setTag("rebreather", 0);
    form.setText("o2Mix", "32");
    form.setText("heMix", "20");
    form.setTag("gaz", 1);
    r = refresh(0);
    EXPECT_EQ(r.cylinder2Title, "Bloc secondaire :");
    EXPECT_EQ(r.setPointTitle, "PpO2 :");
    EXPECT_EQ(r.diveCount, "0 dives");
    EXPECT_EQ(form.text("heMix"), "0");
    EXPECT_EQ(form.text("n2Mix"), "68");
    EXPECT_EQ(r.gasSummary, "EAN 32");
    EXPECT_TRUE(r.oxygenEnabled);
    EXPECT_FALSE(r.heliumEnabled);
    form.setTag("gaz", 3);
    refresh();
    EXPECT_EQ(form.text("heMix"), "68");
    EXPECT_EQ(form.text("n2Mix"), "0");
}

TEST_F(DiveFormTest, RefreshStagesProfileSummaryAndOxygenExposure) {
    settings.setBool("us units", true);
    form.clear(ClearContext{});
    form.setSwitch("deco_Level_3_sw", true);
    form.setText("decoDepth_Level_2", "6.8");
    form.setText("decoO2_Level_2", "50");
    form.setText("volPony1", "12");
    form.setText("pressDepartPony1", "200");
    form.setText("pressFinPony1", "50");
    form.setText("noPlongee", "7");
    form.setTag("difficulte", 3);
    ProfileSeries p;
    p.profilProfondeur = {0, 5, 40, 3};
    p.SURF_Flag = {0, 1, 0, 1};
    p.GAZ_Flag = {0, 1, 2, 7, 9};  // longer than the depth series: the fifth is not read
    p.SLOW_Flag = {1, 1};
    form.setProfile(p);
    FormReadouts r = refresh();

    // The stage's gas is named as the card names it, its depth in the diver's units.
    EXPECT_EQ(r.stages[1].title, "Stage 2: 6 ft - EAN 50");
    EXPECT_EQ(r.stages[0].text, "Volume disponible : 2400 L\rVolume consommé : 1800 L");
    loc.loadTable("Carnet", "\"Stage title feet\" = \"Stage %d: %d ft, %@\";");
    EXPECT_EQ(refresh().stages[1].title, "Stage 2: 6 ft, EAN 50")
        << "translated where a table says so";
    EXPECT_TRUE(r.stages[0].use.present);
    EXPECT_EQ(r.stages[0].use.gaugeMaximum, 200);
    EXPECT_EQ(r.stages[0].use.gaugeValue, 50);
    EXPECT_EQ(r.stages[0].use.gaugeTicks, 20);
    EXPECT_FALSE(r.stages[1].use.present);
    EXPECT_TRUE(r.stages[1].text.empty());
    EXPECT_TRUE(r.stageButtonEnabled);

    EXPECT_EQ(r.profile.maxDepth, 40.0f);
    EXPECT_EQ(r.profile.meanDepth, 12.0f);
    EXPECT_EQ(r.profile.points, 4u);
    EXPECT_EQ(r.profile.surfacings, 1) << "a flag on the last sample is no surfacing";
    EXPECT_EQ(r.profile.gasSwitches, 3);
    EXPECT_EQ(r.profile.slowCount, 2);
    EXPECT_EQ(r.profileText.depth, "40.0 / 12.0");
    EXPECT_EQ(r.profileText.points, "4 points");
    EXPECT_EQ(r.windowTitle, "Dive #7");
    EXPECT_EQ(r.temperatureUnit, "F");
    EXPECT_EQ(r.depthUnit, "ft");
    EXPECT_EQ(r.difficulty, "Hard!");

    // Air at 40 m of samples: 0.21 x 5; samples are metres whatever the units.
    EXPECT_NEAR(*r.oxygen.highestPpO2, 1.05, 1e-9);
    settings.setBool("us units", false);
    form.setText("decoO2_Level_2", "-");
    EXPECT_EQ(refresh().stages[1].title, "Stage 2: 6 m - Air")
        << "no oxygen given: air, as on the card";
    form.setText("decoO2_Level_2", "50");
    // A stop gas counts at its own depth: oxygen at 6 m is 1.6 bar, at 4.5 m 1.45.
    form.setSwitch(F::deco_Level_1_sw, true);
    form.setText(F::decoO2_Level_1, "100");
    form.setText(F::decoDepth_Level_1, "6");
    EXPECT_NEAR(*refresh().oxygen.highestPpO2, 1.6, 1e-9);
    form.setText(F::decoDepth_Level_1, "4.5");
    EXPECT_NEAR(*refresh().oxygen.highestPpO2, 1.45, 1e-9);
    settings.setBool("us units", true);
    form.setText(F::decoDepth_Level_1, "20");  // feet
    EXPECT_NEAR(*refresh().oxygen.highestPpO2, 1.6096, 1e-9);

    // Fewer than two samples: the typed depth stands for the profile, in feet
    // under "us units": 100 ft is 30.48 m, not 100 m.
    form.setProfile(ProfileSeries{});
    form.setSwitch(F::deco_Level_1_sw, false);
    form.setText(F::profondeur, "100");
    form.setText(F::o2Mix, "32");
    r = refresh();
    EXPECT_NEAR(*r.oxygen.highestPpO2, 0.32 * 4.048, 1e-9);
    EXPECT_EQ(r.profile.points, 0u);
    settings.setBool("us units", false);
    form.setText(F::profondeur, "30");
    EXPECT_NEAR(*refresh().oxygen.highestPpO2, 1.28, 1e-9);

    // A closed circuit breathes its set point, never more than the ambient
    // pressure; without a set point there is nothing to say.
    form.setTag(F::rebreather, 3);
    form.setTag(F::ppO2, 3);  // 1.4 bar
    form.setText(F::profondeur, "40");
    EXPECT_NEAR(*refresh().oxygen.highestPpO2, 1.4, 1e-9) << "not 5.0 for its oxygen cylinder";
    form.setText(F::profondeur, "2");
    EXPECT_NEAR(*refresh().oxygen.highestPpO2, 1.2, 1e-9);
    form.setTag(F::ppO2, 0);
    r = refresh();
    EXPECT_FALSE(r.oxygen.highestPpO2);
    EXPECT_FALSE(r.oxygen.cnsPercent);
    EXPECT_EQ(r.oxygen.text, "N/A") << "its own key, not a number";
}

TEST_F(DiveFormTest, PickListQuestionTrimsSpacesOnlyAndAlwaysSortsAndStores) {
    pickLists.list("sites") = {"Wreck", "Arch"};
    EXPECT_TRUE(DiveFormCombos::shouldAskToAdd(pickLists, "sites", "Cave "));
    DiveFormCombos::acceptAdd(pickLists, "sites", "Cave ", true);
    EXPECT_EQ(pickLists.list("sites"), (std::vector<std::string>{"Arch", "Cave ", "Wreck"}));
    EXPECT_FALSE(DiveFormCombos::shouldAskToAdd(pickLists, "sites", "Cave "));
    EXPECT_TRUE(DiveFormCombos::shouldAskToAdd(pickLists, "sites", "Cave")) << "compares untrimmed";
    EXPECT_FALSE(DiveFormCombos::shouldAskToAdd(pickLists, "sites", "   "));
    EXPECT_TRUE(DiveFormCombos::shouldAskToAdd(pickLists, "sites", "\t"));

    pickLists.list("sites") = {"Zed", "Arch"};
    DiveFormCombos::acceptAdd(pickLists, "sites", "New", false);
    EXPECT_EQ(settings.listForKey("sites"), (std::vector<std::string>{"Arch", "Zed"}));

    EXPECT_EQ(DiveFormCombos::pickListKey("equip_12"), "sac de plongee");
    EXPECT_EQ(DiveFormCombos::pickListKey("partenaires"), "partenaires");
    EXPECT_EQ(&DiveFormCombos::items("site", pickLists), &pickLists.list("sites"));
    EXPECT_EQ(DiveFormCombos::items("pressionBloc_2", pickLists).back(), "300");
    EXPECT_TRUE(DiveFormCombos::items("meteo", pickLists).empty());
    for (const auto& c : DiveFormCombos::comboControls())
        EXPECT_EQ(DiveForm::kindOf(c), DiveForm::ControlKind::Text) << c;
}

}  // namespace

TEST_F(DiveFormTest, StoreNamesTheFieldsItCorrectedInTheOrderItDid) {
    form.load(filledDive());
    form.setText(F::heMix, "0");
    EXPECT_TRUE(form.store(settings).corrected.empty()) << "every value in its range";
    form.setText(F::heMix_2, "90");
    form.setText(F::o2Mix, "0");
    form.setText(F::profondeur, "-1");
    form.setText(F::tempEau, "101");
    const StoreResult r = form.store(settings);
    EXPECT_EQ(r.corrected, (std::vector<F>{F::tempEau, F::profondeur, F::o2Mix, F::heMix_2}));
    EXPECT_EQ(r.alerts, std::vector<std::string>{std::string(DiveForm::kHeliumAlert)})
        << "a correction with or without an alert";
    EXPECT_TRUE(form.store(settings).corrected.empty()) << "the form shows what it corrected";
}

TEST_F(DiveFormTest, AFieldOfAKindAlwaysFindsItsControl) {
    // What a draft's fields are checked for when compiled must hold when run.
    for (std::size_t i = 0; i < Plongee::fields().size(); ++i) {
        const auto field = static_cast<F>(i);
        const auto kind = DiveForm::controlKindOf(field);
        const std::size_t index = kind ? DiveForm::valueIndexOf(*kind) : 4;
        SCOPED_TRACE(Plongee::nameOf(field));
        auto accepts = [&](auto set) {
            try {
                set();
                return true;
            } catch (const std::out_of_range&) {
                return false;
            }
        };
        EXPECT_EQ(accepts([&] { form.setText(field, "1"); }), index == 0);
        EXPECT_EQ(accepts([&] { form.setTag(field, 1); }), index == 1);
        EXPECT_EQ(accepts([&] { form.setSwitch(field, true); }), index == 2);
        EXPECT_EQ(accepts([&] { form.setDate(field, Date{}); }), index == 3);
    }
    static_assert(DiveForm::controlKindOf(F::difficulte) == DiveForm::ControlKind::Slider);
    static_assert(!DiveForm::controlKindOf(F::PRESS_Data));
}
