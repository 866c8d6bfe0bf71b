#include "document/ToolbarLayout.h"

#include <algorithm>

#include "settings/SettingsStore.h"

namespace divelog {

bool ToolbarLayout::isStandard(std::string_view id) {
    return id == kSeparator || id == kSpace || id == kFlexibleSpace || id == kCustomize;
}

const ToolbarItem* ToolbarLayout::item(std::string_view id) const {
    for (const auto& i : items)
        if (i.identifier == id) return &i;
    return nullptr;
}

bool ToolbarLayout::isEnabled(std::string_view id, std::size_t recordCount) const {
    const ToolbarItem* i = item(id);
    return !i || !i->needsRecords || recordCount > 0;
}

std::vector<std::string> ToolbarLayout::sanitised(const std::vector<std::string>& order) const {
    std::vector<std::string> out;
    for (const auto& id : order) {
        if (std::find(allowed.begin(), allowed.end(), id) == allowed.end()) continue;
        if (!isStandard(id) && std::find(out.begin(), out.end(), id) != out.end()) continue;
        out.push_back(id);
    }
    return out;
}

std::vector<std::string> ToolbarLayout::configuration(const SettingsStore& store) const {
    auto stored = store.storedValue(settingsKey());
    const auto* list = stored ? std::get_if<SettingList>(&*stored) : nullptr;
    if (!list) return defaults;
    // A hand-edited or older value keeps what still makes sense; an empty
    // toolbar is a choice the user may make.
    return sanitised(*list);
}

void ToolbarLayout::storeConfiguration(SettingsStore& store,
                                       const std::vector<std::string>& order) const {
    store.setList(settingsKey(), sanitised(order));
}

}  // namespace divelog
