#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/ExchangeFormat.h"

namespace divelog {

class Localisation;
class SettingsStore;

// Dives read from a file become records the way typed dives do: a blank
// form of its own, the file's values, a refresh, then the form's store with
// its range rules. Each dive starts from the same blank form, so nothing of
// one dive (its sampling interval, its bail-out cylinders) passes to the
// next. The readers' metres and degrees Celsius are rounded to what a dive
// computer measures and, for a logbook under "us units", converted to feet
// and Fahrenheit. A dive is technical only when the file shows it: a helium
// mix, a closed circuit or decompression stops. Numbers follow the
// logbook's last dive. The application and the converter import through
// run(), so both read, build and report alike.
class DiveImport {
public:
    struct Built {
        Carnet::DiveList dives;
        std::vector<std::string> alerts;  // the form's alert keys, once each
        // Fields whose value from the file the form corrected, with the
        // number of dives, in field order.
        std::vector<std::pair<Plongee::Field, std::size_t>> corrected;
        bool cancelled = false;
    };
    // `progress` is told how many dives are done; returning false cancels,
    // and nothing built is kept.
    static Built build(std::vector<DiveDraft> dives, std::int32_t firstNumber,
                       const SettingsStore& settings, const Localisation& texts,
                       const std::function<bool(std::size_t done)>& progress = {});

    // A file to import: its bytes, and the reader the user chose, or none
    // for the one its content and name point to (a logbook's own file is
    // then taken as it is).
    struct Source {
        std::span<const std::uint8_t> bytes;
        std::string_view fileName;  // a hint only
        const DiveImporter* importer = nullptr;
    };
    struct Outcome {
        std::string format;  // "logbook", "UDDF", "UDCF" or "Companion"; empty when refused
        Carnet::DiveList dives;
        // The import report, one line each: what the reader left out or
        // corrected, the form's alerts in the texts given, then the file's
        // values the form corrected.
        std::vector<std::string> report;
        std::string refusal;     // why the file gave no dives at all; empty when it was read
        bool cancelled = false;  // by the progress: nothing kept
    };
    // `progress` is told how many of the file's dives are built; returning
    // false cancels.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;
    static Outcome run(const Source& source, std::int32_t firstNumber,
                       const SettingsStore& settings, const Localisation& texts,
                       const Progress& progress = {});

    // The reader for a foreign file: by what it holds (a "uddf" root; the
    // companion's own elements; a UDCF root or UDCF's samples), then its
    // extension, then the first reader that finds dives in it.
    static const DiveImporter* importerFor(std::span<const std::uint8_t> bytes,
                                           std::string_view fileName);
    // The report's line naming the corrected fields; empty when none was.
    static std::string correctionNote(const Built& built);
};

}  // namespace divelog
