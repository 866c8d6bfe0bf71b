// Field access by name and the values a new dive starts with.

#include <gtest/gtest.h>

#include <limits>

#include "dive/Plongee.h"

using namespace divelog;

TEST(Plongee, ARecordMadeWithoutTheFormIsAllZeroAndAbsent) {
    Plongee p;
    for (const auto& f : Plongee::fields()) {
        Plongee::Value v = p.value(f.name);
        switch (f.kind) {
            case Plongee::Kind::INT: EXPECT_EQ(v, Plongee::Value(std::int32_t{0})) << f.name; break;
            case Plongee::Kind::FLOAT: EXPECT_EQ(v, Plongee::Value(0.0f)) << f.name; break;
            default: EXPECT_TRUE(std::holds_alternative<std::monostate>(v)) << f.name;
        }
    }
    EXPECT_EQ(Plongee::fields().size(), 127u);
}

TEST(Plongee, FieldsAreReachedByNameWithTheirOwnKindOnly) {
    Plongee p;
    EXPECT_TRUE(p.setValue("bateau", std::string("Aldebaran")));
    EXPECT_EQ(p.bateau(), "Aldebaran");
    EXPECT_TRUE(p.setValue("tempEau", std::int32_t{-50}));
    EXPECT_EQ(p.tempEau(), -50);
    EXPECT_TRUE(p.setValue("profondeur", 31.5f));
    EXPECT_EQ(p.text("profondeur"), "31.5");
    EXPECT_EQ(p.text("noPlongee"), "0");

    // A text never lands in a number field, nor a number in a text field.
    EXPECT_FALSE(p.setValue("noPlongee", std::string("12")));
    EXPECT_FALSE(p.setValue("notes", std::int32_t{3}));
    EXPECT_FALSE(p.setValue("no such field", std::int32_t{3}));
    EXPECT_EQ(p.noPlongee(), 0);
    EXPECT_FALSE(p.notes());

    EXPECT_TRUE(p.setValue("bateau", Plongee::Value{}));
    EXPECT_FALSE(p.bateau().has_value());
    EXPECT_EQ(p.text("bateau"), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(p.value("unknown")));
}

TEST(Plongee, ProfileSettersKeepTheirOwnCopy) {
    std::vector<double> depths = {0, 5, 10};
    Plongee p;
    p.setProfilProfondeur(depths);
    depths[1] = 99;
    EXPECT_EQ((*p.profilProfondeur())[1], 5);
}

TEST(Plongee, NewDiveValues) {
    Plongee previous;
    previous.setVolBailout1(7);
    previous.setO2Bailout2(50);
    NewDiveDefaults d;
    d.number = 12;
    d.now = Date{1000};
    d.countryCode = "FRA";
    d.gpsTemplate = "N 00°00.000 E 000°00.000";
    d.stopInterval = 3;
    d.tankVolume = 15;
    d.tankPressure = 230;
    d.ordinateur = "Vyper";
    d.samplingRate = 5;
    d.previous = &previous;
    Plongee p = makeNewDive(d);

    EXPECT_EQ(p.noPlongee(), 12);
    EXPECT_EQ(p.date(), Date{1000});
    DateParts t = localParts(*p.heure());
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(p.countryCode(), "FRA");
    EXPECT_EQ(p.gpsSystem(), 1);
    EXPECT_EQ(p.meteo(), 7);
    EXPECT_EQ(p.ventSecteur(), 0);
    EXPECT_EQ(p.courant(), 6);
    EXPECT_EQ(p.visibilite(), 7);
    EXPECT_EQ(p.typePlongee(), 8);
    EXPECT_EQ(p.tempEau(), -50);
    EXPECT_EQ(p.tempAir(), -50);
    EXPECT_EQ(p.surface(), "--:--");
    EXPECT_EQ(p.decoDepth_Level_1(), 3.0f);
    EXPECT_EQ(p.decoDepth_Level_5(), 15.0f);
    EXPECT_EQ(p.volBailout1(), 7);
    EXPECT_EQ(p.O2Bailout2(), 50);
    EXPECT_EQ(p.decoSoftName(), "-");
    EXPECT_EQ(p.volumeBloc(), 15);
    EXPECT_EQ(p.pressionBloc(), 230);
    EXPECT_EQ(p.volumeBloc_2(), 0);
    EXPECT_EQ(p.o2Mix(), 21);
    EXPECT_EQ(p.o2Mix_2(), 21);
    EXPECT_EQ(p.configuration(), 0) << "recreational until the diver says otherwise";
    EXPECT_EQ(p.ordinateur(), "Vyper");
    EXPECT_EQ(p.samplingRate(), 5);
    EXPECT_EQ(p.lieu(), "");
    EXPECT_EQ(p.equip_12(), "");
    EXPECT_EQ(p.profilProfondeur(), std::vector<double>{0.0});
    EXPECT_EQ(p.GAZ_Flag(), std::vector<std::int32_t>{0});

    d.stopInterval = 4.5;
    d.previous = nullptr;
    Plongee q = makeNewDive(d);
    EXPECT_EQ(q.decoDepth_Level_2(), 9.0f);
    EXPECT_EQ(q.volBailout1(), 0);
}

TEST(Plongee, DatesFromDamagedFilesFormatWithoutHarm) {
    Plongee p;
    for (double seconds : {-7.8804e+115, 1e300, std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity()}) {
        p.setDate(Date{seconds});
        EXPECT_FALSE(p.text("date").empty()) << seconds;
    }
    p.setDate(dateFromLocalParts(DateParts{2024, 5, 31, 14, 5, 0}));
    EXPECT_EQ(p.text("date"), "2024-05-31");
    EXPECT_EQ(formatTime(*p.date()), "14:05");
}
