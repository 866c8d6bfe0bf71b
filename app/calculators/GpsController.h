#pragma once

#include "calculators/CalculatorWindow.h"

namespace divelog {
struct Answer;
}

class QComboBox;
class QTextEdit;

// Coordinate conversions: ED50 to WGS84 with seven parameters from degrees,
// minutes and seconds, with the computation traced step by step; and either
// way with three parameters from decimal degrees. Both read the one height
// field and write the same outputs, so the last run is shown.
class GpsController : public CalculatorWindow {
    Q_OBJECT
public:
    GpsController(divelog::AppContext& context, const UiText& text);

public slots:
    // Runs the conversion last used, the seven-parameter one at first.
    void compute() override;
    void convertGPS();
    void convertGPS2();

private:
    QWidget* buildSevenParameters();
    QWidget* buildThreeParameters();
    QWidget* buildResult();
    QLineEdit* field(const char* name, bool decimal);
    void showRefusal(const divelog::Answer& answer);

    QComboBox* direction_ = nullptr;
    QLineEdit* outputs_[3] = {};
    QLabel* message_ = nullptr;
    QTextEdit* trace_ = nullptr;
    bool lastDecimal_ = false;
};
