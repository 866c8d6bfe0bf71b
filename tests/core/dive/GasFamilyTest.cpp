// The gas codes and how a mix falls into them: the readers' rule and the
// typed one agree but at their edges, and every code has one family.

#include <gtest/gtest.h>

#include "dive/DiveCodes.h"
#include "dive/GasFamily.h"
#include "localisation/Localisation.h"

using namespace divelog;

namespace {

struct Mix {
    std::int64_t o2, he;
    std::optional<std::int32_t> read, typed;
};

constexpr auto kNone = std::nullopt;

}  // namespace

TEST(GasFamily, ReadAndTypedMixesDifferOnlyAtTheirEdges) {
    using namespace gas;
    const Mix mixes[] = {
        {21, 0, kAir, kAir},
        {32, 0, kNitrox, kNitrox},
        {100, 0, kNitrox, kNitrox},
        {18, 0, kNone, kNone},
        {18, 45, kTrimix, kTrimix},
        {21, 35, kTrimix, kTrimix},
        {30, 30, kTriox, kTriox},
        {45, 55, kHeliox, kHeliox},
        // Air with helium added: only a file's mix is named heliair.
        {16, 25, kHeliair, kTrimix},
        {17, 20, kHeliair, kTrimix},
        {18, 15, kHeliair, kTrimix},
        // Hypoxic trimix stays trimix, though air with helium would round to it;
        // a mix a point off air's share is no heliair.
        {10, 50, kTrimix, kTrimix},
        {11, 50, kTrimix, kTrimix},
        {19, 15, kTrimix, kTrimix},
        // Enriched air with helium.
        {25, 25, kTriox, kTriox},
        // Nothing given: a typed mix is air, a read one names nothing.
        {0, 0, kNone, kAir},
        // Helium without oxygen: a read trimix or heliox, a typed nothing.
        {0, 50, kTrimix, kNone},
        {0, 100, kHeliox, kNone},
        // More than the whole mix: a typed heliox, a read nothing.
        {50, 60, kNone, kHeliox},
    };
    for (const Mix& m : mixes) {
        EXPECT_EQ(codeOfReadMix(m.o2, m.he), m.read) << m.o2 << "/" << m.he;
        EXPECT_EQ(codeOfTypedMix(m.o2, m.he), m.typed) << m.o2 << "/" << m.he;
    }
    // A file's name for the mix says what the fractions alone cannot.
    EXPECT_EQ(codeOfNamedMix("Trimix 25/25", 25, 25), kTrimix);
    EXPECT_EQ(codeOfNamedMix("trimix", 21, 35), kTrimix);
    EXPECT_EQ(codeOfNamedMix("Heliair 18/15", 18, 15), kHeliair);
    EXPECT_EQ(codeOfNamedMix("Triox 18/45", 18, 45), kTrimix) << "no triox below 22 %";
    EXPECT_EQ(codeOfNamedMix("Trimix 32", 32, 0), kNitrox) << "no helium, no trimix";
    EXPECT_EQ(codeOfNamedMix("", 30, 30), kTriox);
    EXPECT_EQ(wholePercent(0.29), 29) << "rounded, not truncated";
    EXPECT_EQ(wholePercent(-0.2), 0);
    EXPECT_EQ(wholePercent(1.5), 100);
}

TEST(GasFamily, EveryCodeOfTheGasTableHasOneFamily) {
    const Localisation texts;
    const char* titles[] = {"Air", "Nitrox", "Trimix", "Heliox", "Triox", "Heliair"};
    const std::int32_t codes[] = {gas::kAir,    gas::kNitrox, gas::kTrimix,
                                  gas::kHeliox, gas::kTriox,  gas::kHeliair};
    for (std::size_t i = 0; i < std::size(codes); ++i)
        EXPECT_EQ(DiveCodes::title(Plongee::Field::gaz, codes[i], texts), titles[i]);
    for (const CodeMeaning& m : DiveCodes::table(Plongee::Field::gaz)->codes) {
        const auto family = gas::familyOf(m.code);
        ASSERT_TRUE(family) << m.code;
        const bool helium = *family == gas::Family::Trimix || *family == gas::Family::Heliox;
        EXPECT_EQ(gas::breathesHelium(m.code), helium) << m.code;
    }
    EXPECT_EQ(gas::familyOf(gas::kHeliair), gas::Family::Trimix);
    EXPECT_EQ(gas::familyOf(6), std::nullopt);
    EXPECT_FALSE(gas::breathesHelium(6));
}
