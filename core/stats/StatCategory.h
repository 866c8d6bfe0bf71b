#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "dive/Plongee.h"

namespace divelog {

class Localisation;

// What the statistics count, in the order the window and the report show it.
enum class StatCategory : std::uint8_t {
    Bio,
    Quarry,
    Drift,
    Wrecks,
    Recreational,
    Training,
    Night,
    Photo,
    Recuperation,
    Ice,
    Cave,
    Tek,
    Work,
    Video,
    Other,  // dive types, night and technical dives
    OpenCircuit,
    SemiClosed,
    ClosedCircuit,  // apparatus
    Air,
    Nitrox,
    Trimix,
    Heliox,  // gas families
    Depth1,
    Depth2,
    Depth3,
    Depth4,
    Depth5,
    Depth6,
    Depth7,  // 0-9 m ... 60 m and more
};
inline constexpr std::size_t kStatCategoryCount = 29;

struct StatCategoryInfo {
    StatCategory id;
    std::string_view earlierKey;  // its count among the earlier dives
    std::string_view reportKey;   // its line of the report; empty: the window only
    // The window names it by the title of a code of the dive record where
    // one says it, else by `titleKey` (table "Carnet").
    std::optional<Plongee::Field> codeField;
    std::int32_t code = 0;
    std::string_view titleKey = {};
    // A depth band as a logbook kept in feet names it (its metres in whole feet).
    std::string_view feetTitleKey = {};
    std::string_view feetReportKey = {};
};

// The statistics' categories and how a dive falls into them. The dive-type
// categories are codes of the record's dive type; the gas families group
// the record's gas codes.
class StatCategories {
public:
    static std::span<const StatCategoryInfo> all();
    static const StatCategoryInfo& info(StatCategory c) {
        return all()[static_cast<std::size_t>(c)];
    }
    // Depth bands in feet when the logbook is kept in feet; the bands are
    // still the metres' ten-metre ones.
    static std::string title(StatCategory c, const Localisation& texts, bool usUnits = false);
    static std::string_view reportKey(StatCategory c, bool usUnits);

    static std::span<const StatCategory> diveTypes();  // with night and tek
    static std::span<const StatCategory> apparatus();
    static std::span<const StatCategory> gases();
    static std::span<const StatCategory> depthBands();

    // None for the dive types no category counts (technical, legacy, unknown).
    static std::optional<StatCategory> ofDiveType(std::int32_t typePlongee);
    static std::optional<StatCategory> ofApparatus(std::int32_t rebreather);
    // A closed circuit breathes oxygen-enriched gas whatever its diluent:
    // nitrox. An unknown gas code falls with heliox, so every dive has a family.
    static StatCategory gasFamily(std::int32_t rebreather, std::int32_t gaz);
    static StatCategory depthBand(long long wholeMetres);
};

}  // namespace divelog
