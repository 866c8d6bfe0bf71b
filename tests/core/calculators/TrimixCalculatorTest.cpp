// Trimix formulas: EAD counts oxygen and nitrogen as narcotic, the best mix
// nitrogen alone; the best mix is held inside 0..100 % with a reason.

#include "AnswerCheck.h"
#include "calculators/TrimixCalculator.h"

using namespace divelog;

TEST(TrimixCalculator, Formulas) {
    using namespace trimix;
    const AnswerCase cases[] = {
        {"18/45 at 60 m", eadEnd(60, 18, 45), {22.78, 28.5}},
        {"32 % at 0 m: EAD held at 0", eadEnd(0, 32, 0), {0.0, 0.0}},
        {"air at 30 m", eadEnd(30, 21, 0), {30.0, 30.0}},
        {"helium-rich shallow END", eadEnd(0, 20, 60), {0.0, -6.0}},
        {"negative depth", eadEnd(-1, 21, 0), {}, Why::DepthNegative},
        {"no oxygen", eadEnd(30, 0, 50), {}, Why::OxygenRange},
        {"negative helium", eadEnd(30, 21, -1), {}, Why::HeliumRange},
        {"oxygen and helium over 100", eadEnd(30, 50, 51), {}, Why::HeliumRange},
        {"min depth 10 %", minimumDepth(10), {6.0}},
        {"min depth 16 %", minimumDepth(16), {0.0}},
        {"min depth 1 %", minimumDepth(1), {150.0}},
        {"min depth 0.5 %", minimumDepth(0.5), {}, Why::NoValidData},
        {"min depth 17 %", minimumDepth(17), {}, Why::NoValidData},
        {"min depth empty field", minimumDepth(0), {}, Why::NoValidData},
        {"best 60 m END 30 at 1.4", bestTrimix(60, 30, 1.4), {20.0, 34.857}},
        {"best 100 m END 30 at 1.2", bestTrimix(100, 30, 1.2), {10.909, 60.364}},
        {"best too shallow", bestTrimix(3, 0, 1.4), {100.0, 0.0}, Why::PureOxygen},
        {"best END deeper than depth", bestTrimix(30, 40, 1.4), {35.0, 0.0}, Why::EndDeeper},
        {"best oxygen leaves no helium", bestTrimix(10, 5, 1.4), {70.0, 0.0}, Why::NoHelium},
        {"best END equal to depth, lean", bestTrimix(60, 60, 1.4), {20.0, 1.0}},
        {"best negative END", bestTrimix(60, -1, 1.4), {}, Why::DepthNegative},
        {"best no partial pressure", bestTrimix(60, 30, 0), {}, Why::PartialPressure},
    };
    for (const AnswerCase& c : cases) check(c);
}

TEST(TrimixCalculator, ShownTexts) {
    Localisation loc;
    loc.loadTable("Trimix", R"("EAD END" = "EAD %.2f END %.1f";
"Best Tx" = "Tx %.0f/%.2f";)");
    EXPECT_EQ(show(loc, trimix::eadEnd(60, 18, 45), trimix::kEadEndText).text,
              "EAD 22.78 END 28.5");
    EXPECT_EQ(show(loc, trimix::bestTrimix(60, 30, 1.4), trimix::kBestTrimixText).text,
              "Tx 20/34.86");
    // "No valid datas" lives in "Main", like the other shared refusals.
    loc.loadTable("Main", R"("No valid datas" = "No!";)");
    const Shown refusal = show(loc, trimix::minimumDepth(17), trimix::kMinimumDepthText);
    EXPECT_EQ(refusal.text, "No!");
    EXPECT_TRUE(refusal.alert);
}
