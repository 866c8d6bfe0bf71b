// The two cylinders with their gases, and the stage cylinders of the stops.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <string>

#include "logbook/DiveEditParts.h"
#include "logbook/DiveViewKit.h"
#include "tools/TickedGauge.h"

namespace {

// Cylinder 1 has no suffix, cylinder 2 "_2".
QGroupBox* cylinderGroup(DiveViewKit& kit, const std::string& suffix, QLabel*& used) {
    QGroupBox* box = kit.group(suffix.empty() ? "Main cylinder" : "Second cylinder");
    QGridLayout* g = DiveViewKit::grid(box);
    auto f = [&](const char* name) { return std::string(name) + suffix; };
    kit.row(g, 0, "Volume", f("volumeBloc").c_str(), kit.unit(QStringLiteral("L")));
    kit.row(g, 1, "Working pressure", f("pressionBloc").c_str(), kit.unit(QStringLiteral("bar")));
    kit.row(g, 2, "Material", f("alliageBloc").c_str());
    kit.row(g, 3, "Start pressure", f("pressionDepart").c_str(), kit.unit(QStringLiteral("bar")));
    kit.row(g, 4, "End pressure", f("pressionFin").c_str(), kit.unit(QStringLiteral("bar")));
    used = kit.readout();
    g->addWidget(used, 5, 1);
    kit.row(g, 6, "Gas", f("gaz").c_str());
    kit.row(g, 7, "Oxygen", f("o2Mix").c_str(), kit.unit(QStringLiteral("%")));
    kit.row(g, 8, "Helium", f("heMix").c_str(), kit.unit(QStringLiteral("%")));
    kit.row(g, 9, "Nitrogen", f("n2Mix").c_str(), kit.unit(QStringLiteral("%")));
    g->setColumnStretch(2, 1);
    g->setRowStretch(12, 1);
    return box;
}

QWidget* presets(DiveViewKit& kit) {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const char* key) {
        auto* b = new QPushButton(kit.label(key));
        b->setObjectName(QString::fromLatin1(name));
        line->addWidget(b);
        return b;
    };
    kit.parts.razAir = button("razAir", "Preset air");
    kit.parts.razNitrox = button("razNitrox", "Preset nitrox");
    kit.parts.razHeliox = button("razHeliox", "Preset heliox");
    line->addStretch();
    kit.parts.consumptionButton = button("consommation", "Consumption");
    return row;
}

QGroupBox* stageGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Stage cylinders");
    kit.parts.stageGroup = box;
    auto* line = new QHBoxLayout(box);
    for (int k = 1; k <= 3; ++k) {
        const std::string n = std::to_string(k);
        CylinderParts& part = kit.parts.stages[static_cast<std::size_t>(k - 1)];
        part.box = new QGroupBox;
        QGridLayout* g = DiveViewKit::grid(part.box);
        kit.row(g, 0, "Volume", ("volPony" + n).c_str(), kit.unit(QStringLiteral("L")));
        kit.row(g, 1, "Start", ("pressDepartPony" + n).c_str(), kit.unit(QStringLiteral("bar")));
        kit.row(g, 2, "End", ("pressFinPony" + n).c_str(), kit.unit(QStringLiteral("bar")));
        part.text = kit.readout();
        part.text->setMinimumHeight(part.text->fontMetrics().lineSpacing() * 2);
        g->addWidget(part.text, 3, 0, 1, 2);
        part.gauge = new TickedGauge;
        part.gauge->setObjectName(QString::fromStdString("gaugePony" + n));
        g->addWidget(part.gauge, 4, 0, 1, 2);
        line->addWidget(part.box);
    }
    return box;
}

}  // namespace

QWidget* buildGasView(DiveViewKit& kit) {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    kit.parts.cylinder1 = cylinderGroup(kit, "", kit.parts.usedPressure[0]);
    auto* first = static_cast<QGridLayout*>(kit.parts.cylinder1->layout());
    kit.parts.gasSummary = kit.readout();
    QFont bold = kit.parts.gasSummary->font();
    bold.setBold(true);
    kit.parts.gasSummary->setFont(bold);
    first->addWidget(kit.parts.gasSummary, 10, 1);
    first->addWidget(presets(kit), 11, 0, 1, 2);
    kit.parts.cylinder2 = cylinderGroup(kit, "_2", kit.parts.usedPressure[1]);
    g->addWidget(kit.parts.cylinder1, 0, 0);
    g->addWidget(kit.parts.cylinder2, 0, 1);
    g->addWidget(stageGroup(kit), 1, 0, 1, 2);
    return page;
}
