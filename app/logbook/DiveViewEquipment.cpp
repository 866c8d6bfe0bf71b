// Suit and weight, the dive computer, and the dive bag.

#include <QGridLayout>
#include <QGroupBox>
#include <string>

#include "logbook/DiveViewKit.h"

namespace {

QGroupBox* suitGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Exposure protection");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Suit", "combinaison");
    kit.row(g, 1, "Weight", "lestage", kit.unit(QStringLiteral("kg")));
    g->setRowStretch(2, 1);
    return box;
}

QGroupBox* computerGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Dive computer");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Maker", "fabricant");
    kit.row(g, 1, "Model", "ordinateur");
    kit.row(g, 2, "Serial number", "serie");
    kit.row(g, 3, "Sampling interval", "samplingRate");
    g->setColumnStretch(1, 1);
    return box;
}

QGroupBox* bagGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Dive bag");
    QGridLayout* g = DiveViewKit::grid(box);
    for (int i = 1; i <= 12; ++i) {
        const std::string n = std::to_string(i);
        const int row = (i - 1) % 6, column = (i - 1) / 6 * 3;
        kit.row(g, row, ("Item " + n).c_str(), ("equip_" + n).c_str(), nullptr, column);
    }
    g->setColumnStretch(1, 1);
    g->setColumnStretch(4, 1);
    g->setColumnMinimumWidth(2, 12);
    return box;
}

}  // namespace

QWidget* buildEquipmentView(DiveViewKit& kit) {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(suitGroup(kit), 0, 0);
    g->addWidget(computerGroup(kit), 0, 1);
    g->addWidget(bagGroup(kit), 1, 0, 1, 2);
    g->setColumnStretch(1, 1);
    return page;
}
