#include "ArchiveSummary.h"

#include <cmath>
#include <memory>
#include <ostream>

#include "Commands.h"
#include "document/DocumentFile.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"

namespace divelog::cli {

namespace {

// About 31,700 years either side of 2001: anything further is damage, and the
// calendar conversion has no meaningful answer for it.
constexpr double kLargestPlausibleSeconds = 1e12;

bool isCalendarDate(const Date& d) {
    return std::isfinite(d.seconds) && std::fabs(d.seconds) <= kLargestPlausibleSeconds;
}

}  // namespace

bool summarizeArchive(std::span<const std::uint8_t> bytes, ArchiveSummary& summary,
                      std::string& error) {
    // The same road as the application's: the kind comes from the header.
    DocumentError refusal;
    std::unique_ptr<Document> document = readDocument(bytes, refusal);
    if (!document) {
        error = std::move(refusal.details);
        if (refusal.offset) error += " (near byte " + std::to_string(*refusal.offset) + ")";
        return false;
    }
    ArchiveHeader header;
    if (!readArchiveHeader(bytes, header, error)) return false;

    ArchiveSummary s;
    s.kind = &document->info();
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
    out << "kind: " << s.kind->id << " (" << s.kind->englishName << ")\n";
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
