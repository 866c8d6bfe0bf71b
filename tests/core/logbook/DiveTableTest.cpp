// Dive table rules: cell texts, the colouring rules in order, columns and sorting.

#include <gtest/gtest.h>

#include <algorithm>

#include "logbook/DiveTable.h"
#include "settings/AppContext.h"

using namespace divelog;

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
)");
    }
    TableAppearance look() const { return TableAppearance::read(store); }
    std::string text(const Plongee& d, std::string_view col) const {
        return table.cellValue(d, col, look()).text;
    }
};

const Colour kBlack{0, 0, 0, 1};

}  // namespace

TEST_F(TableFixture, TideUnitsAndCodedCells) {
    Plongee d;
    d.setPmBm(2);
    EXPECT_EQ(text(d, "coeff"), "LT");
    d.setCoeff(95);
    EXPECT_EQ(text(d, "coeff"), "LT 95");
    d.setPmBm(1);
    EXPECT_EQ(text(d, "coeff"), "HT 95");
    d.setPmBm(0);
    EXPECT_EQ(text(d, "coeff"), "95");
    d.setCoeff(0);
    EXPECT_EQ(text(d, "coeff"), "-");

    d.setProfondeur(30);
    d.setTemps(42);
    d.setTempEau(20);
    EXPECT_EQ(text(d, "profondeur"), "30 m");
    EXPECT_EQ(text(d, "temps"), "42 '");
    EXPECT_EQ(text(d, "tempEau"), "20 °C");
    store.setBool("us units", true);
    EXPECT_EQ(text(d, "profondeur"), "30 ft") << "labels change, values never";
    EXPECT_EQ(text(d, "tempEau"), "20 °F");
    store.setBool("display units", false);
    EXPECT_EQ(text(d, "profondeur"), "30");
    EXPECT_EQ(text(d, "temps"), "42");
    d.setTempEau(-50);
    EXPECT_EQ(text(d, "tempEau"), "-");
    d.setTempEau(0);
    EXPECT_EQ(text(d, "tempEau"), "0 °F") << "0 is a real temperature";

    d.setVisibilite(7);
    EXPECT_EQ(text(d, "visibilite"), "");
    d.setVisibilite(2);
    EXPECT_EQ(text(d, "visibilite"), "Good");
    d.setInoubliable(4);
    EXPECT_EQ(table.cellValue(d, "inoubliable", look()).image, "death");
    d.setEpaves(std::string("Donator"));
    EXPECT_EQ(table.cellValue(d, "epaves", look()).image, "epave");
    d.setRebreather(3);
    EXPECT_EQ(text(d, "rebreather"), "eCCR");
}

TEST_F(TableFixture, GasColumn) {
    Plongee d;
    EXPECT_EQ(text(d, "gaz"), "Air");
    d.setDecoO2_Level_1(100);
    d.setDecoO2_Level_2(50);
    EXPECT_EQ(text(d, "gaz"), "Air/Nx/O2");
    d.setDecoO2_Level_1(50);
    EXPECT_EQ(text(d, "gaz"), "Air/Nx");
    d.setDecoO2_Level_1(100);
    d.setDecoO2_Level_2(21);
    EXPECT_EQ(text(d, "gaz"), "Air/O2");
    d.setRebreather(2);
    d.setPpO2(3);
    EXPECT_EQ(text(d, "gaz"), "1,4 bar");
    d.setRebreather(0);
    d.setGaz(1);
    d.setO2Mix(32);
    EXPECT_EQ(text(d, "gaz"), "Nx 32");
    d.setDeco_Level_1_sw(1);
    EXPECT_EQ(text(d, "gaz"), "O2");
    d.setGaz(4);
    d.setHeMix(35);
    EXPECT_EQ(text(d, "gaz"), "Tx 32/35");
    d.setGaz(3);
    EXPECT_EQ(text(d, "gaz"), "Heliox 32");
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
    EXPECT_EQ(table.cellStyle(d, "site", look()).background, (Colour{0.725f, 1, 0.674f, 1}));
    EXPECT_FALSE(table.cellStyle(d, "epaves", look()).background);
    CellStyle number = table.cellStyle(d, "noPlongee", look());
    EXPECT_TRUE(number.bold);
    EXPECT_EQ(number.background, (Colour{0, 0.7f, 0, 1}));
    EXPECT_EQ(number.text, (Colour{1, 1, 0, 1}));

    d.setGaz(0);
    d.setRebreather(1);
    EXPECT_EQ(table.cellStyle(d, "noPlongee", look()).background, (Colour{0.5f, 0.5f, 0.5f, 1}));
    d.setRebreather(0);
    CellStyle plain = table.cellStyle(d, "noPlongee", look());
    EXPECT_FALSE(plain.background) << "the last case clears the foreign background";
    EXPECT_EQ(plain.text, (Colour{0.4f, 0.2f, 0, 1}));

    // Night dives in the visibility column.
    store.setBool("nocturnes in color", true);
    d.setNocturne(1);
    EXPECT_EQ(table.cellStyle(d, "visibilite", look()).background, (Colour{0, 0, 0.3f, 1}));

    // With both mix and night colours off the number and gas cells are normal.
    store.setBool("mix in color", false);
    store.setBool("nocturnes in color", false);
    EXPECT_EQ(table.cellStyle(d, "gaz", look()), CellStyle{});

    // Rule 5: highlighted location text.
    store.setBool("color item", true);
    store.setString("coloured text", "Cassis");
    store.setNumber("coloured theme", 0);
    d.setLieu(std::string("Cassis"));
    CellStyle hit = table.cellStyle(d, "lieu", look());
    EXPECT_TRUE(hit.bold);
    EXPECT_EQ(hit.text, (Colour{1, 0, 0, 1}));
    d.setLieu(std::string("cassis"));
    EXPECT_FALSE(table.cellStyle(d, "lieu", look()).bold) << "exact text only";
}

TEST_F(TableFixture, ColdWaterDepthAndTimeColours) {
    store.setBool("low temperature in color", true);
    store.setString("low temperature value", "10");
    Plongee d;
    for (int t : {9, -50}) {
        d.setTempEau(t);
        EXPECT_EQ(table.cellStyle(d, "tempEau", look()).text, (Colour{0, 0, 1, 1})) << t;
    }
    d.setTempEau(10);
    EXPECT_EQ(table.cellStyle(d, "tempEau", look()).text, kBlack);

    EXPECT_EQ(table.cellStyle(d, "profondeur", look()).text, (Colour{0, 0, 1, 1}));
    store.setData("time color", {1, 2, 3});  // undecodable: the rule changes nothing
    EXPECT_EQ(table.cellStyle(d, "temps", look()).text, kBlack);
    store.setBool("depth time in color", false);
    EXPECT_EQ(table.cellStyle(d, "profondeur", look()).text, kBlack);
}

TEST_F(TableFixture, VisibleColumnsKeepTheirInitialOrder) {
    for (const auto& c : DiveTable::columns()) store.setBool(std::string(c.visibilityKey), false);
    for (const char* k : {"column temps", "column numero", "column coeff", "column site"})
        store.setBool(k, true);
    EXPECT_EQ(DiveTable::visibleColumns(store),
              (std::vector<std::string_view>{"noPlongee", "site", "temps", "coeff"}));
    store.setBool("column coeff", false);
    store.setBool("column coeff", true);
    EXPECT_EQ(DiveTable::visibleColumns(store)[3], "coeff");
}

TEST_F(TableFixture, FirstUseShowsEveryColumnButTheApparatusAndKeepsUserChoices) {
    store.setBool("column coeff", false);
    store.setBool("column scaph", true);
    DiveTable::writeDefaultColumnSwitches(store);
    auto visible = DiveTable::visibleColumns(store);
    EXPECT_EQ(visible.size(), DiveTable::columns().size() - 1);
    EXPECT_EQ(std::count(visible.begin(), visible.end(), "coeff"), 0) << "a switch set off stays off";
    EXPECT_EQ(std::count(visible.begin(), visible.end(), "rebreather"), 1);

    InMemorySettingsStore fresh;
    DiveTable::writeDefaultColumnSwitches(fresh);
    EXPECT_FALSE(fresh.boolForKey("column scaph"));
    EXPECT_TRUE(fresh.boolForKey("column_epave"));
    EXPECT_EQ(DiveTable::visibleColumns(fresh).size(), DiveTable::columns().size() - 1);
}

TEST_F(TableFixture, SortDirectionMemoryAndStableSort) {
    EXPECT_FALSE(table.directionForClick("profondeur")) << "nothing stored: descending";
    EXPECT_TRUE(table.directionForClick("profondeur"));
    EXPECT_FALSE(table.directionForClick("profondeur"));
    EXPECT_TRUE(table.directionForClick("profondeur"));
    EXPECT_FALSE(table.directionForClick("site"));
    EXPECT_TRUE(table.directionForClick("profondeur")) << "back to depth: stored, not flipped";

    Carnet::DiveList dives;
    for (auto [n, depth, site] : {std::tuple{1, 20.f, "b"}, {2, 35.f, "a"}, {3, 20.f, ""}}) {
        auto p = std::make_unique<Plongee>();
        p->setNoPlongee(n);
        p->setProfondeur(depth);
        if (*site) p->setSite(std::string(site));
        dives.push_back(std::move(p));
    }
    DiveTable::sortDives(dives, "profondeur", false);
    EXPECT_EQ(dives[0]->noPlongee(), 2);
    EXPECT_EQ(dives[1]->noPlongee(), 1) << "equal depths keep their order";
    DiveTable::sortDives(dives, "site", true);
    EXPECT_EQ(dives[0]->noPlongee(), 3) << "an absent site sorts first";
    EXPECT_EQ(dives[1]->noPlongee(), 2);
}

TEST_F(TableFixture, OnlyPlainTextColumnsAreEditableInPlace) {
    Plongee d;
    EXPECT_TRUE(DiveTable::editInPlace(d, "site", "Planier"));
    EXPECT_EQ(d.site(), "Planier");
    for (const char* col : {"noPlongee", "date", "profondeur", "gaz", "epaves", "coeff"})
        EXPECT_FALSE(DiveTable::editInPlace(d, col, "12")) << col;
    EXPECT_EQ(d.noPlongee(), 0);
}
