#include "settings/DefaultSettings.h"

#include "archive/BinaryArchive.h"
#include "settings/PickLists.h"

namespace divelog {

std::map<std::string, SettingValue> registeredDefaults() {
    const Colour blue{0, 0, 1, 1}, red{1, 0, 0, 1}, grey{0.5f, 0.5f, 0.5f, 1};
    auto colour = [](const Colour& c) { return SettingValue(encodeColourArchive(c)); };
    std::map<std::string, SettingValue> d = {
        {"depth time in color", true},
        {"color item", false},
        {"coloured text", std::string()},
        {"coloured theme", false},
        {"display units", true},
        {"low temperature in color", false},
        {"low temperature value", std::string()},
        {"low temperature color", colour(blue)},
        {"depth color", colour(blue)},
        {"time color", colour(blue)},
        {"fill plot", true},
        {"plot color", colour(red)},
        {"fill color", colour(blue)},
        {"alpha fill color", std::string("0.5")},
        {"background color", colour(grey)},
        {"alpha background color", std::string("0.5")},
        {"x minor ticks", true},
        {"y minor ticks", true},
        {"stop interval", std::string("3")},
    };
    for (const char* key : {"lieux", "sites", "pays", "countryCode", "partenaires", "epaves",
                            "structures", "ordinateurs", "type epave", "cause naufrage",
                            "type materiel", "fabricants", "magasins", "prestations", "activite"})
        d[key] = SettingList{};
    return d;
}

}  // namespace divelog
