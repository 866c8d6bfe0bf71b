#include "tools/ColourButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

QColor toQColor(const divelog::Colour& c) {
    return QColor::fromRgbF(c.red, c.green, c.blue, c.alpha);
}

divelog::Colour toColour(const QColor& c) {
    const QColor rgb = c.toRgb();
    return {static_cast<float>(rgb.redF()), static_cast<float>(rgb.greenF()),
            static_cast<float>(rgb.blueF()), static_cast<float>(rgb.alphaF())};
}

ColourButton::ColourButton(QWidget* parent) : QToolButton(parent) {
    setIconSize(QSize(36, 16));
    setAutoRaise(false);
    connect(this, &QToolButton::clicked, this, &ColourButton::openDialog);
    updateSwatch();
}

void ColourButton::setColour(std::optional<QColor> colour) {
    colour_ = colour;
    updateSwatch();
}

void ColourButton::choose(const QColor& colour) {
    setColour(colour);
    emit colourChosen(colour);
}

void ColourButton::openDialog() {
    const QColor picked = QColorDialog::getColor(colour_.value_or(Qt::white), this, toolTip());
    if (picked.isValid()) choose(picked);
}

void ColourButton::updateSwatch() {
    QPixmap swatch(iconSize());
    swatch.fill(Qt::transparent);
    QPainter p(&swatch);
    const QRect box = swatch.rect().adjusted(0, 0, -1, -1);
    if (colour_) {
        p.fillRect(box, *colour_);
    } else {
        p.fillRect(box, QColor(235, 235, 235));
        p.setPen(QColor(160, 160, 160));
        p.drawLine(box.bottomLeft(), box.topRight());
    }
    p.setPen(QColor(90, 90, 90));
    p.drawRect(box);
    p.end();
    setIcon(QIcon(swatch));
}
