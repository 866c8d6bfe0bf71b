#include "ConversionCommands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <ostream>

#include "EnglishTexts.h"
#include "ExitCodes.h"
#include "document/DocumentFile.h"
#include "exchange/DiveImport.h"
#include "exchange/ExchangeFormats.h"
#include "kinds/DocumentKinds.h"
#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"
#include "util/FileIO.h"

namespace divelog::cli {

namespace {

// What the converter has instead of the application's settings: the
// defaults, "us units" when asked (a logbook file does not say its units),
// and the application's English texts.
struct Context {
    explicit Context(const Invocation& call) : texts(englishTexts()) {
        settings.setBool("us units", call.has("--us-units"));
    }
    InMemorySettingsStore settings;
    Localisation texts;
};

bool readDives(const std::string& path, std::int32_t firstNumber, Context& c,
               DiveImport::Outcome& file, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) {
        reportRefusal(err, path, error);
        return false;
    }
    file = DiveImport::run({bytes, path}, firstNumber, c.settings, c.texts);
    if (!file.refusal.empty()) {
        reportRefusal(err, path, file.refusal);
        return false;
    }
    return true;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string dives(std::size_t n) { return n == 1 ? "1 dive" : std::to_string(n) + " dives"; }

}  // namespace

std::vector<std::string> exportTypeNames() {
    std::vector<std::string> names;
    for (const auto& e : ExchangeFormats::exporters()) names.emplace_back(e->typeName());
    return names;
}

int runConvert(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::string &in = call.args[0], &target = call.args[1];
    const std::string& type = call.options.at("--to");
    const DiveExporter* exporter = nullptr;
    for (const auto& e : ExchangeFormats::exporters())
        if (sameText(e->typeName(), type)) exporter = e.get();
    if (!exporter) {
        err << "divelog-convert: unknown export type \"" << printable(type)
            << "\" (divelog-convert --help lists them)\n";
        return kExitUsage;
    }
    Context c(call);
    DiveImport::Outcome file;
    if (!readDives(in, 1, c, file, err)) return kExitRefused;
    for (const std::string& note : file.report) reportRefusal(err, in, note);
    std::string why, error;
    const ExportContext context{c.texts, c.settings.boolForKey("us units"), dateNow()};
    if (!writeFileAtomically(
            target, [&](ByteOutput& o) { return exporter->write(file.dives, context, o, why); },
            error)) {
        reportRefusal(err, target, why.empty() ? error : why);
        return kExitRefused;
    }
    out << target << ": " << dives(file.dives.size()) << " written as " << exporter->typeName()
        << '\n';
    return out.flush() ? kExitOk : kExitRefused;
}

int runImport(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::string& path = call.args[0];
    Context c(call);
    Carnet carnet;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        DocumentError refusal;
        std::unique_ptr<Document> document = openDocumentFile(path, refusal);
        auto* existing = dynamic_cast<Carnet*>(document.get());
        if (!existing) {
            reportRefusal(err, path, document ? "not a logbook" : refusal.details);
            return kExitRefused;
        }
        Carnet::DiveList kept;
        for (const auto& d : existing->dives()) kept.push_back(std::make_unique<Plongee>(*d));
        carnet.loadList(std::move(kept));
    }
    // Every file is read before anything is written.
    std::string report;
    Carnet::DiveList added;
    std::int32_t next = carnet.numberAfterHighest();
    for (std::size_t i = 1; i < call.args.size(); ++i) {
        DiveImport::Outcome file;
        if (!readDives(call.args[i], next, c, file, err)) return kExitRefused;
        report +=
            printable(call.args[i]) + ": " + dives(file.dives.size()) + " (" + file.format + ")\n";
        for (const std::string& note : file.report) report += "  " + printable(note) + "\n";
        for (auto& d : file.dives) {
            d->setNoPlongee(next);  // a logbook's dives follow on, as imported ones do
            if (next < std::numeric_limits<std::int32_t>::max()) ++next;
            added.push_back(std::move(d));
        }
    }
    const std::size_t count = added.size();
    if (count) carnet.append(std::move(added));
    std::string error;
    if (!carnet.save(path, error)) {
        reportRefusal(err, path, error);
        return kExitRefused;
    }
    out << report << printable(path) << ": " << dives(count) << " added, "
        << dives(carnet.recordCount()) << " in all\n";
    return out.flush() ? kExitOk : kExitRefused;
}

int runValidate(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::string& path = call.args[0];
    Context c(call);
    DiveImport::Outcome file;
    if (!readDives(path, 1, c, file, err)) return kExitRefused;
    // A file that gives no dive is never "nothing left out".
    if (file.dives.empty() && file.format != "logbook")
        file.report.insert(file.report.begin(), "no dive was found in this file");
    out << printable(path) << ": " << file.format << ", " << dives(file.dives.size()) << ", "
        << (file.report.empty() ? "nothing left out" : "some of it left out:") << '\n';
    for (const std::string& note : file.report) out << "  " << printable(note) << '\n';
    if (!out.flush()) return kExitRefused;
    return file.report.empty() ? kExitOk : kExitLossy;
}

}  // namespace divelog::cli
