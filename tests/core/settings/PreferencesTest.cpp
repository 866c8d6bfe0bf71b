// Preference keys, the preferences model and the notifications it sends.

#include <gtest/gtest.h>

#include "archive/BinaryArchive.h"
#include "settings/PreferencesModel.h"

using namespace divelog;

namespace {

struct Fixture {
    InMemorySettingsStore store;
    AppContext context{store};
    std::vector<std::string> posted;

    Fixture() {
        context.initialize();
        for (const char* n : {"updateTableView", "updateColumnsTableView", "profile",
                              "updateEditDive", "updateDeco", "renumDives"})
            context.notifications().addObserver(this, n, [this, n] { posted.push_back(n); });
    }
};

}  // namespace

TEST(NotificationCenter, DeliversByNameAndForgetsADeadOwner) {
    NotificationCenter centre;
    int a = 0, b = 0;
    int ownerA = 0, ownerB = 0;
    centre.addObserver(&ownerA, "profile", [&] { ++a; });
    centre.addObserver(&ownerB, "profile", [&] { ++b; });
    centre.addObserver(&ownerB, "updateDeco", [&] { b += 10; });
    centre.post("profile");
    centre.post("nothing listens");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
    centre.removeObserver(&ownerB);
    centre.post("profile");
    centre.post("updateDeco");
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(centre.observerCount("updateDeco"), 0u);

    // An observer that removes itself (a document closing) during a post.
    centre.addObserver(&ownerB, "profile", [&] {
        centre.removeObserver(&ownerB);
        ++b;
    });
    centre.addObserver(&ownerB, "profile", [&] { b += 100; });
    centre.post("profile");
    centre.post("profile");
    EXPECT_EQ(b, 2);
}

TEST(Preferences, ResetWritesResetValuesThenNotifiesInOrder) {
    Fixture f;
    f.store.setBool("column gaz", false);
    f.store.setBool("column scaph", true);
    f.store.setNumber("tank volume", 12);
    PreferencesModel prefs(f.context);
    prefs.resetPreferences();

    EXPECT_EQ(f.store.numberForKey("tank volume"), 15);
    EXPECT_EQ(f.store.numberForKey("tank pressure"), 230);
    EXPECT_EQ(f.store.stringForKey("country code"), "FRA");
    // Reset shows the columns a fresh install shows: the gas, not the apparatus.
    EXPECT_TRUE(f.store.boolForKey("column gaz"));
    EXPECT_FALSE(f.store.boolForKey("column scaph"));
    EXPECT_TRUE(f.store.boolForKey("column numero"));
    EXPECT_EQ(f.store.numberForKey("alpha fill color"), 0.4);
    EXPECT_EQ(f.store.numberForKey("stop interval"), 3);
    EXPECT_EQ(f.store.colourForKey("depth color"), (Colour{0.5f, 0, 0.5f, 1}));
    EXPECT_EQ(f.store.colourForKey("plot color"), (Colour{1, 0.5f, 0, 1}));
    EXPECT_EQ(f.store.colourForKey("gradient lines color"), (Colour{0.702f, 0.702f, 0.702f, 1}));
    EXPECT_FALSE(f.store.hasStoredValue("foreign in color")) << "shown, not written";
    EXPECT_TRUE(prefs.boolControl("foreign in color"));
    EXPECT_FALSE(f.store.hasStoredValue("column_epave")) << "written by the logbook only";
    EXPECT_FALSE(f.store.hasStoredValue("pense bete"));

    // Every open table takes the reset columns at once, so no view and table disagree.
    EXPECT_EQ(f.posted, (std::vector<std::string>{"updateTableView", "updateColumnsTableView",
                                                  "profile", "updateEditDive", "updateDeco"}));
}

// What a diver types into the numeric preferences: a realistic value is kept,
// anything else refused, the store and the control left as they were.
TEST(Preferences, TypedNumbersOutsideTheirRangeAreRefused) {
    Fixture f;
    PreferencesModel prefs(f.context);
    using E = PreferencesModel::Entry;
    EXPECT_EQ(prefs.enter("stop interval", "-3"), E::OutOfRange);
    EXPECT_EQ(prefs.enter("stop interval", "0"), E::OutOfRange);
    EXPECT_EQ(prefs.enter("tank pressure", "99999999"), E::Unreadable);  // past its digits
    EXPECT_EQ(prefs.enter("tank pressure", "999"), E::OutOfRange);
    EXPECT_EQ(prefs.enter("tank volume", "12 l"), E::Unreadable);
    EXPECT_EQ(prefs.enter("alpha fill color", "1.5"), E::OutOfRange);
    EXPECT_EQ(prefs.enter("low temperature value", "cold"), E::Unreadable);
    EXPECT_TRUE(f.posted.empty());
    EXPECT_FALSE(f.store.hasStoredValue("tank pressure"));
    EXPECT_EQ(prefs.numberControl("stop interval"), 3);

    EXPECT_EQ(prefs.enter("stop interval", "4,5"), E::Stored);
    EXPECT_EQ(prefs.enter("tank pressure", "232"), E::Stored);
    EXPECT_EQ(prefs.enter("low temperature value", "-2"), E::Stored);
    EXPECT_EQ(prefs.enter("low temperature value", ""), E::Stored);  // no threshold
    EXPECT_EQ(prefs.enter("country code", "ESP"), E::Stored);
    EXPECT_EQ(f.store.numberForKey("stop interval"), 4.5);
    EXPECT_EQ(f.store.numberForKey("tank pressure"), 232);
    EXPECT_EQ(f.store.stringForKey("low temperature value"), "");
    EXPECT_EQ(f.posted, (std::vector<std::string>{"updateDeco", "updateEditDive", "updateTableView",
                                                  "updateTableView", "updateEditDive"}));
}

TEST(Preferences, ChangesAreStoredBeforeTheirNotificationArrives) {
    Fixture f;
    PreferencesModel prefs(f.context);
    double seen = -1;
    int owner = 0;
    f.context.notifications().addObserver(&owner, "updateDeco",
                                          [&] { seen = f.store.numberForKey("stop interval"); });
    prefs.change("stop interval", 4.5);
    EXPECT_EQ(seen, 4.5);

    prefs.change("column coeff", false);
    prefs.change("depth color", colourValue(Colour{0, 1, 0, 1}));
    prefs.change("ordinateur", std::string("Perdix"));
    prefs.change("pense bete", true);
    EXPECT_EQ(f.posted, (std::vector<std::string>{"updateDeco", "updateColumnsTableView",
                                                  "updateTableView", "updateEditDive"}));
    EXPECT_FALSE(f.store.boolForKey("column coeff"));
    EXPECT_EQ(f.store.stringForKey("ordinateur"), "Perdix");
    EXPECT_TRUE(f.store.boolForKey("pense bete"));

    // A relaunch reads what was stored, not the registered default.
    InMemorySettingsStore& same = f.store;
    AppContext again(same);
    again.initialize();
    EXPECT_EQ(PreferencesModel(again).numberControl("stop interval"), 4.5);
}

TEST(Preferences, EnablingRulesAndUnitLabel) {
    Fixture f;
    PreferencesModel prefs(f.context);
    EXPECT_TRUE(prefs.isEnabled("depth color"));  // "depth time in color" is on by default
    EXPECT_FALSE(prefs.isEnabled("coloured text"));
    EXPECT_FALSE(prefs.isEnabled("low temperature color"));
    EXPECT_TRUE(prefs.isEnabled("fill color"));
    EXPECT_FALSE(prefs.isEnabled("gradient lines color"));
    EXPECT_TRUE(prefs.isEnabled("tank volume"));
    prefs.change("color item", true);
    prefs.change("fill plot", false);
    EXPECT_TRUE(prefs.isEnabled("coloured theme"));
    EXPECT_FALSE(prefs.isEnabled("alpha fill color"));

    EXPECT_EQ(prefs.temperatureUnitKey(), "Degree Celsius");
    prefs.change("us units", true);
    EXPECT_EQ(prefs.temperatureUnitKey(), "Degree Farenheit");
}

TEST(Preferences, RegisteredTextValuesAreShownAsNumbers) {
    Fixture f;
    PreferencesModel prefs(f.context);
    EXPECT_EQ(prefs.numberControl("alpha background color"), 0.5);
    EXPECT_EQ(prefs.numberControl("stop interval"), 3);
    prefs.savePrefs();
    EXPECT_EQ(f.store.numberForKey("stop interval"), 3);
    EXPECT_FALSE(f.store.hasStoredValue("gradient lines color")) << "no colour, nothing stored";
}
