#pragma once

#include <QList>

#include "calculators/CalculatorWindow.h"

// The three rebreather windows, told apart by their layout name: soda-lime
// duration, breathed oxygen of a constant-flow semi-closed loop, and the
// ideal flow. The last two add a table over the usual oxygen consumptions,
// each cell red where the value is unsafe or not reachable.
class SCRCCRController : public CalculatorWindow {
    Q_OBJECT
public:
    static bool serves(const QString& layout);
    SCRCCRController(divelog::AppContext& context, const UiText& text, const QString& layout);

    // The table cells, 0.8 to 1.8 l/min; empty for the soda-lime window.
    const QList<QLabel*>& cells() const { return cells_; }

public slots:
    void compute() override;

private:
    enum class Kind { SodaTime, BreathedFraction, IdealFlow };
    QLineEdit* field(const char* name, const char* labelKey);
    void addTable(char prefix, const char* titleKey);

    Kind kind_;
    QLabel* result_ = nullptr;
    QList<QLabel*> cells_;
};
