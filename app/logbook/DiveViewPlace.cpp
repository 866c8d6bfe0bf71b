// Where, when and in what conditions.

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "logbook/DiveEditParts.h"
#include "logbook/DiveViewKit.h"

namespace {

QGroupBox* diveGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("The dive");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Dive number", "noPlongee");
    kit.row(g, 1, "Date", "date");
    kit.row(g, 2, "Time", "heure");
    kit.field("surface")->setMaximumWidth(90);
    kit.row(g, 3, "Surface interval", "surface", kit.unit(QStringLiteral("h:min")));
    kit.row(g, 4, "Dive type", "typePlongee");
    kit.row(g, 5, "Mark", "inoubliable");
    g->addWidget(kit.check("nocturne", "Night dive"), 6, 1, 1, 2);

    auto* difficulty = new QWidget;
    auto* line = new QHBoxLayout(difficulty);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(kit.field("difficulte"), 1);
    kit.parts.difficulty = kit.readout();
    kit.parts.difficulty->setMinimumWidth(70);
    line->addWidget(kit.parts.difficulty);
    kit.row(g, 7, "Difficulty", difficulty);
    g->setRowStretch(8, 1);
    return box;
}

QGroupBox* placeGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("The place");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Location", "lieu");
    kit.row(g, 1, "Site", "site");
    kit.row(g, 2, "Country", "pays");
    kit.row(g, 3, "Country code", "countryCode");
    kit.row(g, 4, "Position", "gps");
    kit.row(g, 5, "Datum", "gpsSystem");
    kit.row(g, 6, "Altitude", "altitude", kit.depthUnit());
    kit.row(g, 7, "Dive structure", "structure");
    kit.row(g, 8, "Boat", "bateau");
    kit.row(g, 9, "Buddies", "partenaires");
    kit.row(g, 10, "Wrecks", "epaves");
    g->setColumnStretch(1, 1);
    return box;
}

QGroupBox* conditionsGroup(DiveViewKit& kit) {
    QGroupBox* box = kit.group("Conditions");
    QGridLayout* g = DiveViewKit::grid(box);
    kit.row(g, 0, "Weather", "meteo");
    kit.row(g, 1, "Wind direction", "ventSecteur");
    kit.row(g, 2, "Wind force", "ventForce");
    kit.row(g, 0, "Current", "courant", nullptr, 3);
    kit.row(g, 1, "Visibility", "visibilite", nullptr, 3);
    kit.row(g, 2, "Tide", "pmBm", nullptr, 3);
    kit.row(g, 0, "Tidal coefficient", "coeff", nullptr, 6);
    kit.row(g, 1, "Water temperature", "tempEau", kit.temperatureUnit(), 6);
    kit.row(g, 2, "Air temperature", "tempAir", kit.temperatureUnit(), 6);
    g->setColumnMinimumWidth(2, 12);
    g->setColumnMinimumWidth(5, 12);
    return box;
}

}  // namespace

QWidget* buildPlaceView(DiveViewKit& kit) {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    g->addWidget(diveGroup(kit), 0, 0);
    g->addWidget(placeGroup(kit), 0, 1);
    g->addWidget(conditionsGroup(kit), 1, 0, 1, 2);
    g->setColumnStretch(1, 1);
    return page;
}
