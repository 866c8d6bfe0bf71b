#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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

// Oxygen below which a mix cannot be breathed at the surface: hypoxic.
inline constexpr std::int64_t kHypoxicOxygen = 16;

// A mix read from another program's file, in whole percent from 0 to 100:
// air with helium added is heliair (its oxygen air's share of what is not
// helium, to whole-percent rounding) unless it is hypoxic, which stays a
// trimix; helium with more than 21 % oxygen is triox; helium without
// oxygen is a trimix, or heliox for the whole mix; oxygen and helium over
// the whole, or neither, name no gas.
std::optional<std::int32_t> codeOfReadMix(std::int64_t o2, std::int64_t he);

// The same, told by the mix's name where the file gives one that the
// fractions allow ("Trimix 25/25" is a trimix, though its fractions alone
// read as triox): the name's first word, in any case.
std::optional<std::int32_t> codeOfNamedMix(std::string_view name, std::int64_t o2, std::int64_t he);

}  // namespace divelog::gas
