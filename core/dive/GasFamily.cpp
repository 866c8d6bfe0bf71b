#include "dive/GasFamily.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace divelog::gas {

namespace {

// Where the two rules agree: oxygen and helium of at most the whole mix.
std::optional<std::int32_t> codeOfMix(std::int64_t o2, std::int64_t he) {
    if (he == 0) {
        if (o2 == 21) return kAir;
        if (o2 > 21) return kNitrox;
        return std::nullopt;
    }
    if (o2 + he == 100) return kHeliox;
    return o2 <= 21 ? kTrimix : kTriox;
}

}  // namespace

std::int64_t wholePercent(double fraction) {
    return std::llround(std::clamp(fraction, 0.0, 1.0) * 100);
}

std::optional<std::int32_t> codeOfTypedMix(std::int64_t o2, std::int64_t he) {
    if (he <= 0) return o2 <= 0 ? std::optional(kAir) : codeOfMix(o2, 0);
    if (o2 <= 0) return std::nullopt;
    if (o2 + he >= 100) return kHeliox;
    return codeOfMix(o2, he);
}

std::optional<std::int32_t> codeOfReadMix(std::int64_t o2, std::int64_t he) {
    const std::int64_t n2 = 100 - o2 - he;
    if (he > 0 && n2 < 0) return std::nullopt;
    // Air's 21 % of the part that is not helium, to the half percent a whole
    // percentage rounds.
    if (he > 0 && n2 > 0 && o2 >= kHypoxicOxygen && std::llabs(o2 * 100 - 21 * (100 - he)) <= 50)
        return kHeliair;
    return codeOfMix(o2, he);
}

std::optional<std::int32_t> codeOfNamedMix(std::string_view name, std::int64_t o2,
                                           std::int64_t he) {
    const auto byFractions = codeOfReadMix(o2, he);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    std::string word;
    for (char c : name) {
        if (c == ' ' || c == '/' || (c >= '0' && c <= '9')) break;
        word += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    const std::int64_t n2 = 100 - o2 - he;
    std::optional<std::int32_t> named;
    if (word == "trimix" && he > 0 && n2 > 0) named = kTrimix;
    if (word == "triox" && he > 0 && n2 > 0 && o2 > 21) named = kTriox;
    if (word == "heliair" && he > 0 && n2 > 0) named = kHeliair;
    return named ? named : byFractions;
}

}  // namespace divelog::gas
