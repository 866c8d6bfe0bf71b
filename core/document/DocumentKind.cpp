#include "document/DocumentKind.h"

#include <algorithm>
#include <cctype>

namespace divelog {

const std::array<DocumentKindInfo, 10>& documentKinds() {
    static const std::array<DocumentKindInfo, 10> kinds = {{
        {DocumentKind::Carnet, "logbook", "Carnet de plongee", true, "Carnet", "Plongee", "Carnet",
         "divelog", "application/x-divelog-logbook", "newCarnetDocumentMenuAction:"},
        {DocumentKind::DiversDocuments, "documents", "Divers documents", true, "DiversDocuments",
         "DiversDocs", "Documents", "dldocs", "application/x-divelog-documents",
         "newDocumentDocumentMenuAction:"},
        {DocumentKind::Materiel, "equipment", "Materiel", true, "InvMateriel", "Materiel",
         "Materiel", "dlequip", "application/x-divelog-equipment",
         "newMaterielDocumentMenuAction:"},
        {DocumentKind::Rebreather, "rebreather", "Rebreather", true, "RebreatherServ", "Rebreather",
         "Rebreather", "dlrebreather", "application/x-divelog-rebreather",
         "newRebreatherDocumentMenuAction:"},
        {DocumentKind::Consommables, "consumables", "Consommables", false, "InvConso",
         "Consommables", "Consommables", "dlconsumables", "application/x-divelog-consumables",
         "newConsommablesDocumentMenuAction:"},
        {DocumentKind::Compresseur, "compressor", "Compresseur", false, "MaintComp", "Compresseur",
         "Compresseur", "dlcompressor", "application/x-divelog-compressor",
         "newCompresseurDocumentMenuAction:"},
        {DocumentKind::Epaves, "wrecks", "Epaves", false, "RepEpaves", "Epaves", "Epaves",
         "dlwrecks", "application/x-divelog-wrecks", "newEpavesDocumentMenuAction:"},
        {DocumentKind::Budget, "budget", "Budget", false, "PreviBudget", "Budget", "Budget",
         "dlbudget", "application/x-divelog-budget", "newBudgetDocumentMenuAction:"},
        {DocumentKind::Entreprises, "firms", "Entreprises", false, "AdressesEts", "Entreprises",
         "Entreprises", "dlfirms", "application/x-divelog-firms",
         "newEntrepriseDocumentMenuAction:"},
        {DocumentKind::Structures, "structures", "Structures", false, "AdressesStruct",
         "Structures", "Structures", "dlstructures", "application/x-divelog-structures",
         "newStructureDocumentMenuAction:"},
    }};
    return kinds;
}

const DocumentKindInfo& kindInfo(DocumentKind kind) {
    return documentKinds()[static_cast<std::size_t>(kind)];
}

const DocumentKindInfo* kindForId(std::string_view id) {
    for (const auto& k : documentKinds())
        if (k.id == id) return &k;
    return nullptr;
}

const DocumentKindInfo* kindForExtension(std::string_view ext) {
    if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
    auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    };
    for (const auto& k : documentKinds())
        if (same(k.extension, ext)) return &k;
    return nullptr;
}

}  // namespace divelog
