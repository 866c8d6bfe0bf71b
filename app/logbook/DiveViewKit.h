#pragma once

#include <QString>

class DiveFormBinder;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;
class UiText;
struct DiveEditParts;

// What the six edit-view builders share: the bound controls, the read-out
// parts to register, the texts, and the few layout habits that keep the views
// alike (label, field, unit in a grid; titled groups).
class DiveViewKit {
public:
    DiveViewKit(DiveFormBinder& binder, DiveEditParts& parts, const UiText& text)
        : binder(binder), parts(parts), text_(text) {}

    QWidget* field(const char* name);
    // A label text from the "Carnet" table; a key missing there shows itself.
    QString label(const char* key) const;
    QLabel* unit(const QString& text) const;
    QLabel* depthUnit();
    QLabel* temperatureUnit();
    QLabel* readout() const;
    QGroupBox* group(const char* titleKey) const;
    // A switch of the form with its caption.
    QCheckBox* check(const char* name, const char* labelKey);
    // Label at (row, column), then the field with its optional unit.
    void row(QGridLayout* grid, int row, const char* labelKey, const char* name,
             QLabel* unitLabel = nullptr, int column = 0);
    void row(QGridLayout* grid, int row, const char* labelKey, QWidget* widget,
             QLabel* unitLabel = nullptr, int column = 0);
    // A grid with the views' spacing, and its label columns kept narrow.
    static QGridLayout* grid(QWidget* owner);

    DiveFormBinder& binder;
    DiveEditParts& parts;

private:
    const UiText& text_;
};

// The six edit views. Each builds its page from the kit and registers its
// read-outs; none keeps state of its own.
QWidget* buildPlaceView(DiveViewKit& kit);       // where, when and conditions
QWidget* buildDepthView(DiveViewKit& kit);       // depth, time and decompression stops
QWidget* buildGasView(DiveViewKit& kit);         // cylinders and gases, stage cylinders
QWidget* buildRebreatherView(DiveViewKit& kit);  // apparatus and bail-out
QWidget* buildEquipmentView(DiveViewKit& kit);   // suit, computer, dive bag
QWidget* buildNotesView(DiveViewKit& kit);       // notes and profile summary
