#pragma once

#include <QDialog>

class QSpinBox;
class UiText;

// The renumbering panel: a start number and a button to confirm. It only
// asks; the logbook window renumbers when `renumber` arrives.
class RenumberPanel : public QDialog {
    Q_OBJECT
public:
    RenumberPanel(const UiText& text, QWidget* parent);

    QSpinBox* startField() const { return start_; }
    // Shows the panel in front, proposing `start`.
    void present(int start);
    // What the confirm button does.
    void confirm();

signals:
    void renumber(int firstNumber);

private:
    QSpinBox* start_ = nullptr;
};
