// Feeds arbitrary bytes to every dive reader (UDDF, UDCF, companion file,
// Subsurface logbook), builds the dives through the form's rules, and writes
// them out again as UDCF and as standard UDDF, which must read back as as many dives: whatever
// a file holds, the logbook must be able to store, export and read it again. Also built without
// libFuzzer as the corpus replay test, so each file under tests/data/exchange stays a regression
// test.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/UddfImport.h"
#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"

using namespace divelog;

namespace {

struct Discard final : ByteOutput {
    bool write(std::span<const std::uint8_t>) override { return true; }
};

struct Keep final : ByteOutput {
    std::vector<std::uint8_t> bytes;
    bool write(std::span<const std::uint8_t> b) override {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return true;
    }
};

[[noreturn]] void invariantBroken(const char* what) {
    std::fprintf(stderr, "fuzz_dive_imports: %s\n", what);
    std::abort();
}

bool sameDives(const ImportResult& a, const ImportResult& b) {
    if (a.notes != b.notes || a.skipped != b.skipped || a.dives.size() != b.dives.size())
        return false;
    for (std::size_t i = 0; i < a.dives.size(); ++i) {
        const DiveDraft &x = a.dives[i], &y = b.dives[i];
        if (x.values().size() != y.values().size() || x.profile != y.profile) return false;
        for (std::size_t k = 0; k < x.values().size(); ++k)
            if (x.values()[k].field != y.values()[k].field ||
                x.values()[k].value != y.values()[k].value)
                return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static InMemorySettingsStore settings;
    static Localisation texts;
    for (const auto& importer : ExchangeFormats::importers()) {
        const ImportResult read = importer->read({data, size});
        if (importer->name() == "UDDF" && !sameDives(read, UddfImport(false).read({data, size})))
            invariantBroken("waypoints read from the text differ from the parser's");
        if (read.dives.size() > size) invariantBroken("more dives than bytes");
        DiveImport::Built built = DiveImport::build(read.dives, 1, settings, texts);
        for (const auto& d : built.dives) {
            if (!std::isfinite(d->profondeur()) || !std::isfinite(d->lestage()) ||
                !std::isfinite(d->flow()))
                invariantBroken("a stored dive holds a number that is not finite");
        }
        Discard out;
        std::string error;
        if (!exportDives(built.dives, "Export UDCF (Universal Dive Computer Format)",
                         ExportContext{texts, false, Date{}}, out, error))
            invariantBroken("imported dives do not export");
        Keep standard;
        if (!exportDives(built.dives, "Export UDDF 3.2 (standard)",
                         ExportContext{texts, false, Date{}}, standard, error))
            invariantBroken("imported dives do not export as standard UDDF");
        if (ExchangeFormats::importer("UDDF")->read(standard.bytes).dives.size() !=
            built.dives.size())
            invariantBroken("a standard UDDF export does not read back as many dives");
    }
    return 0;
}
