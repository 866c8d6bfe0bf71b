#pragma once

#include <QList>
#include <vector>

#include "calculators/CalculatorWindow.h"

namespace divelog::calculators {
struct CalculatorLayout;
struct RowTable;
}  // namespace divelog::calculators

class QComboBox;

// The nitrox, trimix and rebreather windows: the number fields of their
// layout over one result, the nitrox ones with a partial-pressure pop-up,
// the rebreather flows with a table over the usual oxygen consumptions,
// each cell red where the value is unsafe or not reachable. What each shows
// and computes is its layout's; the window only lays it out.
class FormCalculator : public CalculatorWindow {
    Q_OBJECT
public:
    FormCalculator(divelog::AppContext& context, const UiText& text,
                   const divelog::calculators::CalculatorLayout& layout);

    // The table cells, 0.8 to 1.8 l/min; empty for a window without a table.
    const QList<QLabel*>& cells() const { return cells_; }

public slots:
    void compute() override;

private:
    void addPpO2PopUp();
    void addTable(const divelog::calculators::RowTable& table);

    const divelog::calculators::CalculatorLayout& layout_;
    std::vector<QLineEdit*> fields_;
    QComboBox* ppO2PopUp_ = nullptr;
    QLabel* result_ = nullptr;
    QList<QLabel*> cells_;
};
