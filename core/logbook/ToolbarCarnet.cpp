#include "logbook/ToolbarCarnet.h"

#include <algorithm>

#include "settings/SettingsStore.h"

namespace divelog {

bool ToolbarCarnet::isStandard(std::string_view id) {
    return id == kSeparator || id == kSpace || id == kFlexibleSpace || id == kCustomize;
}

const std::vector<ToolbarItem>& ToolbarCarnet::items() {
    static const std::vector<ToolbarItem> list = {
        {"saveDocument", "Save", "Main", "enregistrer", "Tip save", "Carnet", false},
        {"imprimer", "Print", "Main", "imprimante", "Tip print", "Carnet", true},
        {"newDive", "Add", "Main", "ajouterPl", "Tip add", "Carnet", false},
        {"deleteDive", "Delete", "Main", "supprimerPl", "Tip delete", "Carnet", true},
        {"profil", "Profile", "Carnet", "ProfilPl", "Tip profile", "Carnet", true},
        {"profilData", "Profile datas", "Carnet", "profilData", "Tip profile datas", "Carnet",
         true},
        {"importUDCF", "Import UDCF", "Carnet", "importUDCF", "Tip import UDCF", "Carnet", false},
        {"importUDDF", "Import UDDF", "Carnet", "importUDDF", "Tip import UDDF", "Carnet", false},
        {"synthese", "Synthesis card", "Main", "texte", "Tip synthesis card", "Carnet", true},
        {"statistics", "Statistics", "Carnet", "statistics", "Tip statistics", "Carnet", true},
        {"rechercher", "Find", "Carnet", "", "", "", false},
        {"addDiveToList", "Add", "Main", "ajouterPl", "Tip add", "Carnet", false},
        {"insertDive", "Insert", "Main", "insererPl", "Tip insert", "Carnet", true},
        {"blankFields", "Erase", "Main", "raz", "Tip erase", "Main", false},
        {"updateDive", "Update", "Main", "validerPl", "Tip update", "Carnet", true},
    };
    return list;
}

const ToolbarItem* ToolbarCarnet::item(std::string_view id) {
    for (const auto& i : items())
        if (i.identifier == id) return &i;
    return nullptr;
}

const std::vector<std::string>& ToolbarCarnet::defaultItems(std::string_view toolbar) {
    static const std::vector<std::string> table = {
        "saveDocument", "imprimer",   "separator",     "newDive",   "deleteDive",
        "profil",       "importUDCF", "importUDDF",    "synthese",  "statistics",
        "separator",    "customize",  "flexibleSpace", "rechercher"};
    static const std::vector<std::string> edit = {
        "addDiveToList", "insertDive", "updateDive", "blankFields", "profil",       "profilData",
        "importUDCF",    "importUDDF", "separator",  "customize",   "flexibleSpace"};
    static const std::vector<std::string> none;
    if (toolbar == kTableToolbar) return table;
    if (toolbar == kEditToolbar) return edit;
    return none;
}

const std::vector<std::string>& ToolbarCarnet::allowedItems(std::string_view toolbar) {
    static const std::vector<std::string> table = {
        "saveDocument", "imprimer",   "newDive",    "deleteDive",    "profil",
        "profilData",   "importUDCF", "importUDDF", "synthese",      "statistics",
        "rechercher",   "separator",  "space",      "flexibleSpace", "customize"};
    static const std::vector<std::string> edit = {
        "addDiveToList", "insertDive", "updateDive", "blankFields", "profil",        "profilData",
        "importUDCF",    "importUDDF", "separator",  "space",       "flexibleSpace", "customize"};
    static const std::vector<std::string> none;
    if (toolbar == kTableToolbar) return table;
    if (toolbar == kEditToolbar) return edit;
    return none;
}

bool ToolbarCarnet::isEnabled(std::string_view id, std::size_t diveCount) {
    const ToolbarItem* i = item(id);
    return !i || !i->needsDives || diveCount > 0;
}

std::string ToolbarCarnet::settingsKey(std::string_view toolbar) {
    return "toolbar " + std::string(toolbar);
}

std::vector<std::string> ToolbarCarnet::sanitised(std::string_view toolbar,
                                                  const std::vector<std::string>& order) {
    const auto& allowed = allowedItems(toolbar);
    std::vector<std::string> out;
    for (const auto& id : order) {
        if (std::find(allowed.begin(), allowed.end(), id) == allowed.end()) continue;
        if (!isStandard(id) && std::find(out.begin(), out.end(), id) != out.end()) continue;
        out.push_back(id);
    }
    return out;
}

std::vector<std::string> ToolbarCarnet::configuration(const SettingsStore& store,
                                                      std::string_view toolbar) {
    auto stored = store.storedValue(settingsKey(toolbar));
    const auto* list = stored ? std::get_if<SettingList>(&*stored) : nullptr;
    if (!list) return defaultItems(toolbar);
    // A hand-edited or older value keeps what still makes sense; an empty
    // toolbar is a choice the user may make.
    return sanitised(toolbar, *list);
}

void ToolbarCarnet::storeConfiguration(SettingsStore& store, std::string_view toolbar,
                                       const std::vector<std::string>& order) {
    store.setList(settingsKey(toolbar), sanitised(toolbar, order));
}

}  // namespace divelog
