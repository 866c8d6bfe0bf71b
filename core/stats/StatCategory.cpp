#include "stats/StatCategory.h"

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "localisation/Localisation.h"

namespace divelog {

namespace {

using C = StatCategory;
using F = Plongee::Field;

// clang-format off
constexpr StatCategoryInfo kInfo[] = {
    {C::Bio, "bio", "Statistics bio", F::typePlongee, 12},
    {C::Quarry, "carriere", "Statistics quarry", F::typePlongee, 13},
    {C::Drift, "derivante", "Statistics drift", F::typePlongee, 9},
    {C::Wrecks, "epaves", "Statistics wrecks", F::typePlongee, 0},
    {C::Recreational, "explo", "Statistics recreational", F::typePlongee, 1},
    {C::Training, "formation", "Statistics training", F::typePlongee, 11},
    {C::Night, "nocturne", "Statistics night", std::nullopt, 0, "Night dive"},
    {C::Photo, "photo", "Statistics photo", F::typePlongee, 3},
    {C::Recuperation, "recuperation", "Statistics recuperation", F::typePlongee, 14},
    {C::Ice, "glace", "Statistics ice", F::typePlongee, 10},
    {C::Cave, "speleo", "Statistics cave", F::typePlongee, 5},
    {C::Tek, "tek", "Statistics tek", F::configuration, 1},
    {C::Work, "travail", "Statistics work", F::typePlongee, 7},
    {C::Video, "video", "Statistics video", F::typePlongee, 6},
    {C::Other, "autre", "Statistics other", F::typePlongee, 8},
    {C::OpenCircuit, "co", "", F::rebreather, 0},
    {C::SemiClosed, "scr", "", F::rebreather, 1},
    {C::ClosedCircuit, "ccr", "", std::nullopt, 0, "Closed circuit"},
    {C::Air, "air", "Statistics air", F::gaz, gas::kAir},
    {C::Nitrox, "nitrox", "Statistics nitrox", F::gaz, gas::kNitrox},
    {C::Trimix, "trimix", "Statistics trimix", F::gaz, gas::kTrimix},
    {C::Heliox, "heliox", "Statistics heliox", F::gaz, gas::kHeliox},
    {C::Depth1, "prof_1", "Statistics prof_1", std::nullopt, 0, "0 - 9 m", "0 - 32 ft", "Statistics prof_1 feet"},
    {C::Depth2, "prof_2", "Statistics prof_2", std::nullopt, 0, "10 - 19 m", "33 - 65 ft", "Statistics prof_2 feet"},
    {C::Depth3, "prof_3", "Statistics prof_3", std::nullopt, 0, "20 - 29 m", "66 - 98 ft", "Statistics prof_3 feet"},
    {C::Depth4, "prof_4", "Statistics prof_4", std::nullopt, 0, "30 - 39 m", "99 - 131 ft", "Statistics prof_4 feet"},
    {C::Depth5, "prof_5", "Statistics prof_5", std::nullopt, 0, "40 - 49 m", "132 - 164 ft", "Statistics prof_5 feet"},
    {C::Depth6, "prof_6", "Statistics prof_6", std::nullopt, 0, "50 - 59 m", "165 - 196 ft", "Statistics prof_6 feet"},
    {C::Depth7, "prof_7", "Statistics prof_7", std::nullopt, 0, "60 m et +", "197 ft +", "Statistics prof_7 feet"},
};
static_assert(std::size(kInfo) == kStatCategoryCount);

constexpr C kDiveTypes[] = {C::Bio, C::Quarry, C::Drift, C::Wrecks, C::Recreational,
                            C::Training, C::Night, C::Photo, C::Recuperation, C::Ice,
                            C::Cave, C::Tek, C::Work, C::Video, C::Other};
constexpr C kApparatus[] = {C::OpenCircuit, C::SemiClosed, C::ClosedCircuit};
constexpr C kGases[] = {C::Air, C::Nitrox, C::Trimix, C::Heliox};
constexpr C kDepths[] = {C::Depth1, C::Depth2, C::Depth3, C::Depth4,
                         C::Depth5, C::Depth6, C::Depth7};
// clang-format on

// Dive-type code -> category, from the table above.
constexpr std::array<std::optional<C>, 15> kByDiveType = [] {
    std::array<std::optional<C>, 15> a{};
    for (const auto& i : kInfo)
        if (i.codeField == F::typePlongee) a[static_cast<std::size_t>(i.code)] = i.id;
    return a;
}();

}  // namespace

std::span<const StatCategoryInfo> StatCategories::all() { return kInfo; }
std::span<const StatCategory> StatCategories::diveTypes() { return kDiveTypes; }
std::span<const StatCategory> StatCategories::apparatus() { return kApparatus; }
std::span<const StatCategory> StatCategories::gases() { return kGases; }
std::span<const StatCategory> StatCategories::depthBands() { return kDepths; }

std::string StatCategories::title(StatCategory c, const Localisation& texts, bool usUnits) {
    const StatCategoryInfo& i = info(c);
    if (i.codeField) return DiveCodes::title(*i.codeField, i.code, texts);
    const std::string_view key = usUnits && !i.feetTitleKey.empty() ? i.feetTitleKey : i.titleKey;
    return texts.text("Carnet", key, key);
}

std::string_view StatCategories::reportKey(StatCategory c, bool usUnits) {
    const StatCategoryInfo& i = info(c);
    return usUnits && !i.feetReportKey.empty() ? i.feetReportKey : i.reportKey;
}

std::optional<StatCategory> StatCategories::ofDiveType(std::int32_t code) {
    if (code < 0 || code >= static_cast<std::int32_t>(kByDiveType.size())) return std::nullopt;
    return kByDiveType[static_cast<std::size_t>(code)];
}

std::optional<StatCategory> StatCategories::ofApparatus(std::int32_t rebreather) {
    if (DiveCodes::isClosedCircuit(rebreather)) return C::ClosedCircuit;
    if (rebreather == 0) return C::OpenCircuit;
    if (rebreather == 1) return C::SemiClosed;
    return std::nullopt;
}

StatCategory StatCategories::gasFamily(std::int32_t rebreather, std::int32_t gaz) {
    if (DiveCodes::isClosedCircuit(rebreather)) return C::Nitrox;
    switch (gas::familyOf(gaz).value_or(gas::Family::Heliox)) {
        case gas::Family::Air: return C::Air;
        case gas::Family::Nitrox: return C::Nitrox;
        case gas::Family::Trimix: return C::Trimix;
        case gas::Family::Heliox: return C::Heliox;
    }
    return C::Heliox;
}

StatCategory StatCategories::depthBand(long long metres) {
    if (metres < 10) return C::Depth1;
    if (metres >= 60) return C::Depth7;
    return kDepths[static_cast<std::size_t>(metres / 10)];
}

}  // namespace divelog
