// The standard UDDF 3.2 export: valid against the standard's schema, and
// read back by the UDDF import as the same dives.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ExchangeTestFiles.h"
#include "ExchangeTestLogbook.h"
#include "profile/ProfileSeries.h"

using namespace divelog;
using divelog::testing::at;
using F = Plongee::Field;

namespace {

constexpr std::string_view kType = "Export UDDF 3.2 (standard)";

std::string exported(const Carnet::DiveList& dives, bool usUnits = false) {
    Localisation texts;
    divelog::testing::MemoryOutput out;
    std::string error;
    EXPECT_TRUE(exportDives(dives, kType, ExportContext{texts, usUnits, at(2026, 12, 5, 14, 3)},
                            out, error));
    return out.bytes;
}

// The two dives of the exchange tests and a third with every field the
// export writes: a second cylinder, notes on two lines, air temperature,
// altitude, every alarm, and text XML cannot hold as it is.
Carnet::DiveList logbook() {
    Carnet::DiveList dives = divelog::testing::twoDives();
    auto c = std::make_unique<Plongee>(*dives[0]);
    c->setNoPlongee(14);
    c->setDate(at(2012, 7, 31, 15, 40));
    c->setHeure(at(2001, 1, 1, 15, 40));
    c->setLieu(std::string("Cassis <\"Calanques\"> & co"));
    c->setSite(std::string("Bad\x01text \xFF here"));
    c->setNotes(std::string("Groupers at 20 m.\nA moray, too."));
    c->setAltitude(350);
    c->setTempAir(-3);
    c->setGaz(2);
    c->setO2Mix(18);
    c->setHeMix(45);
    c->setVolumeBloc_2(7);
    c->setPressionDepart_2(200);
    c->setPressionFin_2(120);
    c->setGaz_2(1);
    c->setO2Mix_2(50);
    c->setSamplingRate(3);
    c->setProfilProfondeur(std::vector<double>{0, 21.5, 60.25, 30, 6, 0});
    c->setASC_Flag(std::vector<std::int32_t>{0, 0, 0, 0, 1, 0});
    c->setSLOW_Flag(std::vector<std::int32_t>{0, 0, 0, 1, 0, 0});
    c->setSURF_Flag(std::vector<std::int32_t>{0, 0, 0, 0, 0, 1});
    c->setCEIL_Flag(std::vector<std::int32_t>{0, 0, 1, 0, 0, 0});
    c->setGAZ_Flag(std::vector<std::int32_t>{0, 0, 0, 0, 0, 0});
    c->setPRESS_Data(std::vector<double>{210, 190, 0, 120.5, 90, 80});
    dives.push_back(std::move(c));
    return dives;
}

// A closed-circuit dive that uses every field the standard has an element
// for: the set point and diluent, stage and bail-out cylinders, gas switches
// to the bottom gas and to stop gases, a position, buddies, a boat,
// visibility and current, the surface interval, the weight and the mark.
Plongee everyField() {
    Plongee d = *divelog::testing::twoDives()[0];
    d.setNoPlongee(15);
    d.setDate(at(2012, 8, 2, 8, 30));
    d.setHeure(at(2001, 1, 1, 8, 30));
    d.setLieu(std::string("Marseille"));
    d.setSite(std::string("Le Liban"));
    d.setGps(
        std::string("N 43\xC2\xB0"
                    "12.345' E 005\xC2\xB0"
                    "20.123'"));
    d.setGpsSystem(1);
    d.setPartenaires(std::string("Anne Dupont; Bob"));
    d.setBateau(std::string("Le Saint-Georges"));
    d.setVisibilite(2);
    d.setCourant(3);
    d.setSurface(std::string("01:45"));
    d.setInoubliable(1);
    d.setLestage(4.5f);
    d.setRebreather(3);
    d.setPpO2(2);  // 1.3 bar
    d.setGaz(1);
    d.setO2Mix(100);
    d.setHeMix(0);
    d.setVolumeBloc(3);
    d.setPressionDepart(200);
    d.setPressionFin(120);
    d.setAlliageBloc(1);
    d.setGaz_2(2);
    d.setO2Mix_2(18);
    d.setHeMix_2(45);
    d.setVolumeBloc_2(3);
    d.setPressionDepart_2(210);
    d.setPressionFin_2(90);
    d.setAlliageBloc_2(2);
    d.setDecoO2_Level_1(50);
    d.setDecoHe_Level_1(0);
    d.setVolPony1(7);
    d.setPressDepartPony1(200);
    d.setPressFinPony1(140);
    d.setDecoO2_Level_4(80);
    d.setVolBailout1(11);
    d.setPressDepartBailout1(200);
    d.setPressFinBailout1(200);
    d.setO2Bailout1(21);
    d.setHeBailout1(35);
    d.setTempAir(24);
    d.setAltitude(0);
    d.setSamplingRate(0);
    d.setProfilProfondeur(std::vector<double>{0, 20, 60, 21, 12, 6, 0});
    d.setASC_Flag(std::vector<std::int32_t>{0, 0, 0, 1, 0, 0, 0});
    d.setSLOW_Flag(std::vector<std::int32_t>(7, 0));
    d.setSURF_Flag(std::vector<std::int32_t>{0, 0, 0, 0, 0, 0, 1});
    d.setCEIL_Flag(std::vector<std::int32_t>(7, 0));
    d.setGAZ_Flag(std::vector<std::int32_t>{0, 0, 0, 2, 5, 1, 0});
    d.setPRESS_Data(std::vector<double>{200, 190, 170, 150, 140, 130, 120});
    d.setConfiguration(1);
    return d;
}

// xmllint's verdict on the text; its messages go to the test's output.
int validate(const std::string& text, const std::string& name) {
    // The standard's own schema, kept unchanged with the test data so a
    // clean clone validates too; the workplace's copy beside the tree is
    // the reference it comes from.
    auto schema = divelog::testing::sourceTree() / "tests/data/uddf/uddf-3.2.3.xsd";
    if (!std::filesystem::exists(schema))
        schema = divelog::testing::sourceTree().parent_path() / "shared/uddf/uddf-3.2.3.xsd";
    if (!std::filesystem::exists(schema)) {
        ADD_FAILURE() << "no schema at " << schema;
        return -1;
    }
    const auto file = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream(file, std::ios::binary) << text;
    const std::string command =
        "xmllint --noout --schema '" + schema.string() + "' '" + file.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::filesystem::remove(file);
    return status;
}

}  // namespace

TEST(StandardUddf, EveryFileValidatesAgainstTheSchema) {
    ASSERT_EQ(std::system("xmllint --version >/dev/null 2>&1"), 0)
        << "xmllint missing: run scripts/deps";
    EXPECT_EQ(validate(exported(logbook()), "full.uddf"), 0);
    EXPECT_EQ(validate(exported(logbook(), true), "us-units.uddf"), 0);
    EXPECT_EQ(validate(exported({}), "empty.uddf"), 0);
    Carnet::DiveList bare;
    bare.push_back(std::make_unique<Plongee>());  // every number 0, every text absent
    EXPECT_EQ(validate(exported(bare), "bare.uddf"), 0);
    Carnet::DiveList full;
    full.push_back(std::make_unique<Plongee>(everyField()));
    EXPECT_EQ(validate(exported(full), "every-field.uddf"), 0);
}

TEST(StandardUddf, EveryFieldTheStandardCarriesComesBack) {
    Carnet::DiveList dives;
    dives.push_back(std::make_unique<Plongee>(everyField()));
    const std::string text = exported(dives);
    // A closed circuit breathes its diluent from the start, not the oxygen.
    EXPECT_NE(text.find("<divemode type=\"closedcircuit\"/>"), std::string::npos);
    EXPECT_NE(text.find("<setpo2 setby=\"user\">130000</setpo2>"), std::string::npos);
    const std::size_t first = text.find("<switchmix ref=");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(text.find("<switchmix ref=\"mix18_45\"/>"), first) << text.substr(first, 40);
    const auto in = divelog::testing::readBack("UDDF", text, {}, {}, false, 15);
    ASSERT_EQ(in.dives.size(), 1u);
    EXPECT_TRUE(in.report.empty()) << in.report.front();
    const Plongee &a = *dives[0], &b = *in.dives[0];
    // Every field of the documented table that has an element.
    for (Plongee::Field f : {F::noPlongee,
                             F::date,
                             F::lieu,
                             F::site,
                             F::pays,
                             F::gps,
                             F::gpsSystem,
                             F::partenaires,
                             F::bateau,
                             F::visibilite,
                             F::courant,
                             F::tempEau,
                             F::tempAir,
                             F::surface,
                             F::profondeur,
                             F::temps,
                             F::altitude,
                             F::decoO2_Level_1,
                             F::decoHe_Level_1,
                             F::decoO2_Level_4,
                             F::volPony1,
                             F::pressDepartPony1,
                             F::pressFinPony1,
                             F::volBailout1,
                             F::pressDepartBailout1,
                             F::pressFinBailout1,
                             F::O2Bailout1,
                             F::HeBailout1,
                             F::rebreather,
                             F::ppO2,
                             F::alliageBloc,
                             F::alliageBloc_2,
                             F::volumeBloc,
                             F::volumeBloc_2,
                             F::pressionDepart,
                             F::pressionDepart_2,
                             F::pressionFin,
                             F::pressionFin_2,
                             F::gaz,
                             F::gaz_2,
                             F::o2Mix,
                             F::o2Mix_2,
                             F::heMix,
                             F::heMix_2,
                             F::samplingRate,
                             F::lestage,
                             F::configuration,
                             F::notes,
                             F::inoubliable})
        EXPECT_EQ(b.value(f), a.value(f)) << Plongee::nameOf(f);
    EXPECT_EQ(localParts(*b.heure()).hour, 8);
    EXPECT_EQ(localParts(*b.heure()).minute, 30);
    const auto before = divelog::testing::describe(a), after = divelog::testing::describe(b);
    for (const char* key : {"profile", "alarms", "switches", "pressures", "interval"})
        EXPECT_EQ(after.at(key), before.at(key)) << key;
}

TEST(StandardUddf, OneDefinitionPerGasAndSiteOneGroupPerDay) {
    const std::string text = exported(logbook());
    EXPECT_NE(text.find("<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.3\">"),
              std::string::npos);
    auto count = [&](std::string_view what) {
        std::size_t n = 0;
        for (std::size_t k = 0; (k = text.find(what, k)) != std::string::npos; ++k) ++n;
        return n;
    };
    EXPECT_EQ(count("<mix id="), 4u) << "nitrox 32, triox 30/30, trimix 18/45, nitrox 50";
    EXPECT_EQ(count("<site id="), 3u);
    EXPECT_EQ(count("<repetitiongroup id="), 2u) << "the 30th, then the two dives of the 31st";
    EXPECT_EQ(count("<switchmix ref="), 2u) << "on the first waypoint of each dive with samples";
    EXPECT_NE(text.find("<tankpressurebegin>20000000</tankpressurebegin>"), std::string::npos)
        << "pascals";
    EXPECT_NE(text.find("<tankvolume>0.012</tankvolume>"), std::string::npos) << "cubic metres";
    EXPECT_NE(text.find("<lowesttemperature>291.15</lowesttemperature>"), std::string::npos)
        << "kelvins";
    EXPECT_NE(text.find("<datetime>2012-07-30T10:15:00</datetime>"), std::string::npos)
        << "local, no zone";
    const std::string us = exported(logbook(), true);
    EXPECT_NE(us.find("<greatestdepth>12.16152</greatestdepth>"), std::string::npos)
        << "39.9 ft in metres";
    EXPECT_NE(us.find("<lowesttemperature>265.37</lowesttemperature>"), std::string::npos)
        << "18 F in kelvins";
}

TEST(StandardUddf, ASiteWithoutAPlaceComesBackAsASite) {
    Carnet::DiveList dives = logbook();
    dives.resize(1);
    dives[0]->setLieu(std::string());
    dives[0]->setSite(std::string("La Gabiniere"));
    EXPECT_EQ(validate(exported(dives), "site-only.uddf"), 0);
    const auto in = divelog::testing::readBack("UDDF", exported(dives));
    ASSERT_EQ(in.dives.size(), 1u);
    EXPECT_EQ(in.dives[0]->lieu().value_or(""), "");
    EXPECT_EQ(in.dives[0]->site(), "La Gabiniere");
}

TEST(StandardUddf, ReadBackGivesTheSameDives) {
    const Carnet::DiveList original = logbook();
    const auto in = divelog::testing::readBack("UDDF", exported(original));
    ASSERT_EQ(in.dives.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        SCOPED_TRACE(i);
        const Plongee &a = *original[i], &b = *in.dives[i];
        EXPECT_EQ(b.date(), a.date());
        EXPECT_EQ(localParts(*b.heure()).hour, localParts(*a.heure()).hour);
        EXPECT_EQ(localParts(*b.heure()).minute, localParts(*a.heure()).minute);
        EXPECT_EQ(b.profondeur(), a.profondeur());
        EXPECT_EQ(b.temps(), a.temps());
        EXPECT_EQ(b.tempEau(), a.tempEau());
        EXPECT_EQ(b.tempAir(), a.tempAir());
        EXPECT_EQ(b.altitude(), a.altitude());
        EXPECT_EQ(b.lieu(), a.lieu());
        EXPECT_EQ(b.pays(), a.pays());
        EXPECT_EQ(b.notes(), a.notes());
        for (auto f : {&Plongee::gaz, &Plongee::o2Mix, &Plongee::heMix, &Plongee::volumeBloc,
                       &Plongee::pressionDepart, &Plongee::pressionFin, &Plongee::volumeBloc_2,
                       &Plongee::pressionDepart_2, &Plongee::pressionFin_2})
            EXPECT_EQ((b.*f)(), (a.*f)());
        EXPECT_EQ(ProfileSeries::of(b), ProfileSeries::of(a));
        if (a.profilProfondeur()->size() > 1) {
            EXPECT_EQ(b.samplingRate(), a.samplingRate());
        }
    }
    EXPECT_EQ(in.dives[1]->site().value_or(""), "") << "a place without a site stays so";
    EXPECT_EQ(in.dives[2]->site(), "Badtext \xEF\xBF\xBD here") << "what XML cannot hold, replaced";
    EXPECT_EQ(in.dives[2]->gaz_2(), 1);
    EXPECT_EQ(in.dives[2]->o2Mix_2(), 50);
    EXPECT_TRUE(in.report.empty()) << in.report.front();
}
