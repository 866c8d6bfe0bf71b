#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace divelog {

class SettingsStore;

// One command item of the logbook's toolbars. Label and tooltip are keys of
// the named localisation tables; the image is a picture name.
struct ToolbarItem {
    std::string_view identifier;
    std::string_view labelKey, labelTable;
    std::string_view image;
    std::string_view tipKey, tipTable;  // empty for the search field
    bool needsDives;                    // enabled only while the logbook holds a dive
};

// The two toolbars of a logbook: the dive table's ("tableViewToolbar") and
// the edit window's ("editWindowToolbar"). Which items each offers, their
// default order, when they are enabled, and the order the user chose, kept
// in the settings store under a key per toolbar.
class ToolbarCarnet {
public:
    static constexpr std::string_view kTableToolbar = "tableViewToolbar";
    static constexpr std::string_view kEditToolbar = "editWindowToolbar";

    // Standard items, which may appear any number of times.
    static constexpr std::string_view kSeparator = "separator";
    static constexpr std::string_view kSpace = "space";
    static constexpr std::string_view kFlexibleSpace = "flexibleSpace";
    static constexpr std::string_view kCustomize = "customize";
    static bool isStandard(std::string_view identifier);

    static const std::vector<ToolbarItem>& items();
    // Null for a standard or unknown identifier.
    static const ToolbarItem* item(std::string_view identifier);

    // Both are empty for an unknown toolbar.
    static const std::vector<std::string>& defaultItems(std::string_view toolbar);
    // Command items first, then the four standard ones.
    static const std::vector<std::string>& allowedItems(std::string_view toolbar);

    static bool isEnabled(std::string_view identifier, std::size_t diveCount);

    static std::string settingsKey(std::string_view toolbar);
    // The remembered order without what the toolbar does not allow and without
    // repeated command items; the default order when nothing is remembered.
    static std::vector<std::string> configuration(const SettingsStore& store,
                                                  std::string_view toolbar);
    // Stores the order as `configuration` would read it back.
    static void storeConfiguration(SettingsStore& store, std::string_view toolbar,
                                   const std::vector<std::string>& order);

private:
    static std::vector<std::string> sanitised(std::string_view toolbar,
                                              const std::vector<std::string>& order);
};

}  // namespace divelog
