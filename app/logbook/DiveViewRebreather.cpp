// The breathing apparatus and the bail-out cylinders.

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <string>

#include "logbook/DiveEditParts.h"
#include "logbook/DiveViewKit.h"
#include "tools/TickedGauge.h"

namespace {

QGroupBox* apparatusGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Breathing apparatus");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Apparatus", "rebreather");
    kit.row(g, 1, "Gas flow", "flow", kit.unit(QStringLiteral("L/min")));
    kit.parts.setPointTitle = new QLabel;
    kit.parts.setPointTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(kit.parts.setPointTitle, 2, 0);
    g->addWidget(kit.field("ppO2"), 2, 1, Qt::AlignLeft);
    kit.row(g, 3, "Configuration", "configuration");
    g->itemAtPosition(3, 1)->setAlignment(Qt::AlignLeft);
    g->setColumnStretch(2, 1);
    return box;
}

QGroupBox* bailoutGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Bail-out cylinders");
    kit.parts.bailoutGroup = box;
    auto* line = new QHBoxLayout(box);
    for (int k = 1; k <= 2; ++k) {
        const std::string n = std::to_string(k);
        CylinderParts& part = kit.parts.bailouts[static_cast<std::size_t>(k - 1)];
        part.box = new QGroupBox(kit.label(("Bail-out " + n).c_str()));
        QGridLayout* g = DiveViewKit::grid(part.box);
        kit.row(g, 0, "Volume", ("volBailout" + n).c_str(), kit.unit(QStringLiteral("L")));
        kit.row(g, 1, "Start", ("pressDepartBailout" + n).c_str(), kit.unit(QStringLiteral("bar")));
        kit.row(g, 2, "End", ("pressFinBailout" + n).c_str(), kit.unit(QStringLiteral("bar")));
        kit.row(g, 3, "Oxygen", ("O2Bailout" + n).c_str(), kit.unit(QStringLiteral("%")));
        kit.row(g, 4, "Helium", ("HeBailout" + n).c_str(), kit.unit(QStringLiteral("%")));
        part.text = kit.readout();
        part.text->setMinimumHeight(part.text->fontMetrics().lineSpacing() * 2);
        g->addWidget(part.text, 5, 0, 1, 2);
        part.gauge = new TickedGauge;
        part.gauge->setObjectName(QString::fromStdString("gaugeBailout" + n));
        g->addWidget(part.gauge, 6, 0, 1, 2);
        line->addWidget(part.box);
    }
    return box;
}

}  // namespace

QWidget* buildRebreatherView(DiveViewKit& kit) {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(apparatusGroup(kit), 0, 0);
    g->addWidget(bailoutGroup(kit), 1, 0);
    g->setRowStretch(2, 1);
    return page;
}
