#include "dive/GasFamily.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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
    // 21 % of the oxygen and nitrogen is air's oxygen; within a point is air.
    if (he > 0 && n2 > 0 && std::llabs(o2 * 79 - n2 * 21) <= 100) return kHeliair;
    return codeOfMix(o2, he);
}

}  // namespace divelog::gas
