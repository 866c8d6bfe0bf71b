#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/ToolbarLayout.h"

namespace divelog {

class SettingsStore;

// The two toolbars of a logbook: the dive table's ("tableViewToolbar") and
// the edit window's ("editWindowToolbar"). Which items each offers, their
// default order, when they are enabled, and the order the user chose.
class ToolbarCarnet {
public:
    static constexpr std::string_view kTableToolbar = "tableViewToolbar";
    static constexpr std::string_view kEditToolbar = "editWindowToolbar";
    static constexpr std::string_view kSeparator = ToolbarLayout::kSeparator;
    static constexpr std::string_view kSpace = ToolbarLayout::kSpace;
    static constexpr std::string_view kFlexibleSpace = ToolbarLayout::kFlexibleSpace;
    static constexpr std::string_view kCustomize = ToolbarLayout::kCustomize;
    static bool isStandard(std::string_view identifier) {
        return ToolbarLayout::isStandard(identifier);
    }

    // The layout of a toolbar; an unknown toolbar has no items.
    static const ToolbarLayout& layout(std::string_view toolbar);
    // Every command item of both toolbars.
    static const std::vector<ToolbarItem>& items();
    // Null for a standard or unknown identifier.
    static const ToolbarItem* item(std::string_view identifier);
    // Both are empty for an unknown toolbar.
    static const std::vector<std::string>& defaultItems(std::string_view toolbar);
    // Command items first, then the four standard ones.
    static const std::vector<std::string>& allowedItems(std::string_view toolbar);
    static bool isEnabled(std::string_view identifier, std::size_t diveCount);
    static std::string settingsKey(std::string_view toolbar);
    static std::vector<std::string> configuration(const SettingsStore& store,
                                                  std::string_view toolbar);
    static void storeConfiguration(SettingsStore& store, std::string_view toolbar,
                                   const std::vector<std::string>& order);
};

}  // namespace divelog
