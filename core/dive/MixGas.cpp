#include "dive/MixGas.h"

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"

namespace divelog {

std::optional<std::int32_t> MixGas::code(std::int64_t o2, std::int64_t he) {
    return gas::codeOfTypedMix(o2, he);
}

std::string MixGas::label(std::int64_t o2, std::int64_t he, const Localisation& texts) {
    const auto gas = code(o2, he);
    return gas ? DiveCodes::gasLabel(*gas, o2, he, texts) : std::string();
}

}  // namespace divelog
