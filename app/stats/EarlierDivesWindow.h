#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "stats/EarlierDives.h"

class QLineEdit;
class UiText;

// The editor of the earlier dives' totals: one whole-number field per value,
// grouped as the statistics window groups its categories. An extreme left
// empty stays unknown; any other empty field is 0. It only asks: the
// logbook stores the values when `validated` arrives.
class EarlierDivesWindow : public QDialog {
    Q_OBJECT
public:
    EarlierDivesWindow(const UiText& text, QWidget* parent);

    // Shows the values in the fields.
    void load(const divelog::EarlierDives& values);
    // What the fields hold.
    divelog::EarlierDives values() const;
    QLineEdit* field(std::string_view key) const;
    // The save button: closes the editor and tells.
    void validate();

signals:
    void validated();

private:
    std::map<std::string, QLineEdit*, std::less<>> fields_;
};
