#pragma once

#include <memory>

#include "calculators/CalculatorWindow.h"

// The calculator window of a layout name from the Calculators menu, or null
// for a name no calculator serves. The caller keeps it for the application's
// life.
std::unique_ptr<CalculatorWindow> makeCalculator(const QString& layout,
                                                 divelog::AppContext& context, const UiText& text);
