// Feeds arbitrary bytes to every reader of record archives: the header
// reader, the logbook decoder, every register's decoder (directly and
// through the command-line summary) and the colour decoder. Also built without libFuzzer as the
// corpus replay test, so each file under tests/data/archive stays a regression test.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "ArchiveSummary.h"
#include "archive/BinaryArchive.h"
#include "document/Document.h"
#include "document/DocumentKind.h"
#include "kinds/DocumentKinds.h"
#include "logbook/Carnet.h"

using namespace divelog;

namespace {

[[noreturn]] void invariantBroken(const char* what) {
    std::fprintf(stderr, "fuzz_archive_decoder: %s\n", what);
    std::abort();
}

// Whatever the decoder accepts must survive a save and reload unchanged: a
// file that opens but does not save back as itself would lose data.
void checkRoundTrip(const Carnet& decoded) {
    std::string error;
    std::vector<std::uint8_t> once = decoded.dataOfType("logbook", error);
    if (once.empty()) invariantBroken("a decoded logbook does not encode");
    Carnet again;
    if (!again.loadData(once, "logbook", error))
        invariantBroken("an encoded logbook does not decode");
    if (again.recordCount() != decoded.recordCount()) invariantBroken("the record count changed");
    if (again.dataOfType("logbook", error) != once) invariantBroken("a second round trip differs");
}

// The same for every register: what opens saves back as itself, and a
// refused file leaves the register empty.
void checkRegisters(std::span<const std::uint8_t> bytes) {
    for (const DocumentKindInfo& kind : documentKinds()) {
        if (kind.kind == DocumentKind::Carnet) continue;
        std::unique_ptr<Document> doc = makeDocument(kind.kind);
        std::string error;
        if (!doc->loadData(bytes, kind.id, error)) {
            if (doc->recordCount() != 0) invariantBroken("a refused load changed a register");
            continue;
        }
        const std::vector<std::uint8_t> once = doc->dataOfType(kind.id, error);
        std::unique_ptr<Document> again = makeDocument(kind.kind);
        if (!again->loadData(once, kind.id, error))
            invariantBroken("an encoded register does not decode");
        if (again->recordCount() != doc->recordCount() || again->dataOfType(kind.id, error) != once)
            invariantBroken("a register's round trip differs");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    std::string error;

    ArchiveHeader header;
    if (readArchiveHeader(bytes, header, error) && header.bodyOffset > size)
        invariantBroken("the header ends past the data");

    if (auto colour = decodeColourArchive(bytes)) {
        if (decodeColourArchive(encodeColourArchive(*colour)) == std::nullopt)
            invariantBroken("a decoded colour does not round-trip");
    }

    Carnet carnet;
    if (carnet.loadData(bytes, "logbook", error)) {
        checkRoundTrip(carnet);
        // The dive table shows these as text, whatever the file held.
        for (const auto& dive : carnet.dives()) {
            (void)dive->text("date");
            (void)dive->text("heure");
            (void)dive->text("profondeur");
        }
    } else if (carnet.recordCount() != 0) {
        invariantBroken("a refused load changed the logbook");
    }

    checkRegisters(bytes);

    cli::ArchiveSummary summary;
    if (cli::summarizeArchive(bytes, summary, error)) {
        std::ostringstream out;
        cli::printSummary(summary, out);
    }
    return 0;
}
