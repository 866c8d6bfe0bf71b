#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calculators/CalcAnswer.h"
#include "util/NumberTyping.h"

namespace divelog::calculators {

// Which window shows a calculator: the unit tabs, the coordinate conversions,
// or a form of number fields over one result. The first two lay themselves
// out from the unit and datum tables; a form is described here in full.
enum class WindowKind { Units, Coordinates, Form };

// A form's number field: its control name, its label key, and the values a
// diver may mean by it; anything outside is refused with its range rather
// than computed into a figure no one could dive.
struct NumberField {
    std::string_view control;
    std::string_view labelKey;
    double minimum;
    double maximum;
};

// What a form's fields let the user type: decimals, and a minus sign, so a
// negative entry is refused with its range instead of losing its sign.
inline constexpr NumberTyping kFieldTyping{.decimals = true, .negative = true, .maxDigits = 6};

// An answer from the values typed in a form's fields, in field order, and
// the partial pressure chosen in its pop-up (0 without one).
using Compute = Answer (*)(std::span<const double> typed, double ppO2);

// A table of answers, one per usual oxygen consumption, under the result.
struct RowTable {
    char prefix;                // cells are named prefix, 08 to 18, "Field"
    std::string_view titleKey;  // in the form's table
    ResultFormat row;
    std::vector<Answer> (*rows)(std::span<const double> typed);
};

// One entry of the Calculators menu and the window it opens.
struct CalculatorLayout {
    const char* command;   // the menu action's name
    const char* layout;    // the window's name, its title key in "Main" and its frame's key
    bool separatorBefore;  // in the menu
    WindowKind window;
    // A form's content, top to bottom; unused by the other windows.
    std::string_view table{};  // the labels' table
    std::span<const NumberField> fields{};
    bool ppO2PopUp = false;  // the nitrox maximum partial pressure, after the fields
    std::string_view result{};
    ResultFormat format{};
    Compute compute = nullptr;
    const RowTable* rows = nullptr;
    int minimumWidth = 0;
};

// The texts typed in a form's fields as numbers (blank reads 0); or the
// refusal naming the first field that holds no number or one outside its
// range, with its label from the form's table.
struct FieldValues {
    std::vector<double> values;
    std::optional<Answer> refusal;
};
FieldValues readFields(const CalculatorLayout& layout, std::span<const std::string> typed,
                       const Localisation& texts);

// Every calculator, in menu order.
std::span<const CalculatorLayout> calculatorLayouts();
// The calculator of a window name, or null.
const CalculatorLayout* calculatorLayout(std::string_view layout);

}  // namespace divelog::calculators
