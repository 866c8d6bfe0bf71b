#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace divelog {

class SettingsStore;

// One command item of a toolbar. Label and tooltip are keys of the named
// localisation tables; the image is a picture name.
struct ToolbarItem {
    std::string_view identifier;
    std::string_view labelKey, labelTable;
    std::string_view image;
    std::string_view tipKey, tipTable;  // empty for an item that holds a field
    bool needsRecords;                  // enabled only while the document holds a record
};

// A customisable toolbar: the items it allows, their default order, and the
// order the user chose, kept in the settings store under a key of its own.
struct ToolbarLayout {
    // Standard items, which may appear any number of times.
    static constexpr std::string_view kSeparator = "separator";
    static constexpr std::string_view kSpace = "space";
    static constexpr std::string_view kFlexibleSpace = "flexibleSpace";
    static constexpr std::string_view kCustomize = "customize";
    static bool isStandard(std::string_view identifier);

    std::string identifier;
    std::vector<ToolbarItem> items;     // the command items, in allowed order
    std::vector<std::string> defaults;  // default order, standard items included
    std::vector<std::string> allowed;   // command items first, then the standard ones

    // Null for a standard or unknown identifier.
    const ToolbarItem* item(std::string_view identifier) const;
    bool isEnabled(std::string_view identifier, std::size_t recordCount) const;
    std::string settingsKey() const { return "toolbar " + identifier; }
    // The remembered order without what the toolbar does not allow and
    // without repeated command items; the default order when nothing is
    // remembered.
    std::vector<std::string> configuration(const SettingsStore& store) const;
    // Stores the order as `configuration` would read it back.
    void storeConfiguration(SettingsStore& store, const std::vector<std::string>& order) const;
    std::vector<std::string> sanitised(const std::vector<std::string>& order) const;
};

}  // namespace divelog
