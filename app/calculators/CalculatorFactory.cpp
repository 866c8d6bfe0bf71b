#include "calculators/CalculatorFactory.h"

#include "calculators/CalculatorLayouts.h"
#include "calculators/FormCalculator.h"
#include "calculators/GpsController.h"
#include "calculators/PhysiqueController.h"

std::unique_ptr<CalculatorWindow> makeCalculator(const QString& layout,
                                                 divelog::AppContext& context, const UiText& text) {
    namespace cl = divelog::calculators;
    const cl::CalculatorLayout* l = cl::calculatorLayout(layout.toStdString());
    if (!l) return nullptr;
    switch (l->window) {
        case cl::WindowKind::Units: return std::make_unique<PhysiqueController>(context, text);
        case cl::WindowKind::Coordinates: return std::make_unique<GpsController>(context, text);
        case cl::WindowKind::Form: return std::make_unique<FormCalculator>(context, text, *l);
    }
    return nullptr;
}
