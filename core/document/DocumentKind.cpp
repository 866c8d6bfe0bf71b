#include "document/DocumentKind.h"

#include <algorithm>
#include <cctype>

namespace divelog {

const std::array<DocumentKindInfo, kDocumentKindCount>& documentKinds() {
    static const std::array<DocumentKindInfo, kDocumentKindCount> kinds = {{
        {DocumentKind::Carnet, "logbook", "Carnet de plongee", true, "Dive logbook", "Carnet",
         "Plongee", "Carnet", "divelog", "application/x-divelog-logbook",
         "newCarnetDocumentMenuAction:"},
        {DocumentKind::DiversDocuments, "documents", "Divers documents", true,
         "Miscellaneous documents", "DiversDocuments", "DiversDocs", "Documents", "dldocs",
         "application/x-divelog-documents", "newDocumentDocumentMenuAction:"},
        {DocumentKind::Materiel, "equipment", "Materiel", true, "Equipment inventory",
         "InvMateriel", "Materiel", "Materiel", "dlequip", "application/x-divelog-equipment",
         "newMaterielDocumentMenuAction:"},
        {DocumentKind::Rebreather, "rebreather", "Rebreather", true, "Rebreather service log",
         "RebreatherServ", "Rebreather", "Rebreather", "dlrebreather",
         "application/x-divelog-rebreather", "newRebreatherDocumentMenuAction:"},
        {DocumentKind::Consommables, "consumables", "Consommables", false, "Consumables inventory",
         "InvConso", "Consommables", "Consommables", "dlconsumables",
         "application/x-divelog-consumables", "newConsommablesDocumentMenuAction:"},
        {DocumentKind::Compresseur, "compressor", "Compresseur", false, "Compressor maintenance",
         "MaintComp", "Compresseur", "Compresseur", "dlcompressor",
         "application/x-divelog-compressor", "newCompresseurDocumentMenuAction:"},
        {DocumentKind::Epaves, "wrecks", "Epaves", false, "Wreck directory", "RepEpaves", "Epaves",
         "Epaves", "dlwrecks", "application/x-divelog-wrecks", "newEpavesDocumentMenuAction:"},
        {DocumentKind::Budget, "budget", "Budget", false, "Budget forecast", "PreviBudget",
         "Budget", "Budget", "dlbudget", "application/x-divelog-budget",
         "newBudgetDocumentMenuAction:"},
        {DocumentKind::Entreprises, "firms", "Entreprises", false, "Firms directory", "AdressesEts",
         "Entreprises", "Entreprises", "dlfirms", "application/x-divelog-firms",
         "newEntrepriseDocumentMenuAction:"},
        {DocumentKind::Structures, "structures", "Structures", false, "Structures directory",
         "AdressesStruct", "Structures", "Structures", "dlstructures",
         "application/x-divelog-structures", "newStructureDocumentMenuAction:"},
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

bool hasKindExtension(std::string_view path, const DocumentKindInfo& kind) {
    const std::size_t n = kind.extension.size() + 1;
    if (path.size() <= n) return false;  // ".divelog" alone is a hidden name, not an extension
    const std::string_view tail = path.substr(path.size() - n);
    const char before = path[path.size() - n - 1];
    if (tail.front() != '.' || before == '/') return false;
    return std::equal(tail.begin() + 1, tail.end(), kind.extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::string withKindExtension(std::string_view path, const DocumentKindInfo& kind) {
    std::string out(path);
    if (!hasKindExtension(path, kind)) {
        out += '.';
        out += kind.extension;
    }
    return out;
}

}  // namespace divelog
