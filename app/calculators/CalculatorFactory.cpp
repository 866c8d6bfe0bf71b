#include "calculators/CalculatorFactory.h"

#include "calculators/GpsController.h"
#include "calculators/NitroxController.h"
#include "calculators/PhysiqueController.h"
#include "calculators/SCRCCRController.h"
#include "calculators/TrimixController.h"

std::unique_ptr<CalculatorWindow> makeCalculator(const QString& layout,
                                                 divelog::AppContext& context, const UiText& text) {
    if (layout == QLatin1String("Physique"))
        return std::make_unique<PhysiqueController>(context, text);
    if (layout == QLatin1String("Gps")) return std::make_unique<GpsController>(context, text);
    if (NitroxController::serves(layout))
        return std::make_unique<NitroxController>(context, text, layout);
    if (TrimixController::serves(layout))
        return std::make_unique<TrimixController>(context, text, layout);
    if (SCRCCRController::serves(layout))
        return std::make_unique<SCRCCRController>(context, text, layout);
    return nullptr;
}
