#include "InfoCommand.h"

#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "ArchiveSummary.h"
#include "Commands.h"
#include "EnglishTexts.h"
#include "ExitCodes.h"
#include "dive/DiveCodes.h"
#include "document/DocumentFile.h"
#include "exchange/DiveImport.h"
#include "localisation/Localisation.h"
#include "settings/SettingsStore.h"
#include "util/FileIO.h"
#include "util/Numbers.h"

namespace divelog::cli {

namespace {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7f) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string two(int v) { return formatText("%02d", {std::int64_t{v}}); }

bool printLines(std::ostream& out, std::ostream& err, const std::string& path,
                const std::string& text) {
    out << text;
    if (out.flush()) return true;
    reportRefusal(err, path, "Cannot write the output.");
    return false;
}

}  // namespace

std::string diveJson(const Plongee& d) {
    std::string start = "null";
    if (d.date()) {
        const DateParts day = localParts(*d.date());
        const DateParts clock = d.heure() ? localParts(*d.heure()) : DateParts{};
        start = "\"" + formatText("%04d", {std::int64_t{day.year}}) + "-" + two(day.month) + "-" +
                two(day.day) + "T" + two(clock.hour) + ":" + two(clock.minute) + ":" +
                two(clock.second) + "\"";
    }
    static const std::vector<double> none;
    const std::vector<double>& depths = d.profilProfondeur() ? *d.profilProfondeur() : none;
    // One sample is the placeholder of a dive without a profile.
    const std::size_t samples = depths.size() >= 2 ? depths.size() : 0;
    const auto interval = DiveCodes::samplingSeconds(d.samplingRate());
    auto sample = [&](std::size_t i) {
        if (!samples) return std::string("null");
        return "[" + integerText(static_cast<std::int64_t>(i) * interval.value_or(0)) + "," +
               decimalText(depths[i]) + "]";
    };
    return "{\"number\":" + integerText(d.noPlongee()) + ",\"start\":" + start +
           ",\"depth_m\":" + decimalText(d.profondeur()) +
           ",\"duration_s\":" + integerText(std::int64_t{d.temps()} * 60) +
           ",\"samples\":" + integerText(static_cast<std::int64_t>(samples)) +
           ",\"interval_s\":" + (interval ? integerText(*interval) : std::string("null")) +
           ",\"first_sample\":" + sample(0) +
           ",\"last_sample\":" + sample(samples ? samples - 1 : 0) +
           ",\"o2_percent\":" + integerText(d.o2Mix()) +
           ",\"he_percent\":" + integerText(d.heMix()) +
           ",\"place\":" + jsonString(d.lieu().value_or("")) +
           ",\"site\":" + jsonString(d.site().value_or("")) + "}\n";
}

int runInfo(const Invocation& call, std::ostream& out, std::ostream& err) {
    const std::string& path = call.args[0];
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error)) {
        reportRefusal(err, path, error);
        return kExitRefused;
    }
    DocumentError archive;
    const bool isArchive = kindOfArchive(bytes, archive) != nullptr;
    if (isArchive && !call.has("--json")) {
        ArchiveSummary summary;
        if (!summarizeArchive(bytes, summary, error)) {
            reportRefusal(err, path, error);
            return kExitRefused;
        }
        std::ostringstream text;
        printSummary(summary, text);
        return printLines(out, err, path, text.str()) ? kExitOk : kExitRefused;
    }
    InMemorySettingsStore settings;
    const Localisation texts = englishTexts();
    const DiveImport::Outcome file = DiveImport::run({bytes, path}, 1, settings, texts);
    if (!file.refusal.empty()) {
        reportRefusal(err, path,
                      isArchive || archive.details.empty() ? file.refusal : archive.details);
        return kExitRefused;
    }
    std::string text;
    if (call.has("--json")) {
        for (const auto& d : file.dives) text += diveJson(*d);
    } else {
        std::optional<Date> first, last;
        for (const auto& d : file.dives)
            if (d->date()) {
                if (!first || *d->date() < *first) first = d->date();
                if (!last || *d->date() > *last) last = d->date();
            }
        text = "format: " + file.format + "\ndives: " + std::to_string(file.dives.size()) +
               "\nfirst dive: " + (first ? formatDay(*first) : "none") +
               "\nlast dive: " + (last ? formatDay(*last) : "none") + "\n";
    }
    return printLines(out, err, path, text) ? kExitOk : kExitRefused;
}

}  // namespace divelog::cli
