#pragma once

#include <QColor>
#include <QToolButton>
#include <optional>

#include "archive/ArchiveValues.h"

QColor toQColor(const divelog::Colour& c);
divelog::Colour toColour(const QColor& c);

// A small swatch that opens the colour dialog. With no colour (never set, or
// stored bytes that did not decode) it shows a neutral crossed swatch.
class ColourButton : public QToolButton {
    Q_OBJECT
public:
    explicit ColourButton(QWidget* parent = nullptr);

    std::optional<QColor> colour() const { return colour_; }
    // Shows a colour without telling anyone (the window refreshing itself).
    void setColour(std::optional<QColor> colour);
    // What the dialog does once the user picked: show it and tell.
    void choose(const QColor& colour);

signals:
    void colourChosen(const QColor& colour);

private:
    void openDialog();
    void updateSwatch();

    std::optional<QColor> colour_;
};
