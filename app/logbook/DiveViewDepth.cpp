// Depth, time and decompression.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

#include "logbook/DiveEditParts.h"
#include "logbook/DiveViewKit.h"

namespace {

QGroupBox* profileGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Depth and time");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Maximum depth", "profondeur", kit.depthUnit());
    kit.row(g, 1, "Dive time", "temps", kit.unit(QStringLiteral("min")));
    kit.row(g, 2, "Decompression", "deco");
    g->setRowStretch(3, 1);
    return box;
}

QGroupBox* stopsGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Decompression stops");
    QGridLayout* g = DiveViewKit::grid(box);
    const char* heads[] = {"Stop depth", "Stop time", "Stop O2", "Stop He"};
    const int columns[] = {1, 3, 5, 7};
    for (int i = 0; i < 4; ++i) {
        auto* head = new QLabel(kit.label(heads[i]));
        head->setAlignment(Qt::AlignCenter);
        g->addWidget(head, 0, columns[i]);
    }
    for (int k = 1; k <= 5; ++k) {
        const std::string n = std::to_string(k);
        auto* stop = kit.check(("deco_Level_" + n + "_sw").c_str(), ("Stop " + n).c_str());
        g->addWidget(stop, k, 0);
        for (const char* family :
             {"decoDepth_Level_", "decoTime_Level_", "decoO2_Level_", "decoHe_Level_"})
            kit.field((family + n).c_str())->setMaximumWidth(64);
        g->addWidget(kit.field(("decoDepth_Level_" + n).c_str()), k, 1);
        g->addWidget(kit.depthUnit(), k, 2);
        g->addWidget(kit.field(("decoTime_Level_" + n).c_str()), k, 3);
        g->addWidget(kit.unit(QStringLiteral("min")), k, 4);
        g->addWidget(kit.field(("decoO2_Level_" + n).c_str()), k, 5);
        g->addWidget(kit.unit(QStringLiteral("%")), k, 6);
        g->addWidget(kit.field(("decoHe_Level_" + n).c_str()), k, 7);
        g->addWidget(kit.unit(QStringLiteral("%")), k, 8);
    }
    g->setColumnStretch(9, 1);
    return box;
}

QGroupBox* planningGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Planning software");
    kit.parts.planningGroup = box;
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Software", "decoSoftName");
    kit.row(g, 1, "Algorithm", "decoAlgoType");
    kit.row(g, 2, "Conservatism", "decoConservatism");
    auto* runtime = static_cast<QPlainTextEdit*>(kit.field("runtime"));
    runtime->setPlaceholderText(kit.label("Runtime hint"));
    runtime->setMinimumHeight(90);
    kit.row(g, 3, "Run time", runtime);
    g->setColumnStretch(1, 1);
    return box;
}

}  // namespace

QWidget* buildDepthView(DiveViewKit& kit) {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(profileGroup(kit), 0, 0);
    g->addWidget(stopsGroup(kit), 0, 1);
    g->addWidget(planningGroup(kit), 1, 0, 1, 2);
    g->setColumnStretch(1, 1);
    return page;
}
