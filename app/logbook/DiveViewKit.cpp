#include "logbook/DiveViewKit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "localisation/UiText.h"
#include "logbook/DiveEditParts.h"
#include "logbook/DiveFormBinder.h"

QWidget* DiveViewKit::field(const char* name) { return binder.widget(name); }

QString DiveViewKit::label(const char* key) const { return text_.carnet(key, key); }

QLabel* DiveViewKit::unit(const QString& text) const { return new QLabel(text); }

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
    // No word wrap: a wrapping label gives its view a height for width, which
    // the stacked views would impose on every view's size.
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
    if (!unitLabel) {
        grid->addWidget(widget, r, column + 1);
        return;
    }
    // The unit sits right after its field, however wide the column.
    auto* cell = new QWidget;
    cell->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* line = new QHBoxLayout(cell);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    line->addWidget(widget);
    line->addWidget(unitLabel);
    line->addStretch();
    grid->addWidget(cell, r, column + 1);
}

QGridLayout* DiveViewKit::grid(QWidget* owner) {
    auto* g = new QGridLayout(owner);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(6);
    return g;
}
