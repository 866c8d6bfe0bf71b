// What the pick-list editors accept, and the country lists of a first launch.

#include <gtest/gtest.h>

#include "settings/AppContext.h"

using namespace divelog;

namespace {

const std::vector<Country> kCountries = {{"Malta", "MLT"},
                                         {"\xC3\x85land Islands", "ALA"},  // Åland
                                         {"France", "FRA"},
                                         {"Belgium", "BEL"},
                                         // Unusable halves are left out one by one.
                                         {"  ", "ESP"},
                                         {"Nowhere", "nw"},
                                         {"Atlantis", ""},
                                         {"", "ATLA"}};

CountrySource counted(int& calls, std::vector<Country> countries = kCountries) {
    return [&calls, countries] {
        ++calls;
        return countries;
    };
}

}  // namespace

TEST(PickListEntries, BlankTextIsRefusedAndNothingStoredRepeatsAreAdded) {
    InMemorySettingsStore store;
    PickLists lists(store);
    for (const char* blank :
         {"", " ", "   ", "\t", " \n ", "\xC2\xA0", "\xE2\x80\x83", "\xE3\x80\x80 \xE2\x80\xAF"}) {
        EXPECT_FALSE(lists.addEntry("lieux", blank)) << '"' << blank << '"';
    }
    EXPECT_TRUE(lists.list("lieux").empty());
    EXPECT_FALSE(store.hasStoredValue("lieux"));

    EXPECT_TRUE(lists.addEntry("lieux", "Nice"));
    EXPECT_TRUE(lists.addEntry("lieux", "Nice"));
    EXPECT_TRUE(lists.addEntry("lieux", " Cassis")) << "kept as typed, not trimmed";
    EXPECT_EQ(store.listForKey("lieux"), (SettingList{" Cassis", "Nice", "Nice"}));
}

// Lists read as a person reads them: case and accents folded, then the exact
// text, so "cassis" sits beside "Cassis" rather than after "Zanzibar".
TEST(PickListEntries, ListsSortAsTheyAreReadAndStayStored) {
    InMemorySettingsStore store;
    PickLists lists(store);
    for (const char* entry : {"Zanzibar", "cassis",
                              "\xC3\x89"
                              "crins",
                              "Cassis", "Ecrins", "banyuls", "\xC3\x85land Islands", "Marseille"})
        ASSERT_TRUE(lists.addEntry("lieux", entry));
    const SettingList read = {"\xC3\x85land Islands",
                              "banyuls",
                              "Cassis",
                              "cassis",
                              "Ecrins",
                              "\xC3\x89"
                              "crins",
                              "Marseille",
                              "Zanzibar"};
    EXPECT_EQ(lists.list("lieux"), read);
    EXPECT_EQ(store.listForKey("lieux"), read);
    lists.answerOfferToAdd("lieux", "agde", true);
    EXPECT_EQ(store.listForKey("lieux")[0], "agde");
}

TEST(PickListEntries, OnlyWhiteSpaceCountsAsBlank) {
    for (const char* text : {"a", " a ", "\xC2\xA9",  // copyright sign
                             "\xE2\x80\x8B",          // zero-width space: not a space
                             "\xE2\x80", "\xC2", "\xE2\x80\x80\xE2\x80\x8B"})
        EXPECT_FALSE(PickLists::isBlank(text)) << '"' << text << '"';
    EXPECT_FALSE(PickLists::isBlank(std::string_view("\0", 1)));
    EXPECT_TRUE(PickLists::isBlank("\xE2\x80\x8A\xC2\x85\xE1\x9A\x80\r\v\f"));
}

TEST(CountryLists, FirstLaunchFillsBothListsSortedAndStored) {
    InMemorySettingsStore store;
    AppContext ctx(store);
    int calls = 0;
    ctx.initialize(counted(calls));
    EXPECT_EQ(calls, 1);
    const SettingList names = {
        "\xC3\x85land Islands", "Atlantis", "Belgium", "France", "Malta", "Nowhere"};
    const SettingList codes = {"ALA", "BEL", "ESP", "FRA", "MLT"};
    EXPECT_EQ(ctx.pickLists().list("pays"), names) << "Åland among the A, as it is read";
    EXPECT_EQ(ctx.pickLists().list("countryCode"), codes);
    EXPECT_EQ(store.listForKey("pays"), names);
    EXPECT_EQ(store.listForKey("countryCode"), codes);

    // The next launch keeps what the diver made of them, and reads no table.
    ctx.pickLists().removeRows("pays", {0, 1, 2, 3, 4, 5});
    AppContext next(store);
    next.initialize(counted(calls, {{"Spain", "ESP"}}));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(next.pickLists().list("pays").empty());
    EXPECT_EQ(next.pickLists().list("countryCode"), codes);
}

TEST(CountryLists, OnlyAListNeverStoredIsFilled) {
    InMemorySettingsStore store;
    store.setList("pays", {});
    int calls = 0;
    AppContext ctx(store);
    ctx.initialize(counted(calls));
    EXPECT_TRUE(ctx.pickLists().list("pays").empty()) << "emptied by the diver";
    EXPECT_EQ(ctx.pickLists().list("countryCode").size(), 5u);

    InMemorySettingsStore other;
    other.setList("countryCode", {"XYZ"});
    AppContext second(other);
    second.initialize(counted(calls));
    EXPECT_EQ(second.pickLists().list("countryCode"), SettingList{"XYZ"});
    EXPECT_EQ(second.pickLists().list("pays").size(), 6u);
}

TEST(CountryLists, NoTableStoresNothingSoALaterLaunchFillsThem) {
    InMemorySettingsStore store;
    int calls = 0;
    for (std::vector<Country> none : {std::vector<Country>{}, std::vector<Country>{{" ", "x"}}}) {
        AppContext ctx(store);
        ctx.initialize(counted(calls, none));
        EXPECT_TRUE(ctx.pickLists().list("pays").empty());
        EXPECT_FALSE(store.hasStoredValue("pays"));
        EXPECT_FALSE(store.hasStoredValue("countryCode"));
    }
    AppContext noSource(store);
    noSource.initialize();
    EXPECT_FALSE(store.hasStoredValue("pays"));

    AppContext later(store);
    later.initialize(counted(calls));
    EXPECT_EQ(later.pickLists().list("pays").size(), 6u);
    EXPECT_EQ(calls, 3);
}
