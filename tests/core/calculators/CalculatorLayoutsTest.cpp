// The Calculators menu's table: one entry per window, each form's fields read
// into its formula by what they are labelled, not by where they happen to be.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "calculators/CalculatorLayouts.h"
#include "calculators/NitroxCalculator.h"
#include "calculators/RebreatherCalculator.h"
#include "calculators/TrimixCalculator.h"
#include "localisation/Localisation.h"

using namespace divelog;
using calculators::CalculatorLayout;

namespace {

// The values a user types, by control name, in the layout's field order.
std::vector<double> typed(const CalculatorLayout& l, const std::map<std::string, double>& byName) {
    std::vector<double> out;
    for (const auto& f : l.fields) out.push_back(byName.at(std::string(f.control)));
    return out;
}

std::vector<double> numbers(const Answer& a) {
    std::vector<double> out;
    for (std::size_t i = 0; i < a.values.size(); ++i) out.push_back(a.value(i));
    return out;
}

}  // namespace

TEST(CalculatorLayouts, EachWindowOnceAndFoundByItsName) {
    std::set<std::string> commands, layouts;
    for (const CalculatorLayout& l : calculators::calculatorLayouts()) {
        EXPECT_TRUE(commands.insert(l.command).second) << l.command;
        EXPECT_TRUE(layouts.insert(l.layout).second) << l.layout;
        EXPECT_EQ(calculators::calculatorLayout(l.layout), &l);
        if (l.window != calculators::WindowKind::Form) continue;
        SCOPED_TRACE(l.layout);
        EXPECT_FALSE(l.fields.empty());
        EXPECT_TRUE(l.compute && !l.result.empty() && !l.table.empty());
        std::set<std::string_view> controls{l.result};
        for (const auto& f : l.fields) EXPECT_TRUE(controls.insert(f.control).second) << f.control;
    }
    EXPECT_EQ(layouts.size(), 13u);
    EXPECT_EQ(calculators::calculatorLayout("Nitrox"), nullptr);
}

TEST(CalculatorLayouts, FieldsReachTheFormulaAsLabelled) {
    namespace nx = nitrox;
    namespace tx = trimix;
    namespace rb = rebreather;
    struct Case {
        const char* layout;
        std::map<std::string, double> byName;
        Answer expected;
    };
    const Case cases[] = {
        {"Nitrox Equivalent Depth",
         {{"fracO2Field", 32}, {"profondeurField", 30}},
         nx::equivalentAirDepth(32, 30)},
        {"Nitrox Oxygen Window", {{"winFO2", 50}, {"winMinPpO2", 0.5}}, nx::oxygenWindow(50, 0.5)},
        {"Blend Nitrox",
         {{"pressionInitialeField", 50},
          {"fracO2InitialeField", 21},
          {"pressionFinaleField", 200},
          {"fracO2FinaleField", 32}},
         nx::blend(50, 200, 21, 32)},
        {"Trimix",
         {{"profondeurMaxField", 60}, {"fracO2TxField", 18}, {"fracHeTxField", 45}},
         tx::eadEnd(60, 18, 45)},
        {"Best Trimix",
         {{"depthTxField", 60}, {"ENDField", 30}, {"ppO2Field", 1.4}},
         tx::bestTrimix(60, 30, 1.4)},
        {"Soda Time",
         {{"sodaWeightField", 2.5}, {"sodaCapacityField", 100}, {"metabolicProductionField", 1.6}},
         rb::sodaTime(2.5, 100, 1.6)},
        {"SCR Breathed Frac O2",
         {{"brEanxField", 40}, {"brFlowField", 10}, {"brMetabolicField", 1.2}},
         rb::breathedFraction(40, 10, 1.2)},
        {"SCR Flow Calc",
         {{"idEanxField", 50}, {"idRealFracO2Field", 30}, {"idMetabolicField", 1.2}},
         rb::idealFlow(50, 30, 1.2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const CalculatorLayout* l = calculators::calculatorLayout(c.layout);
        ASSERT_TRUE(l);
        const Answer a = l->compute(typed(*l, c.byName), 0);
        ASSERT_TRUE(a.ok());
        EXPECT_EQ(numbers(a), numbers(c.expected));
    }
    // The pop-up's partial pressure, and the tables over the first two fields.
    const CalculatorLayout* mod = calculators::calculatorLayout("Nitrox Prof Max");
    EXPECT_EQ(numbers(mod->compute(typed(*mod, {{"fracO2Field", 32}}), 1.6)),
              numbers(nx::maxOperatingDepth(32, 1.6)));
    const CalculatorLayout* flow = calculators::calculatorLayout("SCR Flow Calc");
    const auto rows = flow->rows->rows(
        typed(*flow, {{"idEanxField", 50}, {"idRealFracO2Field", 30}, {"idMetabolicField", 9}}));
    const auto expected = rb::flowTable(50, 30);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t r = 0; r < rows.size(); ++r) EXPECT_EQ(numbers(rows[r]), numbers(expected[r]));
}

// What a diver types is read before any formula runs: a figure outside the
// field's realistic range, or no number at all, is refused naming the field.
TEST(CalculatorFields, TypedFiguresOutsideTheirRangeAreRefusedByName) {
    Localisation texts;
    texts.loadTable("Trimix", "\"Max ppO2\" = \"Maximum ppO2 (bar)\";");
    auto read = [&](const char* layout, std::vector<std::string> typed) {
        return calculators::readFields(*calculators::calculatorLayout(layout), typed, texts);
    };
    const auto tooRich = read("Best Trimix", {"60", "30", "3"});
    ASSERT_TRUE(tooRich.refusal);
    EXPECT_EQ(tooRich.refusal->refusal, Why::InputRange);
    const Shown shown = show(texts, *tooRich.refusal, {});
    EXPECT_EQ(shown.text, "Maximum ppO2 (bar) must lie from 0.16 to 1.6.");
    EXPECT_TRUE(shown.alert);

    for (const auto& [layout, typed] :
         std::vector<std::pair<const char*, std::vector<std::string>>>{
             {"Nitrox Oxygen Window", {"32", "5"}},
             {"Nitrox Oxygen Window", {"32", "80"}},
             {"SCR Flow Calc", {"40", "1", "1"}},
             {"Nitrox Prof Max", {"-5"}},
             {"Nitrox Equivalent Depth", {"32", "-10"}},
         }) {
        const auto r = read(layout, typed);
        ASSERT_TRUE(r.refusal) << layout << " " << typed.back();
        EXPECT_EQ(r.refusal->refusal, Why::InputRange) << layout;
    }
    for (const char* junk : {"32e", "1e999", "-", "."}) {
        const auto r = read("Nitrox Prof Max", {junk});
        ASSERT_TRUE(r.refusal) << junk;
        EXPECT_EQ(r.refusal->refusal, Why::InputUnreadable) << junk;
    }
    // Blank reads 0, which a range may still refuse; good figures go through.
    EXPECT_TRUE(read("Blend Nitrox", {"", "", "200", "32"}).values ==
                (std::vector<double>{0, 0, 200, 32}));
    EXPECT_TRUE(read("Nitrox Prof Max", {""}).refusal);
    EXPECT_EQ(read("Best Trimix", {"60", "30", "1,4"}).values, (std::vector<double>{60, 30, 1.4}));
    // The hypoxic minimum depth keeps its own answer for a percentage it cannot use.
    EXPECT_FALSE(read("Trimix Prof Min", {"17"}).refusal);
}
