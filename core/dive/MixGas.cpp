#include "dive/MixGas.h"

#include "dive/DiveCodes.h"

namespace divelog {

namespace {
// Codes of the gas table.
constexpr std::int32_t kAir = 0, kNitrox = 1, kTrimix = 2, kHeliox = 3, kTriox = 4;
}  // namespace

std::optional<std::int32_t> MixGas::code(std::int64_t o2, std::int64_t he) {
    if (he <= 0) {
        if (o2 <= 0 || o2 == 21) return kAir;
        if (o2 >= 22) return kNitrox;
        return std::nullopt;
    }
    if (o2 <= 0) return std::nullopt;
    if (o2 + he >= 100) return kHeliox;
    return o2 <= 21 ? kTrimix : kTriox;
}

std::string MixGas::label(std::int64_t o2, std::int64_t he, const Localisation& texts) {
    const auto gas = code(o2, he);
    return gas ? DiveCodes::gasLabel(*gas, o2, he, texts) : std::string();
}

}  // namespace divelog
