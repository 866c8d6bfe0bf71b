// Nitrox formulas against hand-worked values, their refusals and limits, and
// how an answer becomes the text a window shows.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AnswerCheck.h"
#include "calculators/NitroxCalculator.h"

using namespace divelog;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(NitroxCalculator, PopUpChoicesDefaultToOnePointFour) {
    const double expected[] = {1.4, 1.2, 1.3, 1.4, 1.5, 1.6, 1.4};
    for (int i = -1; i <= 5; ++i) EXPECT_DOUBLE_EQ(nitrox::ppO2Choice(i), expected[i + 1]) << i;
}

TEST(NitroxCalculator, Formulas) {
    using namespace nitrox;
    const AnswerCase cases[] = {
        {"MOD 32 % at 1.4", maxOperatingDepth(32, 1.4), {33.75}},
        {"MOD 32 % at 1.6", maxOperatingDepth(32, 1.6), {40.0}},
        {"MOD 36 % at 1.4", maxOperatingDepth(36, 1.4), {28.888}},
        {"MOD pure oxygen", maxOperatingDepth(100, 1.6), {6.0}},
        {"MOD no oxygen", maxOperatingDepth(0, 1.4), {}, Why::OxygenRange},
        {"MOD over 100 %", maxOperatingDepth(101, 1.4), {}, Why::OxygenRange},
        {"MOD NaN", maxOperatingDepth(kNaN, 1.4), {}, Why::OxygenRange},
        {"best mix 30 m", bestMix(30, 1.4), {35.0}},
        {"best mix 40 m at 1.6", bestMix(40, 1.6), {32.0}},
        {"best mix at the surface", bestMix(0, 1.4), {100.0}, Why::PureOxygen},
        {"best mix 4 m", bestMix(4, 1.4), {100.0}, Why::None},
        {"best mix 3 m", bestMix(3, 1.4), {100.0}, Why::PureOxygen},
        {"best mix negative depth", bestMix(-5, 1.4), {}, Why::DepthNegative},
        {"MOD of a denormal percentage", maxOperatingDepth(1e-320, 1.4), {}, Why::OutOfRange},
        {"EAD 32 % at 30 m", equivalentAirDepth(32, 30), {24.43}},
        {"EAD 32 % at 0 m", equivalentAirDepth(32, 0), {-1.39}},
        {"EAD air", equivalentAirDepth(21, 40), {40.0}},
        {"EAD negative depth", equivalentAirDepth(32, -1), {}, Why::DepthNegative},
        {"window 32 % min 1.2", oxygenWindow(32, 1.2), {40.0, 27.5, 1.62}},
        {"window pure oxygen", oxygenWindow(100, 1.2), {6.0, 2.0, 6.0}},
        {"window min below surface", oxygenWindow(32, 0.21), {40.0, 0.0, 1.62}, Why::WindowSurface},
        {"window hypoxic nitrogen", oxygenWindow(18, 0.16), {78.89, 0.0, 0.0}, Why::WindowSurface},
        {"window no oxygen", oxygenWindow(0, 1.2), {}, Why::OxygenRange},
        {"window no minimum", oxygenWindow(32, 0), {}, Why::PartialPressure},
        {"blend 50 bar 21 % to 200 bar 32 %", blend(50, 200, 21, 32), {27.85, 35.67}},
        {"blend from empty", blend(0, 200, 0, 32), {27.85, 32.0}},
        {"blend air top-up", blend(0, 200, 0, 21), {0.0, 21.0}},
        {"blend pure oxygen", blend(0, 200, 0, 100), {200.0, 100.0}},
        {"blend equal pressures", blend(200, 200, 21, 32), {}, Why::BlendPressures},
        {"blend falling pressure", blend(200, 100, 21, 32), {}, Why::BlendPressures},
        {"blend already too rich", blend(50, 200, 32, 21), {}, Why::BlendTooRich},
        {"blend beyond pure oxygen", blend(50, 200, 21, 100), {}, Why::BlendTooLean},
        {"blend wanted 0 %", blend(0, 200, 0, 0), {}, Why::OxygenRange},
    };
    for (const AnswerCase& c : cases) check(c);
}

TEST(NitroxCalculator, ShownTexts) {
    Localisation loc;
    loc.loadTable("Nitrox", R"("Best Mix" = "EAN %.1f";
"Oxygen to transfer" = "%.2f bar, %.2f %%";)");
    loc.loadTable("Main", R"("Calc pure oxygen" = "Too shallow";)");

    EXPECT_EQ(
        show(loc, nitrox::maxOperatingDepth(32, nitrox::ppO2Choice(-1)), nitrox::kMaxDepthText)
            .text,
        "MOD : 33.8 m");
    EXPECT_EQ(show(loc, nitrox::equivalentAirDepth(32, 0), nitrox::kEquivalentDepthText).text,
              "EAD : -1.4 m");
    EXPECT_EQ(show(loc, nitrox::blend(50, 200, 21, 32), nitrox::kBlendText).text,
              "27.85 bar, 35.67 %");

    const Shown clamped = show(loc, nitrox::bestMix(0, 1.6), nitrox::kBestMixText);
    EXPECT_EQ(clamped.text, "EAN 100.0");
    EXPECT_FALSE(clamped.alert);
    EXPECT_EQ(clamped.note, "Too shallow");

    // A refusal shows its own text in red; a missing key shows its English.
    const Shown refusal = show(loc, nitrox::maxOperatingDepth(0, 1.4), nitrox::kMaxDepthText);
    EXPECT_TRUE(refusal.alert);
    EXPECT_EQ(refusal.text, whyText(Why::OxygenRange).english);
    EXPECT_TRUE(refusal.note.empty());
}

TEST(NitroxCalculator, TypedFieldsReadWithoutLocale) {
    const std::pair<const char*, double> cases[] = {
        {"32", 32}, {"32,5", 32.5}, {" 32.5 ", 32.5}, {"", 0},    {"abc", 0},
        {"inf", 0}, {"nan", 0},     {"0x20", 0},      {"-4", -4}, {"1e400", 0},
    };
    for (auto [text, value] : cases) EXPECT_EQ(fieldValue(text), value) << text;
}
