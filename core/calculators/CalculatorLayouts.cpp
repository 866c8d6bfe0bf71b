#include "calculators/CalculatorLayouts.h"

#include "calculators/NitroxCalculator.h"
#include "calculators/RebreatherCalculator.h"
#include "calculators/TrimixCalculator.h"

namespace divelog::calculators {

namespace {

using Typed = std::span<const double>;
using W = WindowKind;
namespace nx = nitrox;
namespace tx = trimix;
namespace rb = rebreather;

constexpr NumberField kProfMax[] = {{"fracO2Field", "Oxygen percent"}};
constexpr NumberField kBestMix[] = {{"profondeurMaxField", "Max depth"}};
constexpr NumberField kEquivalentDepth[] = {{"fracO2Field", "Oxygen percent"},
                                            {"profondeurField", "Depth"}};
constexpr NumberField kOxygenWindow[] = {{"winFO2", "Oxygen percent"}, {"winMinPpO2", "Min ppO2"}};
constexpr NumberField kBlend[] = {{"pressionInitialeField", "Initial pressure"},
                                  {"fracO2InitialeField", "Initial oxygen"},
                                  {"pressionFinaleField", "Final pressure"},
                                  {"fracO2FinaleField", "Final oxygen"}};
constexpr NumberField kEadEnd[] = {{"profondeurMaxField", "Depth"},
                                   {"fracO2TxField", "Oxygen percent"},
                                   {"fracHeTxField", "Helium percent"}};
constexpr NumberField kMinimumDepth[] = {{"fracO2TxField", "Oxygen percent"}};
constexpr NumberField kBestTrimix[] = {
    {"depthTxField", "Planned depth"}, {"ENDField", "Wanted END"}, {"ppO2Field", "Max ppO2"}};
constexpr NumberField kSodaTime[] = {{"sodaWeightField", "Soda weight"},
                                     {"sodaCapacityField", "Soda capacity"},
                                     {"metabolicProductionField", "CO2 production"}};
constexpr NumberField kBreathed[] = {{"brEanxField", "Supply oxygen"},
                                     {"brFlowField", "Flow"},
                                     {"brMetabolicField", "O2 consumption"}};
constexpr NumberField kIdealFlow[] = {{"idEanxField", "Supply oxygen"},
                                      {"idRealFracO2Field", "Loop oxygen"},
                                      {"idMetabolicField", "O2 consumption"}};

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

std::span<const CalculatorLayout> calculatorLayouts() { return kLayouts; }

const CalculatorLayout* calculatorLayout(std::string_view layout) {
    for (const CalculatorLayout& l : kLayouts)
        if (layout == l.layout) return &l;
    return nullptr;
}

}  // namespace divelog::calculators
