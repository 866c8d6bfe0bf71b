#pragma once

#include "calculators/CalculatorWindow.h"

class QComboBox;

// The five nitrox windows, told apart by their layout name: maximum depth,
// best mix, equivalent air depth, oxygen window and blending. Each builds
// only its own fields; controls are named as the windows name them.
class NitroxController : public CalculatorWindow {
    Q_OBJECT
public:
    static bool serves(const QString& layout);
    NitroxController(divelog::AppContext& context, const UiText& text, const QString& layout);

public slots:
    void compute() override;

private:
    enum class Kind { ProfMax, BestMix, EquivalentDepth, OxygenWindow, Blend };
    QLineEdit* field(const char* name, const char* labelKey);
    QComboBox* addPpO2PopUp();

    Kind kind_;
    QComboBox* ppO2PopUp_ = nullptr;
    QLabel* result_ = nullptr;
};
