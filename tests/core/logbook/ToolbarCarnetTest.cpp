// The logbook's two toolbars: items, enabling and the remembered order.

#include <gtest/gtest.h>

#include <algorithm>

#include "logbook/ToolbarCarnet.h"
#include "settings/SettingsStore.h"

using namespace divelog;

using T = ToolbarCarnet;

TEST(ToolbarCarnet, DefaultsUseOnlyAllowedItemsThatExist) {
    for (auto toolbar : {T::kTableToolbar, T::kEditToolbar}) {
        const auto& allowed = T::allowedItems(toolbar);
        for (const auto& id : T::defaultItems(toolbar)) {
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), id), allowed.end()) << id;
            EXPECT_TRUE(T::isStandard(id) || T::item(id)) << id;
        }
    }
    EXPECT_EQ(T::defaultItems(T::kTableToolbar).back(), "rechercher");
    const auto& edit = T::allowedItems(T::kEditToolbar);
    EXPECT_EQ(std::count(edit.begin(), edit.end(), "rechercher"), 0);
    EXPECT_TRUE(T::defaultItems("otherToolbar").empty());
}

TEST(ToolbarCarnet, ItemsThatActOnDivesWaitForOne) {
    for (const char* id : {"imprimer", "insertDive", "updateDive", "deleteDive", "profil",
                           "profilData", "synthese", "statistics"}) {
        EXPECT_FALSE(T::isEnabled(id, 0)) << id;
        EXPECT_TRUE(T::isEnabled(id, 1)) << id;
    }
    for (const char* id : {"saveDocument", "newDive", "addDiveToList", "blankFields", "importUDCF",
                           "importUDDF", "rechercher", "separator", "customize"})
        EXPECT_TRUE(T::isEnabled(id, 0)) << id;
}

TEST(ToolbarCarnet, RememberedOrderIsCleanedAndDefaultsWhenAbsentOrMistyped) {
    InMemorySettingsStore store;
    EXPECT_EQ(T::configuration(store, T::kEditToolbar), T::defaultItems(T::kEditToolbar));

    T::storeConfiguration(
        store, T::kTableToolbar,
        {"rechercher", "separator", "newDive", "separator", "newDive", "addDiveToList", "bogus"});
    EXPECT_EQ(T::configuration(store, T::kTableToolbar),
              (std::vector<std::string>{"rechercher", "separator", "newDive", "separator"}));
    EXPECT_EQ(T::configuration(store, T::kEditToolbar), T::defaultItems(T::kEditToolbar))
        << "each toolbar has its own key";

    T::storeConfiguration(store, T::kEditToolbar, {});
    EXPECT_TRUE(T::configuration(store, T::kEditToolbar).empty());
    store.setString(T::settingsKey(T::kEditToolbar), "not a list");
    EXPECT_EQ(T::configuration(store, T::kEditToolbar), T::defaultItems(T::kEditToolbar));
}
