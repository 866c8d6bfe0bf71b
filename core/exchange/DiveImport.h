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
// its range rules. Numbers follow the logbook's last dive.
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
    static Built build(const std::vector<DiveDraft>& dives, std::int32_t firstNumber,
                       const SettingsStore& settings, const Localisation& texts,
                       const std::function<bool(std::size_t done)>& progress = {});

    // The report's line naming the corrected fields; empty when none was.
    static std::string correctionNote(const Built& built);
};

}  // namespace divelog
