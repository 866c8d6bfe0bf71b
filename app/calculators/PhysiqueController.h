#pragma once

#include <vector>

#include "calculators/CalculatorWindow.h"
#include "calculators/UnitConversions.h"

class QButtonGroup;
class QTabWidget;

// Unit conversions: one tab per quantity, one field per unit with a radio
// button marking the source. Typing in a field makes it the source and
// converts at once; Convert (the window's action) converts the selected tab.
class PhysiqueController : public CalculatorWindow {
    Q_OBJECT
public:
    PhysiqueController(divelog::AppContext& context, const UiText& text);

public slots:
    void compute() override;

private:
    struct Tab {
        divelog::units::Quantity quantity;
        QButtonGroup* group;  // radio ids 1, 2, 3 follow the fields
        std::vector<QLineEdit*> fields;
        QLabel* message;
    };
    QWidget* buildTab(divelog::units::Quantity q);

    QTabWidget* tabView_ = nullptr;
    std::vector<Tab> tabs_;
};
