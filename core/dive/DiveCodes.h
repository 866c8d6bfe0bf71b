#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "dive/Plongee.h"

namespace divelog {

class Localisation;

// What one stored code of a coded dive field means. Every text is a key of
// the "Carnet" table that stands for itself when no translation is loaded.
struct CodeMeaning {
    std::int32_t code;
    std::string_view title;           // choice-list title; empty for a legacy code nobody offers
    std::string_view label = {};      // label with the dive's numbers (gas); empty: the title
    std::string_view shortForm = {};  // what the dive table shows; empty: the title
    std::string_view image = {};      // picture name; empty for none
    double value = 0;                 // set point in bar, sampling interval in seconds
    bool notGiven = false;            // the code says nothing was recorded
};

// The codes of one field, in the order a choice list offers them (best first,
// shortest interval first, lowest pressure first), "not given" included so a
// blank form always shows a selection.
struct CodeTable {
    Plongee::Field field;
    std::span<const CodeMeaning> codes;

    const CodeMeaning* find(std::int32_t code) const;
};

// The codes a new dive holds before anything is recorded: conditions not
// given, the type "Other", positions in WGS84. The blank dive and the readers
// of other programs' files start from them.
struct NewDiveCodes {
    static constexpr std::int32_t kWeather = 7;     // not given
    static constexpr std::int32_t kCurrent = 6;     // not given
    static constexpr std::int32_t kVisibility = 7;  // not given
    static constexpr std::int32_t kDiveType = 8;    // Other
    static constexpr std::int32_t kGpsSystem = 1;   // WGS84
};

// The one statement of every coded dive field's meaning: the form's choices,
// the table's cells and colours, and later the card, statistics and exports
// all read it.
class DiveCodes {
public:
    // Null for a field that holds no code.
    static const CodeTable* table(Plongee::Field field);
    static const CodeMeaning* meaning(Plongee::Field field, std::int32_t code);

    // The title of a code, localised ("Force 3" for wind code 4); empty for an
    // unknown code.
    static std::string title(Plongee::Field field, std::int32_t code, const Localisation& texts);
    // The dive table's short form; empty for an unknown or not-given code.
    static std::string shortForm(Plongee::Field field, std::int32_t code,
                                 const Localisation& texts);

    // Apparatus codes that recycle the gas with a set point: mCCR, eCCR, hCCR.
    static bool isClosedCircuit(std::int32_t apparatus);
    // The set point of a `ppO2` code; none for "not given" or an unknown code.
    static std::optional<double> setPointBar(std::int32_t ppO2Code);
    // Seconds between two profile samples; none outside the eight codes.
    static std::optional<int> samplingSeconds(std::int32_t samplingCode);

    // A gas as the dive record names it: "Air", "Nitrox 32", "Trimix 18/45",
    // "Heliox 21", "Triox 30/30", "Heliair 18/30"; empty for an unknown code.
    static std::string gasLabel(std::int32_t gas, std::int64_t o2, std::int64_t he,
                                const Localisation& texts);
    // The table's short form of a gas with its numbers ("Nx 32", "Tx 18/45").
    static std::string gasShortForm(std::int32_t gas, std::int64_t o2, std::int64_t he,
                                    const Localisation& texts);
};

}  // namespace divelog
