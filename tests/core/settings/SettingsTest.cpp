// Settings store semantics, start-up defaults, pick lists and displayed texts.

#include <gtest/gtest.h>

#include "archive/BinaryArchive.h"
#include "settings/AppContext.h"
#include "settings/DefaultSettings.h"

using namespace divelog;

TEST(Settings, FirstLaunchReadsRegisteredDefaultsAndStoredValuesWin) {
    InMemorySettingsStore store;
    store.setString("stop interval", "4.5");
    store.setBool("fill plot", false);
    AppContext ctx(store);
    ctx.initialize();
    ctx.initialize();  // a second registration (next launch) must not hide stored values

    EXPECT_TRUE(store.boolForKey("depth time in color"));
    EXPECT_FALSE(store.boolForKey("color item"));
    EXPECT_TRUE(store.boolForKey("display units"));
    EXPECT_EQ(store.numberForKey("alpha fill color"), 0.5);
    EXPECT_EQ(store.stringForKey("alpha background color"), "0.5");
    EXPECT_EQ(store.colourForKey("plot color"), (Colour{1, 0, 0, 1}));
    EXPECT_EQ(store.colourForKey("depth color"), (Colour{0, 0, 1, 1}));
    EXPECT_EQ(store.colourForKey("background color"), (Colour{0.5f, 0.5f, 0.5f, 1}));
    EXPECT_TRUE(store.listForKey("type epave").empty());

    EXPECT_EQ(store.numberForKey("stop interval"), 4.5);
    EXPECT_FALSE(store.boolForKey("fill plot"));
    EXPECT_FALSE(store.hasStoredValue("x minor ticks")) << "defaults are never written";

    // Keys without a registered default read as false, 0 and empty.
    EXPECT_FALSE(store.boolForKey("us units"));
    EXPECT_EQ(store.numberForKey("tank volume"), 0);
    EXPECT_EQ(store.stringForKey("country code"), "");
    EXPECT_FALSE(store.colourForKey("gradient lines color"));
}

TEST(Settings, TypedReadsTakeTextOrNumberAlikeAndRefuseJunk) {
    InMemorySettingsStore s;
    s.setNumber("alpha fill color", 0.4);
    s.setString("stop interval", " 3,5 ");
    EXPECT_EQ(s.numberForKey("alpha fill color"), 0.4);
    EXPECT_EQ(s.numberForKey("stop interval"), 3.5);
    for (const char* junk : {"abc", "inf", "nan", "0x10", "", "1e999", "3 m"}) {
        s.setString("k", junk);
        EXPECT_EQ(s.numberForKey("k"), 0) << junk;
    }
    s.setData("bad colour", {1, 2, 3});
    EXPECT_FALSE(s.colourForKey("bad colour"));
    s.setString("text colour", "red");
    EXPECT_FALSE(s.colourForKey("text colour"));
    s.setColour("c", Colour{0.725f, 1, 0.674f, 1});
    EXPECT_EQ(s.colourForKey("c"), (Colour{0.725f, 1, 0.674f, 1}));
    EXPECT_EQ(s.dataForKey("c"), encodeColourArchive(Colour{0.725f, 1, 0.674f, 1}));
    s.setDictionary("statistics values", {{"dives", 120}});
    EXPECT_EQ(s.dictionaryForKey("statistics values").at("dives"), 120);
    EXPECT_TRUE(s.listForKey("statistics values").empty()) << "wrong type reads as empty";
}

TEST(PickLists, FilledAtStartUpSortedAndStoredUnderTheirOwnKey) {
    InMemorySettingsStore store;
    store.setList("lieux", {"Marseille", "Cassis"});
    store.setList("activite", {"Shop"});
    store.setList("sac de plongee", {"Fins"});
    AppContext ctx(store);
    ctx.initialize();
    PickLists& lists = ctx.pickLists();
    EXPECT_EQ(lists.list("lieux"), (SettingList{"Marseille", "Cassis"})) << "kept as stored";
    EXPECT_EQ(lists.list("sac de plongee"), SettingList{"Fins"});
    // Also the activities: unfilled, their first addition would store over the list.
    EXPECT_EQ(lists.list("activite"), SettingList{"Shop"});

    auto& magasins = lists.list("magasins");
    lists.add("magasins", "Zodiac shop");
    lists.add("magasins", "Aqua shop");
    lists.add("magasins", "");
    EXPECT_EQ(magasins, (SettingList{"", "Aqua shop", "Zodiac shop"}));
    EXPECT_EQ(store.listForKey("magasins"), magasins);
    EXPECT_FALSE(store.hasStoredValue("type materiel"));

    lists.add("magasins", "Aqua shop");
    lists.removeRows("magasins", {1});
    EXPECT_EQ(store.listForKey("magasins"), (SettingList{"", "Aqua shop", "Zodiac shop"}))
        << "only the selected row goes, not every entry of the same text";

    store.setList("activite", {"Boat", "Airline"});
    lists.reload("activite");
    auto& held = lists.list("activite");
    EXPECT_EQ(held, (SettingList{"Boat", "Airline"}));
    store.setList("activite", {"Hotel"});
    lists.reload("activite");
    EXPECT_EQ(held, SettingList{"Hotel"}) << "a reload replaces contents in place";
    EXPECT_THROW(lists.list("nope"), std::out_of_range);
}

TEST(Localisation, TablesFallbacksAndFormats) {
    Localisation l;
    std::string error;
    EXPECT_TRUE(l.loadTable("Carnet", R"(// logbook texts
"Found dives" = "%d dives found";
"Dive number title" = "Dive n° %d";
  "Quoted" = "say \"hi\"\tnow";

"Entries" = "%@ entries";)",
                            &error))
        << error;
    EXPECT_EQ(l.format("Carnet", "Found dives", "error !", {std::int64_t{0}}), "0 dives found");
    EXPECT_EQ(l.format("Carnet", "Dive number title", "error !", {std::int64_t{12}}), "Dive n° 12");
    EXPECT_EQ(l.text("Carnet", "Quoted"), "say \"hi\"\tnow");
    EXPECT_EQ(l.format("Carnet", "Entries", "", {std::string("3")}), "3 entries");
    EXPECT_EQ(l.text("Carnet", "missing"), "error !");
    EXPECT_EQ(l.text("Main", "Found dives", "fallback"), "fallback") << "tables are separate";

    EXPECT_FALSE(
        l.loadTable("Main", "\"OK\" = \"OK\";\nnot a line\n\"Cancel\" = \"Cancel\";", &error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
    EXPECT_EQ(l.text("Main", "Cancel"), "Cancel") << "good lines are kept";
}

TEST(Localisation, BadFormatsInATranslationCannotCrash) {
    EXPECT_EQ(formatText("%d of %d", {std::int64_t{1}}), "1 of ");
    EXPECT_EQ(formatText("%s %@ %d", {std::string("a"), std::int64_t{2}, std::string("x")}),
              "a 2 x");
    EXPECT_EQ(formatText("100%% %", {}), "100% %");
    EXPECT_EQ(formatText("%.1f bar", {1.25}), "1.2 bar");
    // Numbers read as printf writes them in the "C" locale, with the flags
    // translations use, whatever locale the application runs in.
    EXPECT_EQ(formatText("%.2f|%5.1f|%-6.1f|%+.0f|%06.2f", {0.7, 3.14159, 2.5, 3.5, -1.5}),
              "0.70|  3.1|2.5   |+4|-01.50");
    EXPECT_EQ(formatText("%g %g %e %.3g", {0.0001, 1234567.0, 12345.678, 2.0 / 3.0}),
              "0.0001 1.23457e+06 1.234568e+04 0.667");
    EXPECT_EQ(formatText("%f", {std::int64_t{3}}), "3.000000");
    EXPECT_EQ(formatText("%@ bar", {0.7}), "0.7 bar");
    EXPECT_EQ(formatText("%99999999999d", {std::int64_t{5}}), "5");
}
