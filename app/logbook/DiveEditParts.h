#pragma once

#include <QList>
#include <array>

class QGroupBox;
class QLabel;
class TickedGauge;
class QPushButton;
class QWidget;

// A stage or bail-out cylinder's read-out: its box (titled by the read-out
// for the stages), the volumes text and the pressure gauge.
struct CylinderParts {
    QGroupBox* box = nullptr;
    QLabel* text = nullptr;
    TickedGauge* gauge = nullptr;
};

// The widgets of the edit views that show read-outs rather than controls.
// The view builders fill it in; the edit window writes the read-outs into it
// after every refresh. The window owns every widget through its views.
struct DiveEditParts {
    QLabel* difficulty = nullptr;
    QGroupBox* cylinder1 = nullptr;
    QGroupBox* cylinder2 = nullptr;
    QLabel* setPointTitle = nullptr;
    QLabel* gasSummary = nullptr;
    std::array<QLabel*, 2> usedPressure{};
    std::array<CylinderParts, 3> stages{};
    std::array<CylinderParts, 2> bailouts{};
    QWidget* planningGroup = nullptr;
    QWidget* stageGroup = nullptr;
    QWidget* bailoutGroup = nullptr;
    QLabel* profileDepth = nullptr;
    QLabel* profileSampling = nullptr;
    QLabel* profilePoints = nullptr;
    QLabel* profileEvents = nullptr;
    QLabel* oxygen = nullptr;
    QLabel* consumption = nullptr;
    QList<QLabel*> temperatureUnits;
    QList<QLabel*> depthUnits;
    QPushButton* razAir = nullptr;
    QPushButton* razNitrox = nullptr;
    QPushButton* razHeliox = nullptr;
    QPushButton* consumptionButton = nullptr;
};
