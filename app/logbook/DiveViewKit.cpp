#include "logbook/DiveViewKit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "localisation/UiText.h"
#include "logbook/DiveEditParts.h"
#include "logbook/DiveFormBinder.h"

QWidget* DiveViewKit::field(const char* name) { return binder.widget(name); }

QString DiveViewKit::label(const char* key) const { return text_.carnet(key, key); }

QLabel* DiveViewKit::unit(const QString& text) const {
    auto* l = new QLabel(text);
    l->setMinimumWidth(28);
    return l;
}

QLabel* DiveViewKit::depthUnit() {
    QLabel* l = unit(QStringLiteral("m"));
    parts.depthUnits << l;
    return l;
}

QLabel* DiveViewKit::temperatureUnit() {
    QLabel* l = unit(QStringLiteral("°C"));
    parts.temperatureUnits << l;
    return l;
}

QLabel* DiveViewKit::readout() const {
    auto* l = new QLabel;
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
    return l;
}

QGroupBox* DiveViewKit::group(const char* titleKey) const {
    auto* box = new QGroupBox(label(titleKey));
    return box;
}

QCheckBox* DiveViewKit::check(const char* name, const char* labelKey) {
    auto* box = static_cast<QCheckBox*>(binder.widget(name));
    box->setText(label(labelKey));
    return box;
}

void DiveViewKit::row(QGridLayout* grid, int r, const char* labelKey, const char* name,
                      QLabel* unitLabel, int column) {
    row(grid, r, labelKey, field(name), unitLabel, column);
}

void DiveViewKit::row(QGridLayout* grid, int r, const char* labelKey, QWidget* widget,
                      QLabel* unitLabel, int column) {
    auto* caption = new QLabel(label(labelKey));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setBuddy(widget);
    grid->addWidget(caption, r, column);
    grid->addWidget(widget, r, column + 1);
    if (unitLabel) grid->addWidget(unitLabel, r, column + 2);
}

QGridLayout* DiveViewKit::grid(QWidget* owner) {
    auto* g = new QGridLayout(owner);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);
    return g;
}
