// Dive table rules: cell texts, the colouring rules in order, columns and sorting.

#include <gtest/gtest.h>

#include <algorithm>

#include "logbook/DiveTable.h"
#include "settings/AppContext.h"

using namespace divelog;
using F = Plongee::Field;

namespace {

struct TableFixture : ::testing::Test {
    InMemorySettingsStore store;
    AppContext context{store};
    DiveTable table{context.localisation()};

    void SetUp() override {
        context.initialize();
        context.localisation().loadTable("Carnet", R"(
"TableView low tide only" = "LT";
"TableView low tide" = "LT %d";
"TableView high tide only" = "HT";
"TableView high tide" = "HT %d";
"Celsius" = "%d °C";
"Farenheit" = "%d °F";
"Air" = "Air";
"TableView air Nx" = "Air/Nx";
"TableView air Nx O2" = "Air/Nx/O2";
"TableView air O2" = "Air/O2";
"TableView good" = "Good";
"%@ '" = "%@ min";
"1,4 bar" = "1.4 bar";
)");
    }
    TableAppearance look() const { return TableAppearance::read(store); }
    std::string text(const Plongee& d, Plongee::Field col) const {
        return table.cellValue(d, col, look()).text;
    }
};

const Colour kBlack{0, 0, 0, 1};

}  // namespace

TEST_F(TableFixture, TideUnitsAndCodedCells) {
    Plongee d;
    d.setPmBm(2);
    EXPECT_EQ(text(d, F::coeff), "LT");
    d.setCoeff(95);
    EXPECT_EQ(text(d, F::coeff), "LT 95");
    d.setPmBm(1);
    EXPECT_EQ(text(d, F::coeff), "HT 95");
    d.setPmBm(0);
    EXPECT_EQ(text(d, F::coeff), "95");
    d.setCoeff(0);
    EXPECT_EQ(text(d, F::coeff), "-");

    d.setProfondeur(30);
    d.setTemps(42);
    d.setTempEau(20);
    EXPECT_EQ(text(d, F::profondeur), "30 m");
    EXPECT_EQ(text(d, F::temps), "42 min");
    EXPECT_EQ(text(d, F::tempEau), "20 °C");
    store.setBool("us units", true);
    EXPECT_EQ(text(d, F::profondeur), "30 ft") << "labels change, values never";
    EXPECT_EQ(text(d, F::tempEau), "20 °F");
    store.setBool("display units", false);
    EXPECT_EQ(text(d, F::profondeur), "30");
    EXPECT_EQ(text(d, F::temps), "42");
    d.setTempEau(-50);
    EXPECT_EQ(text(d, F::tempEau), "-");
    d.setTempEau(0);
    EXPECT_EQ(text(d, F::tempEau), "0 °F") << "0 is a real temperature";

    d.setVisibilite(7);
    EXPECT_EQ(text(d, F::visibilite), "");
    d.setVisibilite(2);
    EXPECT_EQ(text(d, F::visibilite), "Good");
    d.setInoubliable(4);
    EXPECT_EQ(table.cellValue(d, F::inoubliable, look()).image, "death");
    d.setEpaves(std::string("Donator"));
    EXPECT_EQ(table.cellValue(d, F::epaves, look()).image, "epave");
    d.setRebreather(3);
    EXPECT_EQ(text(d, F::rebreather), "eCCR");
}

TEST_F(TableFixture, GasColumn) {
    Plongee d;
    EXPECT_EQ(text(d, F::gaz), "Air");
    d.setDecoO2_Level_1(100);
    d.setDecoO2_Level_2(50);
    EXPECT_EQ(text(d, F::gaz), "Air/Nx/O2");
    d.setDecoO2_Level_1(50);
    EXPECT_EQ(text(d, F::gaz), "Air/Nx");
    d.setDecoO2_Level_1(100);
    d.setDecoO2_Level_2(21);
    EXPECT_EQ(text(d, F::gaz), "Air/O2");
    d.setRebreather(2);
    d.setPpO2(3);
    EXPECT_EQ(text(d, F::gaz), "1.4 bar");
    d.setRebreather(4);
    EXPECT_EQ(text(d, F::gaz), "1.4 bar") << "hCCR is a closed circuit too";
    d.setPpO2(0);
    EXPECT_EQ(text(d, F::gaz), "...");
    d.setRebreather(0);
    d.setGaz(1);
    d.setO2Mix(32);
    EXPECT_EQ(text(d, F::gaz), "Nx 32");
    d.setDeco_Level_1_sw(1);
    EXPECT_EQ(text(d, F::gaz), "O2");
    d.setGaz(4);
    d.setHeMix(35);
    EXPECT_EQ(text(d, F::gaz), "Tx 32/35");
    d.setGaz(3);
    EXPECT_EQ(text(d, F::gaz), "Heliox 32");
    d.setGaz(9);
    EXPECT_EQ(text(d, F::gaz), "9") << "an unknown code shows itself";
}

TEST_F(TableFixture, ColouringRulesApplyInOrder) {
    store.setBool("mix in color", true);
    store.setBool("foreign in color", true);
    store.setColour("foreign color", Colour{0.725f, 1, 0.674f, 1});
    store.setString("country code", "FRA");
    Plongee d;
    d.setCountryCode(std::string("EGY"));
    d.setGaz(1);

    // Rule 1 colours a foreign dive's site; rule 2 overrides the number cell.
    EXPECT_EQ(table.cellStyle(d, F::site, look()).background, (Colour{0.725f, 1, 0.674f, 1}));
    EXPECT_FALSE(table.cellStyle(d, F::epaves, look()).background);
    CellStyle number = table.cellStyle(d, F::noPlongee, look());
    EXPECT_TRUE(number.bold);
    EXPECT_EQ(number.background, (Colour{0, 0.7f, 0, 1}));
    EXPECT_EQ(number.text, (Colour{1, 1, 0, 1}));

    d.setGaz(0);
    d.setRebreather(1);
    EXPECT_EQ(table.cellStyle(d, F::noPlongee, look()).background, (Colour{0.5f, 0.5f, 0.5f, 1}));
    d.setRebreather(0);
    CellStyle plain = table.cellStyle(d, F::noPlongee, look());
    EXPECT_FALSE(plain.background) << "the last case clears the foreign background";
    EXPECT_EQ(plain.text, (Colour{0.4f, 0.2f, 0, 1}));

    // Night dives in the visibility column.
    store.setBool("nocturnes in color", true);
    d.setNocturne(1);
    EXPECT_EQ(table.cellStyle(d, F::visibilite, look()).background, (Colour{0, 0, 0.3f, 1}));

    // With both mix and night colours off the number and gas cells are normal.
    store.setBool("mix in color", false);
    store.setBool("nocturnes in color", false);
    EXPECT_EQ(table.cellStyle(d, F::gaz, look()), CellStyle{});

    // Rule 5: highlighted location text.
    store.setBool("color item", true);
    store.setString("coloured text", "Cassis");
    store.setNumber("coloured theme", 0);
    d.setLieu(std::string("Cassis"));
    CellStyle hit = table.cellStyle(d, F::lieu, look());
    EXPECT_TRUE(hit.bold);
    EXPECT_EQ(hit.text, (Colour{1, 0, 0, 1}));
    d.setLieu(std::string("cassis"));
    EXPECT_FALSE(table.cellStyle(d, F::lieu, look()).bold) << "exact text only";
}

TEST_F(TableFixture, ColdWaterDepthAndTimeColours) {
    store.setBool("low temperature in color", true);
    store.setString("low temperature value", "10");
    Plongee d;
    for (int t : {9, -50}) {
        d.setTempEau(t);
        EXPECT_EQ(table.cellStyle(d, F::tempEau, look()).text, (Colour{0, 0, 1, 1})) << t;
    }
    d.setTempEau(10);
    EXPECT_EQ(table.cellStyle(d, F::tempEau, look()).text, kBlack);

    EXPECT_EQ(table.cellStyle(d, F::profondeur, look()).text, (Colour{0, 0, 1, 1}));
    store.setData("time color", {1, 2, 3});  // undecodable: the rule changes nothing
    EXPECT_EQ(table.cellStyle(d, F::temps, look()).text, kBlack);
    store.setBool("depth time in color", false);
    EXPECT_EQ(table.cellStyle(d, F::profondeur, look()).text, kBlack);
}

TEST_F(TableFixture, VisibleColumnsKeepTheirInitialOrder) {
    for (const auto& c : DiveColumns::all()) store.setBool(std::string(c.visibilityKey), false);
    for (const char* k : {"column temps", "column numero", "column coeff", "column site"})
        store.setBool(k, true);
    EXPECT_EQ(DiveTable::visibleColumns(store),
              (std::vector<F>{F::noPlongee, F::site, F::temps, F::coeff}));
    store.setBool("column coeff", false);
    store.setBool("column coeff", true);
    EXPECT_EQ(DiveTable::visibleColumns(store)[3], F::coeff);
}

TEST_F(TableFixture, FirstUseShowsEveryColumnButTheApparatusAndKeepsUserChoices) {
    store.setBool("column coeff", false);
    store.setBool("column scaph", true);
    DiveTable::writeDefaultColumnSwitches(store);
    auto visible = DiveTable::visibleColumns(store);
    EXPECT_EQ(visible.size(), DiveColumns::all().size() - 1);
    EXPECT_EQ(std::count(visible.begin(), visible.end(), F::coeff), 0)
        << "a switch set off stays off";
    EXPECT_EQ(std::count(visible.begin(), visible.end(), F::rebreather), 1);

    InMemorySettingsStore fresh;
    DiveTable::writeDefaultColumnSwitches(fresh);
    EXPECT_FALSE(fresh.boolForKey("column scaph"));
    EXPECT_TRUE(fresh.boolForKey("column_epave"));
    EXPECT_EQ(DiveTable::visibleColumns(fresh).size(), DiveColumns::all().size() - 1);
}

TEST_F(TableFixture, SortDirectionMemoryAndStableSort) {
    EXPECT_FALSE(table.directionForClick(F::profondeur)) << "nothing stored: descending";
    EXPECT_TRUE(table.directionForClick(F::profondeur));
    EXPECT_FALSE(table.directionForClick(F::profondeur));
    EXPECT_TRUE(table.directionForClick(F::profondeur));
    EXPECT_FALSE(table.directionForClick(F::site));
    EXPECT_TRUE(table.directionForClick(F::profondeur)) << "back to depth: stored, not flipped";

    Carnet::DiveList dives;
    for (auto [n, depth, site] : {std::tuple{1, 20.f, "b"}, {2, 35.f, "a"}, {3, 20.f, ""}}) {
        auto p = std::make_unique<Plongee>();
        p->setNoPlongee(n);
        p->setProfondeur(depth);
        if (*site) p->setSite(std::string(site));
        dives.push_back(std::move(p));
    }
    Carnet carnet;
    carnet.loadList(std::move(dives));
    carnet.sortDives(F::profondeur, false);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 2);
    EXPECT_EQ(carnet.dive(1).noPlongee(), 1) << "equal depths keep their order";
    carnet.sortDives(F::site, true);
    EXPECT_EQ(carnet.dive(0).noPlongee(), 3) << "an absent site sorts first";
    EXPECT_EQ(carnet.dive(1).noPlongee(), 2);
    EXPECT_FALSE(carnet.isChanged()) << "an order is nothing to save";
}

TEST_F(TableFixture, OnlyPlainTextColumnsAreEditableInPlace) {
    for (const auto& c : DiveColumns::all())
        EXPECT_EQ(DiveTable::isEditableInPlace(c.field), c.field == F::lieu || c.field == F::site);
}
