// What the pick-list editors accept.

#include <gtest/gtest.h>

#include "settings/PickLists.h"

using namespace divelog;

TEST(PickListEntries, BlankTextIsRefusedAndNothingStoredRepeatsAreAdded) {
    InMemorySettingsStore store;
    PickLists lists(store);
    for (const char* blank : {"", " ", "   ", "\t", " \n ", "\xC2\xA0", "\xE2\x80\x83",
                              "\xE3\x80\x80 \xE2\x80\xAF"}) {
        EXPECT_FALSE(lists.addEntry("lieux", blank)) << '"' << blank << '"';
    }
    EXPECT_TRUE(lists.list("lieux").empty());
    EXPECT_FALSE(store.hasStoredValue("lieux"));

    EXPECT_TRUE(lists.addEntry("lieux", "Nice"));
    EXPECT_TRUE(lists.addEntry("lieux", "Nice"));
    EXPECT_TRUE(lists.addEntry("lieux", " Cassis")) << "kept as typed, not trimmed";
    EXPECT_EQ(store.listForKey("lieux"), (SettingList{" Cassis", "Nice", "Nice"}));
}

TEST(PickListEntries, OnlyWhiteSpaceCountsAsBlank) {
    for (const char* text : {"a", " a ", "\xC2\xA9",  // copyright sign
                             "\xE2\x80\x8B",           // zero-width space: not a space
                             "\xE2\x80", "\xC2", "\xE2\x80\x80\xE2\x80\x8B"})
        EXPECT_FALSE(PickLists::isBlank(text)) << '"' << text << '"';
    EXPECT_FALSE(PickLists::isBlank(std::string_view("\0", 1)));
    EXPECT_TRUE(PickLists::isBlank("\xE2\x80\x8A\xC2\x85\xE1\x9A\x80\r\v\f"));
}
