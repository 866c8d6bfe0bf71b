#pragma once

#include <cstdint>
#include <optional>

// The gas codes of the dive record and how a mix of oxygen, helium and
// nitrogen falls into them, stated once: the readers of other programs'
// files, the card and the table name a mix by these rules, the statistics
// count by their families.
namespace divelog::gas {

// The codes of DiveCodes' gas table.
inline constexpr std::int32_t kAir = 0;
inline constexpr std::int32_t kNitrox = 1;
inline constexpr std::int32_t kTrimix = 2;
inline constexpr std::int32_t kHeliox = 3;
inline constexpr std::int32_t kTriox = 4;
inline constexpr std::int32_t kHeliair = 5;

// Trimix, triox and heliair all breathe helium with nitrogen: one family.
enum class Family { Air, Nitrox, Trimix, Heliox };

// None for a code outside the gas table.
constexpr std::optional<Family> familyOf(std::int32_t code) {
    switch (code) {
        case kAir: return Family::Air;
        case kNitrox: return Family::Nitrox;
        case kTrimix:
        case kTriox:
        case kHeliair: return Family::Trimix;
        case kHeliox: return Family::Heliox;
        default: return std::nullopt;
    }
}
constexpr bool breathesHelium(std::int32_t code) { return code >= kTrimix && code <= kHeliair; }

// Whole percent of a fraction read from a file, within 0 to 100.
std::int64_t wholePercent(double fraction);

// A mix the diver typed (the second cylinder, a stop gas): air for 21 % or
// an oxygen not given without helium, nitrox above 21 % without helium,
// heliox when oxygen and helium make the whole mix, trimix for a helium mix
// of 21 % oxygen or less, triox above. None for a hypoxic mix without helium
// or for helium without oxygen.
std::optional<std::int32_t> codeOfTypedMix(std::int64_t o2, std::int64_t he);

// A mix read from another program's file, in whole percent from 0 to 100,
// by the readers' older rule: air with helium added (its oxygen within a
// point of air's share of the oxygen and nitrogen) is heliair; helium
// without oxygen is a trimix, or heliox for the whole mix; oxygen and
// helium over the whole, or neither, name no gas.
std::optional<std::int32_t> codeOfReadMix(std::int64_t o2, std::int64_t he);

}  // namespace divelog::gas
