#include "document/DocumentKind.h"

#include <algorithm>
#include <cctype>

#include "logbook/Carnet.h"
#include "registers/Budget.h"
#include "registers/Compresseur.h"
#include "registers/Consommables.h"
#include "registers/DiversDocs.h"
#include "registers/Entreprises.h"
#include "registers/Epaves.h"
#include "registers/Materiel.h"
#include "registers/Rebreather.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSpecs.h"
#include "registers/Structures.h"

namespace divelog {

namespace {

std::unique_ptr<Document> makeCarnet(DocumentKind) { return std::make_unique<Carnet>(); }
std::unique_ptr<Document> makeRegister(DocumentKind kind) {
    return std::make_unique<RegisterDocument>(kind, *registerSpec(kind));
}

constexpr int kLogbookOldest = Plongee::kOldestVersion;
constexpr int kLogbookNewest = Plongee::kClassVersion;

}  // namespace

const std::array<DocumentKindInfo, kDocumentKindCount>& documentKinds() {
    static const std::array<DocumentKindInfo, kDocumentKindCount> kinds = {{
        {DocumentKind::Carnet, "logbook", "Carnet de plongee", true, "Dive logbook", "Carnet",
         "Plongee", kLogbookOldest, kLogbookNewest, "Carnet", "divelog",
         "application/x-divelog-logbook", "newCarnetDocumentMenuAction:", makeCarnet},
        {DocumentKind::DiversDocuments, "documents", "Divers documents", true,
         "Miscellaneous documents", "DiversDocuments", "DiversDocs", 0,
         DiversDocs::kClassVersion, "Documents", "dldocs",
         "application/x-divelog-documents", "newDocumentDocumentMenuAction:", makeRegister},
        {DocumentKind::Materiel, "equipment", "Materiel", true, "Equipment inventory",
         "InvMateriel", "Materiel", 0, Materiel::kClassVersion, "Materiel", "dlequip", "application/x-divelog-equipment",
         "newMaterielDocumentMenuAction:", makeRegister},
        {DocumentKind::Rebreather, "rebreather", "Rebreather", true, "Rebreather service log",
         "RebreatherServ", "Rebreather", 0, Rebreather::kClassVersion, "Rebreather", "dlrebreather",
         "application/x-divelog-rebreather", "newRebreatherDocumentMenuAction:", makeRegister},
        {DocumentKind::Consommables, "consumables", "Consommables", false, "Consumables inventory",
         "InvConso", "Consommables", 0, Consommables::kClassVersion, "Consommables",
         "dlconsumables", "application/x-divelog-consumables",
         "newConsommablesDocumentMenuAction:", makeRegister},
        {DocumentKind::Compresseur, "compressor", "Compresseur", false, "Compressor maintenance",
         "MaintComp", "Compresseur", 0, Compresseur::kClassVersion, "Compresseur", "dlcompressor",
         "application/x-divelog-compressor", "newCompresseurDocumentMenuAction:", makeRegister},
        {DocumentKind::Epaves, "wrecks", "Epaves", false, "Wreck directory", "RepEpaves", "Epaves",
         0, Epaves::kClassVersion, "Epaves", "dlwrecks", "application/x-divelog-wrecks",
         "newEpavesDocumentMenuAction:", makeRegister},
        {DocumentKind::Budget, "budget", "Budget", false, "Budget forecast", "PreviBudget",
         "Budget", 0, Budget::kClassVersion, "Budget", "dlbudget", "application/x-divelog-budget",
         "newBudgetDocumentMenuAction:", makeRegister},
        {DocumentKind::Entreprises, "firms", "Entreprises", false, "Firms directory",
         "AdressesEts", "Entreprises", 0, Entreprises::kClassVersion, "Entreprises", "dlfirms",
         "application/x-divelog-firms", "newEntrepriseDocumentMenuAction:", makeRegister},
        {DocumentKind::Structures, "structures", "Structures", false, "Structures directory",
         "AdressesStruct", "Structures", 0, Structures::kClassVersion, "Structures", "dlstructures",
         "application/x-divelog-structures", "newStructureDocumentMenuAction:", makeRegister},
    }};
    return kinds;
}

std::unique_ptr<Document> DocumentKindInfo::makeDocument() const { return make(kind); }

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
