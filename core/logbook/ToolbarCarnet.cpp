#include "logbook/ToolbarCarnet.h"

namespace divelog {

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
        {"importSubsurface", "Import Subsurface", "Carnet", "importSubsurface",
         "Tip import Subsurface", "Carnet", false},
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

const ToolbarLayout& ToolbarCarnet::layout(std::string_view toolbar) {
    auto make = [](std::string_view id, std::vector<std::string> allowed,
                   std::vector<std::string> defaults) {
        ToolbarLayout l;
        l.identifier = std::string(id);
        for (const auto& a : allowed)
            if (const ToolbarItem* i = item(a)) l.items.push_back(*i);
        l.allowed = std::move(allowed);
        l.defaults = std::move(defaults);
        return l;
    };
    static const ToolbarLayout table =
        make(kTableToolbar,
             {"saveDocument", "imprimer", "newDive", "deleteDive", "profil", "profilData",
              "importUDCF", "importUDDF", "importSubsurface", "synthese", "statistics",
              "rechercher", "separator", "space", "flexibleSpace", "customize"},
             {"saveDocument", "imprimer", "separator", "newDive", "deleteDive", "profil",
              "importUDCF", "importUDDF", "synthese", "statistics", "separator", "customize",
              "flexibleSpace", "rechercher"});
    static const ToolbarLayout edit =
        make(kEditToolbar,
             {"addDiveToList", "insertDive", "updateDive", "blankFields", "profil", "profilData",
              "importUDCF", "importUDDF", "importSubsurface", "separator", "space", "flexibleSpace",
              "customize"},
             {"addDiveToList", "insertDive", "updateDive", "blankFields", "profil", "profilData",
              "importUDCF", "importUDDF", "separator", "customize", "flexibleSpace"});
    static const ToolbarLayout none;
    if (toolbar == kTableToolbar) return table;
    if (toolbar == kEditToolbar) return edit;
    return none;
}

const ToolbarItem* ToolbarCarnet::item(std::string_view id) {
    for (const auto& i : items())
        if (i.identifier == id) return &i;
    return nullptr;
}

const std::vector<std::string>& ToolbarCarnet::defaultItems(std::string_view toolbar) {
    return layout(toolbar).defaults;
}

const std::vector<std::string>& ToolbarCarnet::allowedItems(std::string_view toolbar) {
    return layout(toolbar).allowed;
}

bool ToolbarCarnet::isEnabled(std::string_view id, std::size_t diveCount) {
    const ToolbarItem* i = item(id);
    return !i || !i->needsRecords || diveCount > 0;
}

std::string ToolbarCarnet::settingsKey(std::string_view toolbar) {
    return "toolbar " + std::string(toolbar);
}

std::vector<std::string> ToolbarCarnet::configuration(const SettingsStore& store,
                                                      std::string_view toolbar) {
    return layout(toolbar).configuration(store);
}

void ToolbarCarnet::storeConfiguration(SettingsStore& store, std::string_view toolbar,
                                       const std::vector<std::string>& order) {
    layout(toolbar).storeConfiguration(store, order);
}

}  // namespace divelog
