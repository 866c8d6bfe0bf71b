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
    // The gas code of a typed mix (gas::codeOfTypedMix).
    static std::optional<std::int32_t> code(std::int64_t o2, std::int64_t he);
    // Its label ("Nitrox 50"); empty when it has no name.
    static std::string label(std::int64_t o2, std::int64_t he, const Localisation& texts);
};

}  // namespace divelog
