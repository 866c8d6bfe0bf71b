#include "calculators/CalculatorLayouts.h"

#include "calculators/NitroxCalculator.h"
#include "calculators/RebreatherCalculator.h"
#include "calculators/TrimixCalculator.h"
#include "util/Numbers.h"

namespace divelog::calculators {

namespace {

using Typed = std::span<const double>;
using W = WindowKind;
namespace nx = nitrox;
namespace tx = trimix;
namespace rb = rebreather;

// Realistic values: depths to 350 m, partial pressures of oxygen a diver
// breathes (0.16 to 1.6 bar), cylinder pressures to 400 bar, a semi-closed
// loop's supply of nitrox and its loop no leaner than a breathable 16 %.
constexpr double kDeepest = 350, kPpO2Low = 0.16, kPpO2High = 1.6, kFullest = 400;
constexpr NumberField kProfMax[] = {{"fracO2Field", "Oxygen percent", 1, 100}};
constexpr NumberField kBestMix[] = {{"profondeurMaxField", "Max depth", 0, kDeepest}};
constexpr NumberField kEquivalentDepth[] = {{"fracO2Field", "Oxygen percent", 1, 100},
                                            {"profondeurField", "Depth", 0, kDeepest}};
constexpr NumberField kOxygenWindow[] = {{"winFO2", "Oxygen percent", 1, 100},
                                         {"winMinPpO2", "Min ppO2", kPpO2Low, kPpO2High}};
constexpr NumberField kBlend[] = {{"pressionInitialeField", "Initial pressure", 0, kFullest},
                                  {"fracO2InitialeField", "Initial oxygen", 0, 100},
                                  {"pressionFinaleField", "Final pressure", 0, kFullest},
                                  {"fracO2FinaleField", "Final oxygen", 1, 100}};
constexpr NumberField kEadEnd[] = {{"profondeurMaxField", "Depth", 0, kDeepest},
                                   {"fracO2TxField", "Oxygen percent", 1, 100},
                                   {"fracHeTxField", "Helium percent", 0, 99}};
// A hypoxic mix: the window says when the percentage is no such mix.
constexpr NumberField kMinimumDepth[] = {{"fracO2TxField", "Oxygen percent", 0, 100}};
constexpr NumberField kBestTrimix[] = {{"depthTxField", "Planned depth", 0, kDeepest},
                                       {"ENDField", "Wanted END", 0, kDeepest},
                                       {"ppO2Field", "Max ppO2", kPpO2Low, kPpO2High}};
constexpr NumberField kSodaTime[] = {{"sodaWeightField", "Soda weight", 0.1, 50},
                                     {"sodaCapacityField", "Soda capacity", 1, 300},
                                     {"metabolicProductionField", "CO2 production", 0.1, 5}};
constexpr NumberField kBreathed[] = {{"brEanxField", "Supply oxygen", 21, 100},
                                     {"brFlowField", "Flow", 0.1, 50},
                                     {"brMetabolicField", "O2 consumption", 0.1, 5}};
constexpr NumberField kIdealFlow[] = {{"idEanxField", "Supply oxygen", 21, 100},
                                      {"idRealFracO2Field", "Loop oxygen", 16, 100},
                                      {"idMetabolicField", "O2 consumption", 0.1, 5}};

constexpr RowTable kBreathedRows{'c', "Breathed table", rb::kBreathedRowText,
                                 [](Typed v) { return rb::breathedTable(v[0], v[1]); }};
constexpr RowTable kFlowRows{'d', "Flow table", rb::kFlowRowText,
                             [](Typed v) { return rb::flowTable(v[0], v[1]); }};

const CalculatorLayout kLayouts[] = {
    {"displayConversionsWindow", "Physique", false, W::Units},
    {"displayConversionsGPSWindow", "Gps", false, W::Coordinates},
    {.command = "displayProfMaxWindow",
     .layout = "Nitrox Prof Max",
     .separatorBefore = true,
     .window = W::Form,
     .table = "Nitrox",
     .fields = kProfMax,
     .ppO2PopUp = true,
     .result = "resultatField",
     .format = nx::kMaxDepthText,
     .compute = [](Typed v, double ppO2) { return nx::maxOperatingDepth(v[0], ppO2); },
     .minimumWidth = 360},
    {.command = "displayBestMixWindow",
     .layout = "Nitrox Best Mix",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Nitrox",
     .fields = kBestMix,
     .ppO2PopUp = true,
     .result = "resultatField",
     .format = nx::kBestMixText,
     .compute = [](Typed v, double ppO2) { return nx::bestMix(v[0], ppO2); },
     .minimumWidth = 360},
    {.command = "displayEquivalentDepthWindow",
     .layout = "Nitrox Equivalent Depth",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Nitrox",
     .fields = kEquivalentDepth,
     .result = "resultatField",
     .format = nx::kEquivalentDepthText,
     .compute = [](Typed v, double) { return nx::equivalentAirDepth(v[0], v[1]); },
     .minimumWidth = 360},
    {.command = "displayOxygenWindow",
     .layout = "Nitrox Oxygen Window",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Nitrox",
     .fields = kOxygenWindow,
     .result = "winResult",
     .format = nx::kOxygenWindowText,
     .compute = [](Typed v, double) { return nx::oxygenWindow(v[0], v[1]); },
     .minimumWidth = 420},
    {.command = "displayBlendNitroxWindow",
     .layout = "Blend Nitrox",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Nitrox",
     .fields = kBlend,
     .result = "resultatField",
     .format = nx::kBlendText,
     // Typed as initial pressure and oxygen, then final pressure and oxygen.
     .compute = [](Typed v, double) { return nx::blend(v[0], v[2], v[1], v[3]); },
     .minimumWidth = 360},
    {.command = "displayTrimixEAD_ENDWindow",
     .layout = "Trimix",
     .separatorBefore = true,
     .window = W::Form,
     .table = "Trimix",
     .fields = kEadEnd,
     .result = "resultatField",
     .format = tx::kEadEndText,
     .compute = [](Typed v, double) { return tx::eadEnd(v[0], v[1], v[2]); },
     .minimumWidth = 360},
    {.command = "displayTrimixProfMinWindow",
     .layout = "Trimix Prof Min",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Trimix",
     .fields = kMinimumDepth,
     .result = "resultatField",
     .format = tx::kMinimumDepthText,
     .compute = [](Typed v, double) { return tx::minimumDepth(v[0]); },
     .minimumWidth = 360},
    {.command = "displayBestTrimix",
     .layout = "Best Trimix",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Trimix",
     .fields = kBestTrimix,
     .result = "resultatField",
     .format = tx::kBestTrimixText,
     .compute = [](Typed v, double) { return tx::bestTrimix(v[0], v[1], v[2]); },
     .minimumWidth = 360},
    {.command = "displaySodaTimeWindow",
     .layout = "Soda Time",
     .separatorBefore = true,
     .window = W::Form,
     .table = "Rebreather",
     .fields = kSodaTime,
     .result = "sodaTimeField",
     .format = rb::kSodaTimeText,
     .compute = [](Typed v, double) { return rb::sodaTime(v[0], v[1], v[2]); },
     .minimumWidth = 400},
    {.command = "displaySCRBreathedFracO2Window",
     .layout = "SCR Breathed Frac O2",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Rebreather",
     .fields = kBreathed,
     .result = "breathedFracO2Field",
     .format = rb::kBreathedText,
     .compute = [](Typed v, double) { return rb::breathedFraction(v[0], v[1], v[2]); },
     .rows = &kBreathedRows,
     .minimumWidth = 400},
    {.command = "displaySCRIdealFlowWindow",
     .layout = "SCR Flow Calc",
     .separatorBefore = false,
     .window = W::Form,
     .table = "Rebreather",
     .fields = kIdealFlow,
     .result = "idealFlowField",
     .format = rb::kIdealFlowText,
     .compute = [](Typed v, double) { return rb::idealFlow(v[0], v[1], v[2]); },
     .rows = &kFlowRows,
     .minimumWidth = 400},
};

}  // namespace

FieldValues readFields(const CalculatorLayout& layout, std::span<const std::string> typed,
                       const Localisation& texts) {
    FieldValues out;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const NumberField& f = layout.fields[i];
        const std::string text = i < typed.size() ? typed[i] : std::string();
        const std::string label = texts.text(layout.table, f.labelKey, f.labelKey);
        // A field left blank means nothing, as 0 does; its range still applies.
        std::optional<double> v = text.empty() ? std::optional<double>(0.0) : readDecimal(text);
        if (checkTyping(kFieldTyping, text) != divelog::Typed::Complete) v.reset();
        if (!v) {
            Answer a = refused(Why::InputUnreadable);
            a.values = {label, text};
            out.refusal = std::move(a);
            return out;
        }
        if (*v < f.minimum || *v > f.maximum) {
            Answer a = refused(Why::InputRange);
            a.values = {label, decimalText(f.minimum), decimalText(f.maximum)};
            out.refusal = std::move(a);
            return out;
        }
        out.values.push_back(*v);
    }
    return out;
}

std::span<const CalculatorLayout> calculatorLayouts() { return kLayouts; }

const CalculatorLayout* calculatorLayout(std::string_view layout) {
    for (const CalculatorLayout& l : kLayouts)
        if (layout == l.layout) return &l;
    return nullptr;
}

}  // namespace divelog::calculators
