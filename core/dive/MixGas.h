#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace divelog {

class Localisation;

// A gas known only by its percentages (a stop gas, the second cylinder),
// named through the dive record's gas codes so it reads as the first
// cylinder's gas does.
class MixGas {
public:
    // The gas code of DiveCodes' gas table: air for 21 % (or an oxygen not
    // given) without helium, nitrox above 21 % without helium, heliox when
    // oxygen and helium make the whole mix, trimix for a helium mix of 21 %
    // oxygen or less, triox above. None for a hypoxic mix without helium.
    static std::optional<std::int32_t> code(std::int64_t o2, std::int64_t he);
    // Its label ("Nitrox 50"); empty when it has no name.
    static std::string label(std::int64_t o2, std::int64_t he, const Localisation& texts);
};

}  // namespace divelog
