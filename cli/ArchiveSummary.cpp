#include "ArchiveSummary.h"

#include <cmath>
#include <memory>
#include <ostream>

#include "Commands.h"
#include "logbook/Carnet.h"
#include "document/DocumentFactory.h"

namespace divelog::cli {

namespace {

// About 31,700 years either side of 2001: anything further is damage, and the
// calendar conversion has no meaningful answer for it.
constexpr double kLargestPlausibleSeconds = 1e12;

bool isCalendarDate(const Date& d) {
    return std::isfinite(d.seconds) && std::fabs(d.seconds) <= kLargestPlausibleSeconds;
}

}  // namespace

std::string_view englishKindName(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::Carnet: return "Dive logbook";
    case DocumentKind::DiversDocuments: return "Miscellaneous documents";
    case DocumentKind::Materiel: return "Equipment inventory";
    case DocumentKind::Rebreather: return "Rebreather service log";
    case DocumentKind::Consommables: return "Consumables inventory";
    case DocumentKind::Compresseur: return "Compressor maintenance";
    case DocumentKind::Epaves: return "Wreck directory";
    case DocumentKind::Budget: return "Budget forecast";
    case DocumentKind::Entreprises: return "Firms directory";
    case DocumentKind::Structures: return "Structures directory";
    }
    return "Unknown";
}

bool summarizeArchive(std::span<const std::uint8_t> bytes, ArchiveSummary& summary,
                      std::string& error) {
    ArchiveHeader header;
    if (!readArchiveHeader(bytes, header, error)) return false;
    const DocumentKindInfo* kind = kindForId(header.kind);
    if (!kind) {
        error = "The file is a record archive of kind \"" + header.kind +
                "\", which is not a document kind.";
        return false;
    }
    std::unique_ptr<Document> document = makeDocument(kind->kind);
    if (!document->loadData(bytes, kind->id, error)) return false;

    ArchiveSummary s;
    s.kind = kind;
    s.formatVersion = header.formatVersion;
    s.classes = std::move(header.classes);
    s.recordCount = document->recordCount();
    if (const auto* carnet = dynamic_cast<const Carnet*>(document.get())) {
        s.isLogbook = true;
        for (const auto& dive : carnet->dives()) {
            const auto& date = dive->date();
            if (!date || !isCalendarDate(*date)) continue;
            if (!s.firstDive || *date < *s.firstDive) s.firstDive = date;
            if (!s.lastDive || *date > *s.lastDive) s.lastDive = date;
        }
    }
    summary = std::move(s);
    return true;
}

void printSummary(const ArchiveSummary& s, std::ostream& out) {
    if (!s.kind) return;
    out << "kind: " << s.kind->id << " (" << englishKindName(s.kind->kind) << ")\n";
    out << "format version: " << s.formatVersion << '\n';
    if (s.classes.empty()) out << "classes: none\n";
    for (const auto& c : s.classes)
        out << "class: " << printable(c.name) << " version " << c.version << '\n';
    out << "records: " << s.recordCount << '\n';
    if (s.isLogbook) {
        out << "first dive: " << (s.firstDive ? formatDay(*s.firstDive) : "none") << '\n';
        out << "last dive: " << (s.lastDive ? formatDay(*s.lastDive) : "none") << '\n';
    }
}

}  // namespace divelog::cli
