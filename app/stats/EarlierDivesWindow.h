#pragma once

#include <QDialog>
#include <functional>
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
    // The save button: closes the editor and tells; a field holding what it
    // does not accept is named instead, and the editor stays open.
    void validate();
    // Why the fields cannot be kept as they are; empty when they can.
    QString refusal() const;
    // How a refusal is told to the user.
    void setReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

signals:
    void validated();

private:
    struct Field {
        QLineEdit* edit;
        QString label;
    };
    std::string messageFor(std::string_view key, const QString& label) const;

    const UiText& text_;
    std::function<void(const QString&)> report_;
    std::map<std::string, Field, std::less<>> fields_;
};
