#include "settings/DefaultSettings.h"

#include "settings/PickLists.h"
#include "settings/PreferenceKeys.h"

namespace divelog {

std::map<std::string, SettingValue> registeredDefaults() {
    std::map<std::string, SettingValue> d;
    for (const auto& k : preferenceKeys())
        if (k.registered) d[k.key] = *k.registered;
    // Every pick list but the dive bag's reads as an empty list until written.
    for (const auto& key : PickLists::keys())
        if (key != "sac de plongee") d[key] = SettingList{};
    return d;
}

}  // namespace divelog
