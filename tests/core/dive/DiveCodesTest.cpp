// The one statement of what each code of a dive means, and its readers:
// the form's choices, its gas summary and the table's cells say the same.

#include <gtest/gtest.h>

#include <set>

#include "dive/DiveChoices.h"
#include "dive/DiveCodes.h"
#include "localisation/Localisation.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveTable.h"
#include "settings/SettingsStore.h"

using namespace divelog;
using F = Plongee::Field;

TEST(DiveCodes, EveryChoiceOfTheFormHasOneTableOfDistinctCodes) {
    for (const auto& c : DiveForm::controls()) {
        const bool coded = c.kind == DiveForm::ControlKind::Tag ||
                           c.kind == DiveForm::ControlKind::Selector ||
                           c.kind == DiveForm::ControlKind::Slider;
        const bool hasTable = c.field && DiveCodes::table(*c.field) != nullptr;
        ASSERT_EQ(hasTable, coded) << c.name;
        if (!coded) continue;
        std::set<std::int32_t> codes;
        for (const auto& m : DiveCodes::table(*c.field)->codes)
            EXPECT_TRUE(codes.insert(m.code).second) << c.name << " code " << m.code;
    }
    EXPECT_EQ(DiveCodes::table(F::site), nullptr);
    EXPECT_EQ(DiveCodes::title(F::typePlongee, 2, Localisation{}), "") << "a legacy code";
    EXPECT_EQ(DiveCodes::title(F::meteo, 42, Localisation{}), "");
}

TEST(DiveCodes, MeaningsTheConsumersShare) {
    for (int a = 0; a <= 5; ++a) EXPECT_EQ(DiveCodes::isClosedCircuit(a), a >= 2 && a <= 4) << a;
    EXPECT_FALSE(DiveCodes::setPointBar(0));
    EXPECT_FALSE(DiveCodes::setPointBar(11));
    const double bar[] = {0, 1.2, 1.3, 1.4, 1.5, 1.6, 1.1, 1.0, 0.9, 0.8, 0.7};
    for (int code = 1; code <= 10; ++code) EXPECT_EQ(*DiveCodes::setPointBar(code), bar[code]);
    EXPECT_EQ(DiveCodes::samplingSeconds(5), 4);
    EXPECT_EQ(DiveCodes::samplingSeconds(6), 1);
    EXPECT_FALSE(DiveCodes::samplingSeconds(8));
    EXPECT_EQ(DiveCodes::title(F::ventForce, 4, Localisation{}), "Wind force 3");
    EXPECT_EQ(DiveCodes::meaning(F::inoubliable, 1)->image, "coeur");
    EXPECT_TRUE(DiveCodes::meaning(F::visibilite, 7)->notGiven);
}

TEST(DiveCodes, ANewDiveSaysNothingWasRecorded) {
    const Localisation texts;
    EXPECT_TRUE(DiveCodes::meaning(F::meteo, NewDiveCodes::kWeather)->notGiven);
    EXPECT_TRUE(DiveCodes::meaning(F::courant, NewDiveCodes::kCurrent)->notGiven);
    EXPECT_TRUE(DiveCodes::meaning(F::visibilite, NewDiveCodes::kVisibility)->notGiven);
    EXPECT_EQ(DiveCodes::title(F::typePlongee, NewDiveCodes::kDiveType, texts), "Other");
    EXPECT_EQ(DiveCodes::title(F::gpsSystem, NewDiveCodes::kGpsSystem, texts), "WGS84");
}

TEST(DiveCodes, GasesKeepTheirNamesInTheFormAndTheirShortFormsInTheTable) {
    Localisation texts;
    InMemorySettingsStore settings;
    DiveTable table(texts);
    const TableAppearance look;
    const char* labels[] = {"Air",       "Nitrox 30",   "Trimix 30/30",
                            "Heliox 30", "Triox 30/30", "Heliair 30/30"};
    const char* cells[] = {"Air", "Nx 30", "Tx 30/30", "Heliox 30", "Tx 30/30", "Tx 30/30"};
    for (std::int32_t gas = 0; gas <= 5; ++gas) {
        EXPECT_EQ(DiveCodes::gasLabel(gas, 30, 30, texts), labels[gas]);
        Plongee d;
        d.setGaz(gas);
        d.setO2Mix(30);
        d.setHeMix(30);
        EXPECT_EQ(table.cellValue(d, F::gaz, look).text, cells[gas]) << gas;
        if (gas == 3) continue;  // heliox rebalances its helium on refresh
        DiveForm form;
        form.load(d);
        EXPECT_EQ(form.refresh(RefreshContext{settings, texts, 1, 0}).gasSummary, labels[gas]);
    }
    // The choice list offers the same names as the codes say.
    for (const Choice& c : DiveChoices::items(F::gaz, texts))
        EXPECT_EQ(c.title, DiveCodes::title(F::gaz, c.tag, texts));
}
