#pragma once

#include "calculators/CalculatorWindow.h"

// The three trimix windows, told apart by their layout name: EAD and END,
// hypoxic minimum depth, and best trimix.
class TrimixController : public CalculatorWindow {
    Q_OBJECT
public:
    static bool serves(const QString& layout);
    TrimixController(divelog::AppContext& context, const UiText& text, const QString& layout);

public slots:
    void compute() override;
    // Brings the window to the front and gives it the keyboard.
    void showWin() { present(); }

private:
    enum class Kind { EadEnd, MinimumDepth, BestTrimix };
    QLineEdit* field(const char* name, const char* labelKey);

    Kind kind_;
    QLabel* result_ = nullptr;
};
