#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logbook/Carnet.h"

namespace divelog {

class DiveImporter;
class Localisation;
class SettingsStore;

// The dives of a file of any kind this program reads, as records: a
// logbook's own file, or a UDDF, UDCF or companion file read through the
// dive form as an import does.
struct DiveFile {
    std::string format;  // "logbook", "UDDF", "UDCF" or "Companion"
    Carnet::DiveList dives;
    std::vector<std::string> notes;  // what was left out or corrected, one line each

    // False with a reason in `error` when no reader takes the bytes. Imported
    // dives are numbered from `firstNumber`; `fileName` is a hint only.
    [[nodiscard]] static bool read(std::span<const std::uint8_t> bytes, std::string_view fileName,
                                   std::int32_t firstNumber, const SettingsStore& settings,
                                   const Localisation& texts, DiveFile& out, std::string& error);

    // The reader for a foreign file: by its root element ("uddf", "PROFILE"),
    // then its extension, then the first reader that finds dives in it.
    static const DiveImporter* importerFor(std::span<const std::uint8_t> bytes,
                                           std::string_view fileName);
};

}  // namespace divelog
